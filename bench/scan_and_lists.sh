#!/usr/bin/env bash
# Scan and list-file figures: a generated tree of 20,000 small MP3 files in 2,000 folders
# scanned through ordonna-cli (warm cache, fast mode; then again over the existing list
# with "update if different"), list files of 1,000,000 entries saved and loaded, and the
# resident memory of ordonna-cli holding such a list.
#   bench/scan_and_lists.sh [WORK_FOLDER]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
work=${1:-$(mktemp -d)}
build="$root/build-bench"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DORDONNA_BUILD_BENCH=ON \
  -DORDONNA_BUILD_CLI=ON -DORDONNA_BUILD_TESTS=OFF -DORDONNA_BUILD_GUI=OFF >/dev/null
ninja -C "$build" ordonna-cli bench_listfile >/dev/null
cli="$build/cli/ordonna-cli"
export ORDONNA_HOME="$work/home"
mkdir -p "$ORDONNA_HOME"

tree="$work/tree"
if [ ! -d "$tree" ]; then
  python3 - "$tree" <<'PY'
import os, sys
root = sys.argv[1]
# 30 frames of MPEG-1 Layer III, 128 kbps, 44.1 kHz, joint stereo: 12,540 bytes a file.
frame = bytes([0xFF, 0xFB, 0x90, 0x64]) + bytes(417 - 4)
body = frame * 30
for folder in range(2000):
    path = os.path.join(root, "Artist %03d" % (folder // 20), "Album %04d" % folder)
    os.makedirs(path, exist_ok=True)
    for track in range(10):
        with open(os.path.join(path, "Track %02d.mp3" % track), "wb") as f:
            f.write(body)
PY
fi
find "$tree" -name '*.mp3' -exec cat {} + > /dev/null  # warm the page cache

seconds() { python3 -c 'import time; print(time.monotonic())'; }
rate() { python3 -c "import sys; n, a, b = map(float, sys.argv[1:]); print('%.0f files/s (%.2f s)' % (n / (b - a), b - a))" "$@"; }

start=$(seconds)
"$cli" scan --on-error discard -o "$work/scan.ordl" "$tree" >/dev/null
end=$(seconds)
echo "scan, new list, fast mode:          $(rate 20000 "$start" "$end")"

start=$(seconds)
"$cli" scan --on-error discard --existing 1 --append "$work/scan.ordl" -o "$work/rescan.ordl" "$tree" >/dev/null
end=$(seconds)
echo "scan, existing entries 1 over 20,000: $(rate 20000 "$start" "$end")"

"$build/bench/bench_listfile" --benchmark_format=console 2>/dev/null | grep -E "BM_|Benchmark"
big=$(python3 -c 'import tempfile, os; print(os.path.join(tempfile.gettempdir(), "ordonna-bench-million.ordl"))')
rss=$( { /usr/bin/time -f "%M" "$cli" list --json "$big" > /dev/null; } 2>&1 | tail -1)
echo "ordonna-cli list of 1,000,000 entries: max resident $((rss / 1024)) MB"
