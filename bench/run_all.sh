#!/usr/bin/env bash
# Runs every benchmark once and prints one table: the player's figures, plain
# mpv's (--vo=x11) measured in the same run, and their ratio. Figures only:
# nothing is checked. About four minutes on two cores.
#
#   bench/run_all.sh [build folder]   (default build)
#
# QUILMORA_BENCH_PROGRAM_DIR=<folder> measures the player kept in that folder
# (a copy of an earlier build's quilmora and its files) instead of the build's.
set -uo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
targets=(bench_player_first_frame bench_player_cpu_memory bench_player_list_locate bench_player_midi_start
         bench_slider_redraw bench_seek_preview)
cmake --build "$build" --target "${targets[@]}" quilmora swf_movies >/dev/null || exit 1

log=$(mktemp)
trap 'rm -f "$log"' EXIT
run() {
  echo "== $*" >&2
  "$@" 2>/dev/null | tee -a "$log" | grep -v '^FIGURE|' >&2
}
b="$build/bench"
run "$b/player_first_frame/bench_player_first_frame" 3
run "$b/player_cpu_memory/bench_player_cpu_memory" 10 video
run "$b/player_cpu_memory/bench_player_cpu_memory" 10 mp3
run "$b/player_list_locate/bench_player_list_locate" 10000
run "$b/player_midi_start/bench_player_midi_start" 25
run "$b/slider_redraw/bench_slider_redraw"
run "$b/seek_preview/bench_seek_preview" 10

echo
grep '^FIGURE|' "$log" | awk -F'|' '
  BEGIN { printf "%-56s %6s %12s %12s %8s\n", "figure", "unit", "quilmora", "mpv", "ratio" }
  {
    mpv = ($5 < 0) ? "-" : sprintf("%.1f", $5)
    ratio = ($5 > 0 && $4 >= 0) ? sprintf("%.2f", $4 / $5) : "-"
    quilmora = ($4 < 0) ? "failed" : sprintf("%.1f", $4)
    printf "%-56s %6s %12s %12s %8s\n", $2, $3, quilmora, mpv, ratio
  }'
