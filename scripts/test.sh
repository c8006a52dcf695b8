#!/usr/bin/env bash
# Builds what the player's build left out and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
status=0
# Everything the player's build left out: the tests, benchmarks, header check.
cmake --build build
# The whole run also fuzzes the readers of outside input for a bounded time
# and runs the suite once under the sanitizers (scripts/sanitize.sh, its own
# build in build-asan/), before the suite so that the suite's summary closes
# the output.
if [ $# -eq 0 ]; then
  scripts/fuzz.sh "${QM_FUZZ_SECONDS:-20}"
  scripts/sanitize.sh || status=$?
fi
ctest --test-dir build --output-on-failure -j2 "$@" || status=$?
exit $status
