#!/usr/bin/env bash
# Runs the player on the given file, or on the bundled sample clip. Without a
# display it runs under a virtual screen, saves a screenshot and says where.
set -euo pipefail
cd "$(dirname "$0")/.."
file="${1:-$PWD/build/sample/sample.mp4}"

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  exec build/quilmora "$file"
fi

shot="$PWD/build/screenshot.png"
runtime="$(mktemp -d)"
export XDG_RUNTIME_DIR="$runtime"
player=""
Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$runtime/display" >/dev/null 2>&1 &
xvfb=$!
trap 'kill $player $xvfb 2>/dev/null || true; rm -rf "$runtime"' EXIT
for _ in $(seq 100); do [ -s "$runtime/display" ] && break; sleep 0.1; done
export DISPLAY=":$(head -n1 "$runtime/display")"
build/quilmora "$file" &
player=$!
sleep "${QM_SHOT_DELAY:-4}"
import -window root "$shot"
kill -TERM "$player"
wait "$player" || true
echo "The player ran on $file under a virtual screen; screenshot: $shot"
