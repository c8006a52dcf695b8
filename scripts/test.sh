#!/usr/bin/env bash
# Runs every test of the built tree.
set -euo pipefail
cd "$(dirname "$0")/.."
# The whole run also fuzzes the readers of outside input for a bounded time,
# before the suite so that the suite's summary closes the output.
if [ $# -eq 0 ]; then scripts/fuzz.sh "${QM_FUZZ_SECONDS:-20}"; fi
ctest --test-dir build --output-on-failure -j2 "$@"
