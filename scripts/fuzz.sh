#!/usr/bin/env bash
# Builds the fuzz targets with libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer (clang), and runs each for a bounded time
# (seconds, default 30) from the kept corpus. New inputs go to a scratch
# folder; add the interesting ones to tests/fuzz/corpus/<target> by hand.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-30}"
targets=(settings command_line registry_store)
if ! command -v clang++ >/dev/null; then
  echo "fuzz: clang++ is not installed (scripts/install-deps.sh installs it)" >&2
  exit 1
fi
if [ ! -f build-fuzz/build.ninja ]; then
  flags="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined -g -O1"
  CC=clang CXX=clang++ cmake -G Ninja -S . -B build-fuzz -DCMAKE_BUILD_TYPE=Debug -DQM_FUZZ=ON \
    -DQM_BUILD_BENCH=OFF -DCMAKE_C_FLAGS="$flags" -DCMAKE_CXX_FLAGS="$flags" \
    -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" >/dev/null
fi
cmake --build build-fuzz --target "${targets[@]/#/fuzz_}"
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
for target in "${targets[@]}"; do
  mkdir -p "$scratch/$target"
  echo "fuzz: $target for ${seconds}s"
  ASAN_OPTIONS=detect_leaks=0 build-fuzz/tests/fuzz_"$target" -max_total_time="$seconds" -max_len=4096 \
    -print_final_stats=1 "$scratch/$target" "tests/fuzz/corpus/$target" 2>&1 | tail -n 3
done
echo "fuzz: every target ran ${seconds}s without a finding"
