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
source "$root/bench/big_list.sh"
bench_build_cli "$root" "$build"
cli="$build/cli/ordonna-cli"

bench_work_folder
bench_write_list "$work/big.ordl" "$entries"
bench_write_list "$work/sheet.ordl" 65535
bench_every_column_options "$cli" "$work/options.ini"

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
