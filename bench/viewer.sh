#!/usr/bin/env bash
# Viewer figures (a list of 262,144 entries with every column and automatic widths): View
# click to painted grid, the memory the open viewer adds, a header sort, deleting 10,000 rows
# and undoing, scroll steps, a wrapping find, filtering and unfiltering. Drawn offscreen, in a Release build of the windowed program.
#   bench/viewer.sh
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build-bench-gui"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DORDONNA_BUILD_BENCH=ON \
  -DORDONNA_BUILD_GUI=ON -DORDONNA_BUILD_TESTS=OFF >/dev/null
ninja -C "$build" --quiet bench_viewer
QT_QPA_PLATFORM=offscreen "$build/bench/bench_viewer"
