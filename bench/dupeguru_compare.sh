#!/usr/bin/env bash
# Side-by-side figures with the duplicate finder of Debian's dupeguru package on the same
# generated names. Installs dupeguru (never run in CI). dupeguru has no command-line entry
# point; its matching engine is a Python module, driven here the way its music mode drives
# it on file names (fuzzy word matching, threshold 80).
#   bench/dupeguru_compare.sh [TITLES] [SIMILAR_TITLES]     (default 20000 and 5000)
set -euo pipefail
titles=${1:-20000}
similar_titles=${2:-5000}
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build-bench"
if ! dpkg-query -W -f='${Status}' dupeguru 2>/dev/null | grep -q "install ok installed"; then
  sudo=()
  [ "$(id -u)" -ne 0 ] && sudo=(sudo)
  "${sudo[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends dupeguru
fi
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DORDONNA_BUILD_BENCH=ON \
  -DORDONNA_BUILD_TESTS=OFF -DORDONNA_BUILD_GUI=OFF >/dev/null
ninja -C "$build" bench_match >/dev/null
engine=$(dirname "$(dpkg -L dupeguru | grep '/core/engine.py$' | head -1)")
names=$(mktemp)
trap 'rm -f "$names"' EXIT

# One set of names: Ordonna's fast engine, then dupeguru's engine on the same names, and the ratio.
compare() {
  local count=$1 similar=$2 ours
  ours=$("$build/bench/bench_match" --names "$names" "$count" | sed -n 's/^ordonna fast engine: \([0-9.]*\) s.*/\1/p')
  python3 - "$names" "$(dirname "$engine")" "$similar" "$ours" <<'PY'
import sys, time
sys.path.insert(0, sys.argv[2])
from core import engine

class Named:
    def __init__(self, name):
        self.name = name
        self.words = engine.getwords(name)
        self.is_ref = False

with open(sys.argv[1], encoding="utf-8", errors="replace") as f:
    names = [line.rstrip("\n") for line in f]
similar = sys.argv[3] == "1"
ours = float(sys.argv[4])
objects = [Named(name) for name in names]
start = time.monotonic()
matches = engine.getmatches(objects, min_match_percentage=80, match_similar_words=similar, weight_words=True)
seconds = time.monotonic() - start
groups = engine.get_groups(matches)
print("%6d names  ordonna %7.2f s   dupeguru (similar words %s) %8.2f s, %d pairs   ratio %.0fx"
      % (len(names), ours, "on " if similar else "off", seconds, len(matches), seconds / max(ours, 1e-3)), flush=True)
PY
}

# Its default (whole words only) on the larger set; with similar words merged, which one-letter
# typos need, its pair loop is far slower, so on the smaller set.
compare "$titles" 0
compare "$similar_titles" 1
