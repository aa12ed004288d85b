#!/usr/bin/env bash
# Builds Ledgerline and runs every test:
#   1. the normal build and the whole suite
#   2. the whole suite again under AddressSanitizer + UndefinedBehaviorSanitizer
#   3. the threaded tests under ThreadSanitizer
#   4. a short smoke run of every fuzz target (clang, libFuzzer)
# Fails when a test fails, a sanitizer reports, or no test ran at all.
#   --quick   only stage 1
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
quick=0
[ "${1:-}" = "--quick" ] && quick=1
jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen

stage() { printf '\n==== %s ====\n' "$*"; }

run_suite() { # build-dir [ctest args...]
  local dir=$1; shift
  local count
  count=$(ctest --test-dir "$dir" -N "$@" | sed -n 's/^Total Tests: //p')
  if [ -z "$count" ] || [ "$count" -eq 0 ]; then
    echo "test: no tests were found in $dir" >&2
    exit 1
  fi
  ctest --test-dir "$dir" --output-on-failure --parallel "$jobs" --timeout 1500 "$@"
}

stage "build and test"
scripts/build.sh build
run_suite build

[ $quick -eq 1 ] && exit 0

stage "AddressSanitizer + UndefinedBehaviorSanitizer"
scripts/build.sh build-asan -DLEDGERLINE_SANITIZE=address,undefined -DLEDGERLINE_BUILD_BENCH=OFF
ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:detect_stack_use_after_return=1" \
LSAN_OPTIONS="suppressions=$root/scripts/sanitizers/lsan.supp:print_suppressions=0" \
UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1" \
  run_suite build-asan

stage "ThreadSanitizer (threaded tests)"
threaded='GuiQueue|SharedBetweenThreads|SecondThread|test_ui_window|BatchRun'
cmake -S . -B build-tsan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLEDGERLINE_SANITIZE=thread \
  -DLEDGERLINE_BUILD_BENCH=OFF >/dev/null
cmake --build build-tsan --parallel "$jobs"
TSAN_OPTIONS="halt_on_error=1:second_deadlock_stack=1:suppressions=$root/scripts/sanitizers/tsan.supp" \
  run_suite build-tsan -R "$threaded"

stage "fuzz smoke runs"
scripts/fuzz.sh smoke
