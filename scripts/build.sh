#!/usr/bin/env bash
# Configures (once) and builds the player and its program folder into build/.
# The tests, benchmarks and the header check are built by scripts/test.sh.
set -euo pipefail
cd "$(dirname "$0")/.."
if [ ! -f build/build.ninja ]; then
  launcher=()
  if command -v ccache >/dev/null; then launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache); fi
  cmake -G Ninja -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}"
fi
cmake --build build --target player
