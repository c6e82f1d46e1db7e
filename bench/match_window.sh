#!/usr/bin/env bash
# The duplicates search and the comparison run from their windows beside `ordonna-cli` on the
# same lists and settings: time, longest event-loop round, peak memory. Drawn offscreen, in a
# Release build of the windowed program.
#   bench/match_window.sh [TITLES] [COMPARED]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build-bench-gui"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DORDONNA_BUILD_BENCH=ON \
  -DORDONNA_BUILD_GUI=ON -DORDONNA_BUILD_TESTS=OFF >/dev/null
ninja -C "$build" --quiet bench_match_window ordonna-cli
QT_QPA_PLATFORM=offscreen "$build/bench/bench_match_window" "$build/cli/ordonna-cli" "$@"
