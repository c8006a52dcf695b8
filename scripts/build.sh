#!/usr/bin/env bash
# Configures (once) and builds the player into build/, the program folder.
set -euo pipefail
cd "$(dirname "$0")/.."
if [ ! -f build/build.ninja ]; then
  cmake -G Ninja -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
fi
cmake --build build
