#!/usr/bin/env bash
# Times the MP3 analysis of `ordonna-cli info` on one core over a generated set of MP3 files,
# beside the tools users run today on the same files in the same run, and prints the ratios.
#   bench/analysis.sh [FILES]      (default 400 files of 3-8 MB; needs about 2 GB in $TMPDIR)
# Installs the peer tools (ffmpeg, mp3val, python3-mutagen, mediainfo) with apt-get when they are
# missing. Not part of CI. ORDONNA_BENCH_BUILD picks the Release build folder.
set -euo pipefail
count=${1:-400}
root=$(cd "$(dirname "$0")/.." && pwd)
build=${ORDONNA_BENCH_BUILD:-$root/build-bench}
core=${ORDONNA_BENCH_CORE:-1}
ffprobe_files=${ORDONNA_BENCH_FFPROBE_FILES:-20}  # ffprobe decodes every frame: a sample

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DORDONNA_BUILD_CLI=ON -DORDONNA_BUILD_TESTS=OFF >/dev/null
ninja -j2 -C "$build" ordonna-cli >/dev/null
cli="$build/cli/ordonna-cli"

missing=()
command -v ffprobe >/dev/null || missing+=(ffmpeg)
command -v mp3val >/dev/null || missing+=(mp3val)
python3 -c 'import mutagen' 2>/dev/null || missing+=(python3-mutagen)
command -v mediainfo >/dev/null || missing+=(mediainfo)
if ((${#missing[@]})); then
  sudo=$([ "$(id -u)" = 0 ] || echo sudo)
  $sudo apt-get update -qq && DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}" >/dev/null
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/set" "$work/home"
export ORDONNA_HOME="$work/home"
python3 "$root/bench/make_mp3_set.py" "$work/set" "$count" >"$work/frames.tsv"
files=("$work"/set/*.mp3)
bytes=$(cat "${files[@]}" | wc -c)  # also warms the page cache
cat "${files[@]}" >/dev/null

one() { taskset -c "$core" "$@"; }
# Seconds of the fastest of three runs of a command.
best() {
  local best=
  for _ in 1 2 3; do
    local start end
    start=$(date +%s.%N)
    "$@" >/dev/null 2>&1 || true
    end=$(date +%s.%N)
    best=$(awk -v a="$start" -v b="$end" -v c="$best" 'BEGIN { t = b - a; print (c == "" || t < c) ? t : c }')
  done
  echo "$best"
}

# Fast mode takes a few milliseconds per pass: ten passes over the set in one process.
passes=10
dirs=()
for ((i = 0; i < passes; i++)); do dirs+=("$work/set"); done
t_fast=$(best one "$cli" info "${dirs[@]}")
t_slow=$(best one "$cli" info --slow "$work/set")
cat >"$work/read.py" <<'PY'
import os, sys
buffer = bytearray(1 << 20)
for path in sys.argv[1:]:
    fd = os.open(path, os.O_RDONLY)
    while os.readv(fd, [buffer]) > 0:
        pass
    os.close(fd)
PY
t_read=$(best one python3 "$work/read.py" "${files[@]}")
t_mp3val=$(best one mp3val "${files[@]}")
t_mutagen=$(best one python3 -c 'import sys, mutagen.mp3
for p in sys.argv[1:]: mutagen.mp3.MP3(p).info.length' "${files[@]}")
t_mediainfo=$(best one mediainfo "${files[@]}")
sample=("${files[@]:0:$ffprobe_files}")
sample_bytes=$(cat "${sample[@]}" | wc -c)
start=$(date +%s.%N)
for f in "${sample[@]}"; do
  one ffprobe -v error -threads 1 -count_frames -select_streams a:0 -show_entries stream=nb_read_frames -of csv=p=0 "$f" >/dev/null
done
t_ffprobe=$(awk -v a="$start" -v b="$(date +%s.%N)" 'BEGIN { print b - a }')

awk -v n="$count" -v bytes="$bytes" -v passes="$passes" -v fast="$t_fast" -v slow="$t_slow" -v rd="$t_read" \
    -v mp3val="$t_mp3val" -v mutagen="$t_mutagen" -v mediainfo="$t_mediainfo" -v ffprobe="$t_ffprobe" \
    -v fn="${#sample[@]}" -v fbytes="$sample_bytes" 'BEGIN {
  gb = bytes / 1e9
  printf "set: %d files, %.2f GB (%.1f MB per file), page cache warm, one core\n", n, gb, bytes / n / 1e6
  printf "%-38s %10s %12s\n", "", "files/s", "GB/s"
  printf "%-38s %10.0f %12.2f\n", "page-cache read() loop, 1 MiB buffer", n / rd, gb / rd
  printf "%-38s %10.0f %12s\n", "ordonna-cli info (fast)", n * passes / fast, "-"
  printf "%-38s %10.0f %12.2f\n", "ordonna-cli info --slow", n / slow, gb / slow
  printf "%-38s %10.0f %12.2f\n", "mp3val, all files", n / mp3val, gb / mp3val
  printf "%-38s %10.0f %12s\n", "mutagen, one process", n / mutagen, "-"
  printf "%-38s %10.0f %12.2f\n", "mediainfo, one call", n / mediainfo, gb / mediainfo
  printf "%-38s %10.1f %12.3f\n", sprintf("ffprobe -count_frames, %d files", fn), fn / ffprobe, fbytes / 1e9 / ffprobe
  printf "slow mode / mp3val: %.2fx (target 2x); slow mode: %.2f GB/s (target 3)\n", mp3val / slow, gb / slow
  printf "fast mode / mutagen: %.2fx (target 5x); fast mode: %.0f files/s (target 20,000)\n", mutagen / (fast / passes), n * passes / fast
}'

# Frame counts: slow mode counts every frame (a Xing frame included), fast mode reads the count.
"$cli" info --slow --json "$work"/set/00[0-3]?-*.mp3 | python3 -c '
import json, sys
expected = dict(line.split("\t") for line in open(sys.argv[1]).read().split("\n") if line)
wrong = [o["file"] for o in map(json.loads, sys.stdin) if int(expected[o["file"].rsplit("/", 1)[1]]) != o["Frames"]]
print("slow-mode frame counts of the base files:", "all as generated" if not wrong else "WRONG: " + " ".join(wrong))
' "$work/frames.tsv"
