#!/usr/bin/env bash
# Makes the player's background music: a short tune of our own, synthesised
# by ffmpeg's aevalsrc and encoded as WMA.
#   make_music.sh <output.wma>
# The tune is the two tables below; everything else is the instrument.
set -euo pipefail

out=${1:?usage: make_music.sh <output.wma>}
ffmpeg_bin=${FFMPEG:-ffmpeg}

tempo=84  # beats a minute, four beats a bar

# Melody: note and length in beats, one bar a line.
melody="
E4 1    G4 1    C5 1.5  B4 0.5
A4 2    E4 1    A4 1
F4 1    A4 1    C5 1    D5 1
B4 2    G4 2
E5 1    D5 0.5  C5 0.5  G4 1    C5 1
A4 1.5  B4 0.5  C5 1    E5 1
D5 1    C5 1    B4 1    D5 1
C5 4
"

# Chords under it: root, major or minor, length in beats.
chords="
C3 maj 4
A2 min 4
F2 maj 4
G2 maj 4
C3 maj 4
A2 min 4
F2 maj 2  G2 maj 2
C3 maj 4
"

# Turns a table into a chain of if(lt(t,end), store note registers, ...):
# registers a, a+1, a+2 (and a+3 for chords) hold the sounding note's
# frequency, start time and length; past the last note the length is -1.
chain() {
  local kind=$1 base=$2 table=$3
  awk -v kind="$kind" -v base="$base" -v beat="$(awk -v t="$tempo" 'BEGIN { print 60 / t }')" '
    function freq(name,   letter, octave, accidental, semis) {
      letter = substr(name, 1, 1); accidental = 0
      if (substr(name, 2, 1) == "#") { accidental = 1; octave = substr(name, 3) }
      else if (substr(name, 2, 1) == "b") { accidental = -1; octave = substr(name, 3) }
      else octave = substr(name, 2)
      semis = index("C D EF G A B", letter) - 1 + accidental
      return 440 * 2 ^ ((semis + 12 * (octave + 1) - 69) / 12)
    }
    {
      step = (kind == "chord") ? 3 : 2
      for (i = 1; i <= NF; i += step) {
        len = $(i + step - 1) * beat
        f = freq($i)
        third = (kind == "chord" && $(i + 1) == "min") ? 1.2 : 1.25
        expr = expr sprintf("if(lt(t,%.4f),st(%d,%.3f)+st(%d,%.4f)+st(%d,%.4f)", now + len, base, f, base + 1, now, base + 2, len)
        if (kind == "chord") expr = expr sprintf("+st(%d,%.2f)", base + 3, third)
        expr = expr ","
        closing = closing ")"
        now += len
      }
    }
    END {
      printf "%sst(%d,-1)%s", expr, base + 2, closing
      printf "\n%.4f\n", now
    }' <<<"$table"
}

melody_chain=$(chain note 0 "$melody" | head -n 1)
chord_chain=$(chain chord 4 "$chords" | head -n 1)
tune_length=$(chain note 0 "$melody" | tail -n 1)
duration=$(awk -v n="$tune_length" 'BEGIN { printf "%.2f", n + 1.2 }')

# Lead: a sine with two soft overtones, a quick attack, a gentle decay and a
# short release before the next note so notes never click.
lead="(st(8,t-ld(1));clip(ld(8)/0.015,0,1)*exp(-2.2*ld(8))*clip((ld(2)-ld(8))/0.06,0,1)*(sin(2*PI*ld(0)*ld(8))+0.3*sin(4*PI*ld(0)*ld(8))+0.12*sin(6*PI*ld(0)*ld(8))))"
# Pad: root, third and fifth, slow attack, long sustain.
pad="(st(9,t-ld(5));clip(ld(9)/0.12,0,1)*exp(-0.35*ld(9))*clip((ld(6)-ld(9))/0.15,0,1)*(sin(2*PI*ld(4)*ld(9))+0.45*sin(2*PI*ld(4)*ld(7)*ld(9))+0.5*sin(3*PI*ld(4)*ld(9))))"

both="${melody_chain};${chord_chain}"
left="${both};0.32*${lead}+0.16*${pad}"
right="${both};0.26*${lead}+0.21*${pad}"

"$ffmpeg_bin" -hide_banner -loglevel error -y \
  -f lavfi -i "aevalsrc='${left}|${right}':s=44100:d=${duration}" \
  -af "afade=t=out:st=$(awk -v d="$duration" 'BEGIN { print d - 1.0 }'):d=1.0" \
  -c:a wmav2 -b:a 128k -ar 44100 -ac 2 \
  -fflags +bitexact -flags:a +bitexact -map_metadata -1 \
  "$out"
