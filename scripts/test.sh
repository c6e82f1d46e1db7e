#!/usr/bin/env bash
# Installs what is missing, checks the formatting, builds everything and runs all tests: once
# optimised (with assertions on), then once more under AddressSanitizer and UBSan.
#   scripts/test.sh [--no-sanitize]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/deps.sh"
ordonna_install_missing

sanitize=1
[ "${1:-}" = "--no-sanitize" ] && sanitize=0
jobs=$(nproc)

# Optimised with assertions on; line tables at most (stack traces), which keeps the build short.
run_suite() {
  local build=$1 flags=$2
  shift 2
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="$flags" "$@" >/dev/null
  ninja -C "$build" -j "$jobs"
  ctest --test-dir "$build" -j "$jobs" --output-on-failure
}

echo "== Formatting"
bash "$root/scripts/format.sh" --check

echo "== Tests"
run_suite "$root/build-test" "-O2"
if [ "$sanitize" -eq 1 ]; then
  echo "== Tests under AddressSanitizer and UBSan"
  ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    run_suite "$root/build-asan" "-O1 -g1" -DORDONNA_SANITIZE=ON
fi
