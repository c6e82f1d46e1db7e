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
source "$root/bench/big_list.sh"
bench_build_cli "$root" "$build"
cli="$build/cli/ordonna-cli"

bench_work_folder
bench_write_list "$work/big.ordl" "$entries"
bench_every_column_options "$cli" "$work/options.ini"
# No caption on the table.
python3 -c 'import sys; p = sys.argv[1]; d = bytearray(open(p, "rb").read()); d[33] = 0; open(p, "wb").write(d)' \
  "$work/options.ini"

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
