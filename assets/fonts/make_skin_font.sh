#!/usr/bin/env bash
# Makes the skin's own font, skin-font.ttf: WenQuanYi Micro Hei cut down to
# the characters the player's texts use (every non-ASCII character in src/
# and the help pages) plus Latin, general and CJK punctuation, under a name
# of its own so that it never stands in for the full font installed on the
# system. Texts outside it (file names, Qt's own dialogs) fall back to the
# system's fonts character by character.
#
# Shipping it makes the window's Chinese readable on a desktop without a
# Chinese font, and the window never maps the 5 MB system font just for its
# tabs and menus. Run it again after adding a text with a new character (the
# skin font test names any that are missing).
#
#   make_skin_font.sh            (needs fonts-wqy-microhei and python3-fonttools)
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
source_font=${SOURCE_FONT:-/usr/share/fonts/truetype/wqy/wqy-microhei.ttc}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

grep -rhoP '[^\x00-\x7f]' "$root/src" "$root/assets/help" | sort -u | tr -d '\n' >"$work/characters.txt"

# A fixed time stamp: the same texts make the same file.
SOURCE_DATE_EPOCH=1609459200 /usr/bin/python3 -m fontTools.subset "$source_font" --font-number=0 \
  --text-file="$work/characters.txt" \
  --unicodes='U+0020-007E,U+00A0-00FF,U+2010-2027,U+2030-203A,U+3000-303F,U+FF01-FF5E' \
  --layout-features='*' --output-file="$work/subset.ttf"

SOURCE_DATE_EPOCH=1609459200 /usr/bin/python3 - "$work/subset.ttf" "$here/skin-font.ttf" <<'EOF'
import sys
from fontTools.ttLib import TTFont

font = TTFont(sys.argv[1])
names = font["name"]
# Family, style, unique, full and PostScript names; the copyright and
# licence records stay.
names.names = [n for n in names.names if n.nameID not in (1, 2, 3, 4, 6, 16, 17)]
for platform, encoding, language in ((3, 1, 0x409), (1, 0, 0)):
    for name_id, text in ((1, "Quilmora Skin"), (2, "Regular"), (3, "Quilmora Skin Regular"),
                          (4, "Quilmora Skin"), (6, "QuilmoraSkin-Regular")):
        names.setName(text, name_id, platform, encoding, language)
font.save(sys.argv[2])
EOF
echo "wrote $here/skin-font.ttf ($(stat -c %s "$here/skin-font.ttf") bytes, $(wc -m <"$work/characters.txt") characters from the texts)"
