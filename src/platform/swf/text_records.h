#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <vector>

#include "platform/swf/drawn_movie.h"

namespace qm::swf {

// Static text drawn with the glyph outlines its font embeds.

struct Font {
  std::vector<Shape> glyphs;
  // DefineFont3 draws its glyphs at 20 times the size of the older fonts'
  // 1024-unit em square.
  double unitsPerEm = 1024;
};

// DefineFont (version 1), DefineFont2 (2) or DefineFont3 (3), the body
// after the font's id: its glyphs' outlines. Edges beyond maxEdges give
// nothing.
std::optional<Font> readFont(std::span<const uint8_t> body, int version, size_t maxEdges);

// DefineText (version 1) or DefineText2 (2), the body after the text's id:
// its glyphs laid out and coloured, as one shape. A glyph or font the
// movie does not define, or more than maxEdges edges, gives nothing.
std::optional<Shape> readText(std::span<const uint8_t> body, int version, const std::map<uint16_t, Font>& fonts,
                              size_t maxEdges);

}  // namespace qm::swf
