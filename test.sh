#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test.
#   ./test.sh               build/ as RelWithDebInfo, all tests and benchmarks
#   ./test.sh --sanitizer   build-san/ with AddressSanitizer and
#                           UndefinedBehaviorSanitizer, all tests; any finding
#                           (memory error, leak, undefined behaviour) fails
set -euo pipefail
cd "$(dirname "$0")"
source tools/setup.sh
wirbelix_pakete
jobs=$(nproc 2>/dev/null || echo 2)

if [ "${1:-}" != "--sanitizer" ]; then
  wirbelix_bauen -DWIRBELIX_BUILD_TESTS=ON -DWIRBELIX_BUILD_BENCH=ON
  ctest --test-dir build --output-on-failure -j "$jobs"
  exit 0
fi

san="-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer"
mkdir -p build-san
echo "Baue Wirbelix mit Sanitizern (Protokoll: build-san/bauen.log) ..."
# The tools that make the demo data run during the build: leaks in them are
# not the game's, but their memory errors are.
export ASAN_OPTIONS="detect_leaks=0:halt_on_error=1:abort_on_error=0"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
if ! { cmake -S . -B build-san -DCMAKE_BUILD_TYPE=RelWithDebInfo \
         -DCMAKE_CXX_FLAGS="$san" -DCMAKE_EXE_LINKER_FLAGS="$san" -DCMAKE_SHARED_LINKER_FLAGS="$san" \
         -DWIRBELIX_BUILD_TESTS=ON -DWIRBELIX_BUILD_BENCH=OFF &&
       cmake --build build-san -j "$jobs"; } >build-san/bauen.log 2>&1; then
  tail -n 60 build-san/bauen.log
  echo "Der Bau mit Sanitizern ist fehlgeschlagen; das ganze Protokoll steht in build-san/bauen.log."
  exit 1
fi

# Every finding ends the test program with a failure. Qt, fontconfig and
# PulseAudio are not instrumented; the few leaks that lie wholly inside them
# are listed in tests/sanitizer/lsan.supp.
# intercept_strndup=0: libxkbcommon-x11 hands strndup a length past the end
# of X's reply buffer; the real strndup stops at the string's end inside the
# buffer, but the sanitizer's wrapper checks the whole length, and would fail
# every run under X for a library we do not build.
export ASAN_OPTIONS="detect_leaks=1:halt_on_error=1:abort_on_error=0:exitcode=23:strict_string_checks=1:detect_stack_use_after_return=1:check_initialization_order=1:intercept_strndup=0"
export LSAN_OPTIONS="suppressions=$PWD/tests/sanitizer/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1:suppressions=$PWD/tests/sanitizer/ubsan.supp"
# The sanitized program needs longer to bring its main window up.
export WIRBELIX_STARTZEIT=6
ctest --test-dir build-san --output-on-failure -j "$jobs"
