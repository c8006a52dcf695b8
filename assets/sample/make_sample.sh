#!/usr/bin/env bash
# Makes the sample clip the README plays: ten seconds of ffmpeg's moving
# test picture with a tone, 640x360 at 30 fps, H.264 and AAC in MP4.
#   make_sample.sh <output.mp4>
set -euo pipefail

out=${1:?usage: make_sample.sh <output.mp4>}
ffmpeg_bin=${FFMPEG:-ffmpeg}
seconds=10

mkdir -p "$(dirname "$out")"
# The tone rises a fifth each second and back, so playback position is
# audible as well as visible.
"$ffmpeg_bin" -hide_banner -loglevel error -y \
  -f lavfi -i "testsrc2=size=640x360:rate=30:duration=${seconds}" \
  -f lavfi -i "aevalsrc='0.25*sin(2*PI*if(mod(floor(t),2),660,440)*t)|0.25*sin(2*PI*if(mod(floor(t),2),660,440)*t)':s=44100:d=${seconds}" \
  -c:v libx264 -preset veryfast -pix_fmt yuv420p -profile:v high \
  -c:a aac -b:a 128k \
  -shortest -movflags +faststart -map_metadata -1 \
  "$out"
