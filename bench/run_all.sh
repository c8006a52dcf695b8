#!/usr/bin/env bash
# Usage: bench/run_all.sh [build folder]   (default build)
#
# Runs every benchmark once and prints one table of their figures; where a
# figure has a reference measured in the same run (plain mpv with --vo=x11,
# `ls -1`, the player started with a 720p clip), the reference and the ratio player / reference follow. Figures
# only: nothing is checked. About nine minutes on two cores.
#
# QUILMORA_BENCH_PROGRAM_DIR=<folder> measures the player kept in that folder
# (a copy of an earlier build's quilmora and its files) instead of the build's.
set -uo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
targets=(bench_player_first_frame bench_player_cpu_memory bench_player_list_locate bench_player_midi_start
         bench_slider_redraw bench_flash_movie bench_browser_large_folder bench_window_layout bench_slide_show
         bench_seek_preview)
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
# 30 s for the MP3: at under 2 % of a core, /proc counts only 15 ticks in 10 s.
run "$b/player_cpu_memory/bench_player_cpu_memory" 30 mp3
run "$b/player_list_locate/bench_player_list_locate" 10000 100000
run "$b/player_midi_start/bench_player_midi_start" 25
run "$b/slider_redraw/bench_slider_redraw"
run "$b/flash_movie/bench_flash_movie" 5
run "$b/browser_large_folder/bench_browser_large_folder" 10000 100000
run "$b/window_layout/bench_window_layout" 2000
run "$b/slide_show/bench_slide_show" 1000
run "$b/seek_preview/bench_seek_preview" 10

echo
grep '^FIGURE|' "$log" | awk -F'|' '
  function show(value, unit) { return unit == "count" ? sprintf("%d", value) : sprintf("%.1f", value) }
  BEGIN { printf "%-66s %5s %10s  %-6s %10s %7s\n", "figure", "unit", "quilmora", "vs", "reference", "ratio" }
  {
    against = ($5 < 0) ? "-" : ($6 == "" ? "mpv" : $6)
    reference = ($5 < 0) ? "-" : show($5, $3)
    ratio = ($5 > 0 && $4 >= 0) ? sprintf("%.2f", $4 / $5) : "-"
    quilmora = ($4 < 0) ? "failed" : show($4, $3)
    printf "%-66s %5s %10s  %-6s %10s %7s\n", $2, $3, quilmora, against, reference, ratio
  }'
