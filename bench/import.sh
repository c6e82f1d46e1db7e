#!/usr/bin/env bash
# Import figures: a generated 250,000-entry list with every column is exported through
# `ordonna-cli export` as text, plain HTML and HTML table, and each export is read back through
# `ordonna-cli import`; wall and processor time and maximum resident memory of each import, and
# the entries it read. On a shared machine the processor time is the steadier figure.
#   bench/import.sh [ENTRIES]      (default 250000). Not part of CI. ORDONNA_BENCH_BUILD picks
# the Release build folder.
set -euo pipefail
entries=${1:-250000}
root=$(cd "$(dirname "$0")/.." && pwd)
build=${ORDONNA_BENCH_BUILD:-$root/build-bench}
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DORDONNA_BUILD_GUI=OFF -DORDONNA_BUILD_CLI=ON -DORDONNA_BUILD_TESTS=OFF \
  >/dev/null
ninja -j2 -C "$build" ordonna-cli >/dev/null
cli="$build/cli/ordonna-cli"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export ORDONNA_HOME="$work/home"
mkdir "$ORDONNA_HOME"

# Realistic names, every field determined, sorted by path; dates whose day is above 12 on
# most lines, as in a real list.
python3 - "$work/big.ordl" "$entries" <<'PY'
import struct, sys
path, count = sys.argv[1], int(sys.argv[2])
with open(path, "wb") as f:
    f.write(b"\x03Ord\x07")  # sorted by path
    for i in range(count):
        name = ("Artist %05d - Song title number %d (live)" % (i // 12, i)).encode()
        folder = ("/home/user/Music/Artist %05d/Album %06d" % (i // 12, i // 12)).encode()
        label = b"MUSIC"
        record = b"".join(bytes([len(t)]) + t for t in (name, folder, label))
        record += struct.pack("<BiiBBii", 1 + i % 14, 3000 + i % 9000, 5000 + i % 20000, i % 4, i % 3,
                              36000 + i % 9000, 44000 + i % 1000)
        f.write(record)
PY
# Every info column and the enumeration, dates as dd.mm.yyyy., no caption on the table.
"$cli" config init "$work/options.ini" >/dev/null
python3 - "$work/options.ini" <<'PY'
import sys
path = sys.argv[1]
data = bytearray(open(path, "rb").read())
for offset in (0, 1, 5, 6, 7, 8, 9, 10, 11, 13):  # the nine Info flags and Enumerate
    data[offset] = 1
data[28] = 1  # DateStyle
data[33] = 0  # CaptionMode
open(path, "wb").write(data)
PY

"$cli" export --options "$work/options.ini" --type text "$work/big.ordl" "$work/list.txt" >/dev/null
"$cli" export --options "$work/options.ini" --type html "$work/big.ordl" "$work/list.html" >/dev/null
"$cli" export --options "$work/options.ini" --type table "$work/big.ordl" "$work/table.html" >/dev/null

run() {  # label, then the command; prints wall and processor seconds, MB and the command's last line
  local label=$1
  shift
  /usr/bin/time -o "$work/time.txt" -f "%e %U %S %M" "$@" >"$work/out.txt" 2>&1 || true
  read -r seconds user system kilobytes < <(tail -1 "$work/time.txt")
  awk -v label="$label" -v s="$seconds" -v u="$user" -v y="$system" -v k="$kilobytes" -v said="$(tail -1 "$work/out.txt")" \
    'BEGIN { printf "%-24s %5.2f s wall  %5.2f s processor  %6.1f MB resident  %s\n", label, s, u + y, k / 1024, said }'
}

cat "$work"/list.txt "$work"/list.html "$work"/table.html >/dev/null  # warm the page cache
for input in list.txt list.html table.html; do
  run "import $input" "$cli" import --options "$work/options.ini" "$work/$input" -o "$work/$input.ordl"
done
ls -l "$work"/list.txt "$work"/list.html "$work"/table.html | awk '{printf "%-12s %10d bytes\n", $NF, $5}' |
  sed "s|$work/||"
echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)"
