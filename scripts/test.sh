#!/usr/bin/env bash
# Runs every test of the built tree.
set -euo pipefail
cd "$(dirname "$0")/.."
ctest --test-dir build --output-on-failure -j2 "$@"
