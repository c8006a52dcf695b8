#!/usr/bin/env bash
# Builds the player and its tests with AddressSanitizer and
# UndefinedBehaviorSanitizer into build-asan/ and runs the whole suite there
# (arguments go to ctest, e.g. -R <regex>). A memory fault, a leak or
# undefined behaviour in our code fails the test that met it; faults of the
# system's libraries are suppressed in tests/sanitizers/, each with its reason.
set -euo pipefail
cd "$(dirname "$0")/.."
root="$PWD"
# The test programs run at build time too (to list their tests), so the
# options hold for the build as well.
# Qt WebEngine's browser code (Chromium) frees objects of one type through a
# pointer to another in its teardown, so that one check is off.
export ASAN_OPTIONS="detect_leaks=1:strict_init_order=1:check_initialization_order=1:new_delete_type_mismatch=0"
export LSAN_OPTIONS="suppressions=$root/tests/sanitizers/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
if [ ! -f build-asan/build.ninja ]; then
  launcher=()
  if command -v ccache >/dev/null; then launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache); fi
  cmake -G Ninja -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-g -O1" -DCMAKE_C_FLAGS_DEBUG="-g -O1" \
    -DQM_SANITIZE=ON -DQM_BUILD_BENCH=OFF "${launcher[@]}" >/dev/null
fi
start=$SECONDS
cmake --build build-asan
echo "sanitize: built in $((SECONDS - start)) s"
start=$SECONDS
status=0
ctest --test-dir build-asan --output-on-failure -j2 "$@" || status=$?
echo "sanitize: the suite ran in $((SECONDS - start)) s"
exit $status
