#!/usr/bin/env bash
# Export figures: a generated 250,000-entry list with every column exported through
# `ordonna-cli export` as text, plain HTML and HTML table, and a 65,535-entry list as XLS;
# wall time and maximum resident memory of each run, beside a run that only loads the list
# (an XLS export of the big list, refused after loading because of its size).
#   bench/export.sh [ENTRIES]      (default 250000). Not part of CI. ORDONNA_BENCH_BUILD picks
# the Release build folder.
set -euo pipefail
entries=${1:-250000}
root=$(cd "$(dirname "$0")/.." && pwd)
build=${ORDONNA_BENCH_BUILD:-$root/build-bench}
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DORDONNA_BUILD_CLI=ON -DORDONNA_BUILD_TESTS=OFF >/dev/null
ninja -j2 -C "$build" ordonna-cli >/dev/null
cli="$build/cli/ordonna-cli"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export ORDONNA_HOME="$work/home"
mkdir "$ORDONNA_HOME"

# Lists of realistic names and every field determined; options with every column, numbered.
python3 - "$work" "$entries" <<'PY'
import struct, sys
work, count = sys.argv[1], int(sys.argv[2])
def write(path, n):
    with open(path, "wb") as f:
        f.write(b"\x03Ord\x07")  # sorted by path
        for i in range(n):
            name = ("Artist %05d - Song title number %d (live)" % (i // 12, i)).encode()
            folder = ("/home/user/Music/Artist %05d/Album %06d" % (i // 12, i // 12)).encode()
            label = b"MUSIC"
            record = b"".join(bytes([len(t)]) + t for t in (name, folder, label))
            record += struct.pack("<BiiBBii", 1 + i % 14, 3000 + i % 9000, 5000 + i % 20000, i % 4, i % 3,
                                  36000 + i % 9000, 44000 + i % 1000)
            f.write(record)
write(work + "/big.ordl", count)
write(work + "/sheet.ordl", 65535)
PY
"$cli" config init "$work/options.ini" >/dev/null
python3 - "$work/options.ini" <<'PY'
import sys
path = sys.argv[1]
data = bytearray(open(path, "rb").read())
for offset in (0, 1, 5, 6, 7, 8, 9, 10, 11, 13):  # the nine Info flags and Enumerate
    data[offset] = 1
data[28] = 1  # DateStyle dd.mm.yyyy.
open(path, "wb").write(data)
PY

run() {  # label, then the export arguments; prints seconds and MB
  local label=$1
  shift
  /usr/bin/time -o "$work/time.txt" -f "%e %M" "$cli" export --options "$work/options.ini" "$@" >/dev/null 2>&1 || true
  read -r seconds kilobytes < <(tail -1 "$work/time.txt")
  awk -v label="$label" -v s="$seconds" -v k="$kilobytes" 'BEGIN { printf "%-34s %6.2f s  %6.1f MB resident\n", label, s, k / 1024 }'
}

cat "$work/big.ordl" "$work/sheet.ordl" >/dev/null  # warm the page cache
run "load only ($entries entries)" --type xls "$work/big.ordl" "$work/refused.xls"
run "text ($entries entries)" --type text "$work/big.ordl" "$work/out.txt"
run "plain HTML ($entries entries)" --type html "$work/big.ordl" "$work/out.html"
run "HTML table ($entries entries)" --type table "$work/big.ordl" "$work/table.html"
run "XLS (65,535 entries)" --type xls "$work/sheet.ordl" "$work/out.xls"
ls -l "$work"/out.txt "$work"/out.html "$work"/table.html "$work"/out.xls | awk '{printf "%-12s %10d bytes\n", $NF, $5}' |
  sed "s|$work/||"
