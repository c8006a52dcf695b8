#!/usr/bin/env bash
# Builds the SWF reader's fuzz target with clang's libFuzzer and runs it for
# a bounded time (seconds, default 60) on a copy of the corpus; new crashes
# are left in build/fuzz/ as crash-* files and fail the run.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
seconds="${1:-60}"
out="$root/build/fuzz"
mkdir -p "$out/corpus"
cp -n "$root"/tests/fuzz/corpus/swf_reader/* "$out/corpus/"
clang++ -std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
  -I"$root/src" "$root/tests/fuzz/swf_reader_fuzz.cpp" \
  "$root/src/platform/swf/swf_file.cpp" "$root/src/platform/swf/zlib_inflate.cpp" \
  "$root/src/platform/swf/drawn_movie.cpp" "$root/src/platform/swf/shape_records.cpp" \
  "$root/src/platform/swf/bitmap_records.cpp" "$root/src/platform/swf/text_records.cpp" \
  "$root/src/platform/swf/morph_records.cpp" "$root/src/platform/swf/frame_script.cpp" -lz \
  -o "$out/fuzz_swf_reader"
cd "$out"
./fuzz_swf_reader -max_total_time="$seconds" -max_len=65536 -rss_limit_mb=1024 -timeout=5 corpus
