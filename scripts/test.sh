#!/usr/bin/env bash
# Installs what is missing, checks the formatting, builds everything and runs all tests: once
# optimised (with assertions on), then once more under AddressSanitizer and UBSan, and the
# threaded tests (the search and comparison workers and their windows) under ThreadSanitizer.
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
  echo "== Threaded tests under ThreadSanitizer"
  # Only the targets whose tests run workers: the rest has no second thread to race with.
  tsan_targets=(match_tests ui_dupsearch_tests ui_compare_tests)
  cmake -S "$root" -B "$root/build-tsan" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g1" -DORDONNA_TSAN=ON >/dev/null
  ninja -C "$root/build-tsan" -j "$jobs" "${tsan_targets[@]}"
  mkdir -p "$root/build-tsan/tests/home"
  tsan_run() {
    ORDONNA_HOME="$root/build-tsan/tests/home" TSAN_OPTIONS="halt_on_error=1:suppressions=$root/scripts/tsan.supp" \
      QT_QPA_PLATFORM=offscreen "$(find "$root/build-tsan/tests" -name "$1" -type f)" "${@:2}"
  }
  # The long random sweeps compare results, not threads; the optimised pass runs them.
  tsan_run match_tests --gtest_brief=1 --gtest_filter=-Comparison.FastEngineRunsLikeThePairLoop:\
MatchEngine.SelfAndCrossPairsEqualThePairLoopOnRandomLists:MatchEngine.DuplicatesSearchRunsAlikeWithBothEngines
  tsan_run ui_dupsearch_tests
  tsan_run ui_compare_tests
fi
