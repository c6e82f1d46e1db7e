#!/usr/bin/env bash
# Builds the fuzz targets with clang and runs one of them: fuzz/run.sh TARGET SECONDS
# TARGET is a name like fuzz_snapshot; findings land in fuzz/crash-* and the corpus in fuzz/corpus-TARGET.
set -euo pipefail
target=${1:?usage: fuzz/run.sh TARGET SECONDS}
seconds=${2:?usage: fuzz/run.sh TARGET SECONDS}
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build-fuzz-$target"  # one per target, so several can run at once
CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DORDONNA_BUILD_FUZZ=ON -DORDONNA_BUILD_TESTS=OFF -DORDONNA_BUILD_CLI=OFF >/dev/null
ninja -C "$build" "$target" >/dev/null
corpus="$root/fuzz/corpus-$target"
mkdir -p "$corpus"
cd "$root/fuzz"
# Committed seeds, when a target has them, live in fuzz/seeds-NAME (NAME without "fuzz_").
seeds="$root/fuzz/seeds-${target#fuzz_}"
[ -d "$seeds" ] || seeds=
"$build/fuzz/$target" -max_total_time="$seconds" -print_final_stats=1 "$corpus" $seeds
