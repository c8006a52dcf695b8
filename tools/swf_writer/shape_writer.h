#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "platform/swf/swf_builder.h"

namespace qm::swf_writer {

// The body of a DefineShape3 tag drawn edge by edge, for movies of shapes
// with shared edges, curves and outlines; with flatEnds a DefineShape4 whose
// lines end flat. Coordinates are twips; styles count from 1, 0 being none.
class ShapeWriter {
 public:
  explicit ShapeWriter(uint16_t id, bool flatEnds = false) : id_(id), flatEnds_(flatEnds) {}
  uint16_t tagCode() const { return flatEnds_ ? tag::kDefineShape4 : tag::kDefineShape3; }

  ShapeWriter& solidFill(Color colour, uint8_t alpha = 255);
  // A bitmap repeated over the fill, each of its pixels `scale` twips wide
  // and high; smoothed when scaled, or not.
  ShapeWriter& bitmapFill(uint16_t bitmapId, int32_t scaleX, int32_t scaleY, bool smooth);
  ShapeWriter& line(uint16_t widthTwips, Color colour);
  // Starts a path at (x, y) with the fills on its left (fill0) and right
  // (fill1) and its line style.
  ShapeWriter& moveTo(int32_t x, int32_t y, uint32_t fill0, uint32_t fill1, uint32_t line);
  ShapeWriter& lineTo(int32_t x, int32_t y);
  ShapeWriter& curveTo(int32_t controlX, int32_t controlY, int32_t x, int32_t y);

  std::vector<uint8_t> body() const;
  // The edges alone as a font's glyph (SHAPE), filled with style 1.
  std::vector<uint8_t> glyphBody() const;

 private:
  struct Record {
    enum class Kind { kMove, kLine, kCurve } kind;
    int32_t x, y, controlX = 0, controlY = 0;
    uint32_t fill0 = 0, fill1 = 0, line = 0;
  };
  void writeRecords(ByteWriter& out, int fillBits, int lineBits) const;

  uint16_t id_;
  bool flatEnds_;
  struct FillStyle {
    Color colour;
    uint8_t alpha = 255;
    std::optional<uint16_t> bitmapId;
    int32_t scaleX = 1, scaleY = 1;
    bool smooth = true;
  };
  std::vector<FillStyle> fills_;
  std::vector<std::pair<uint16_t, Color>> lines_;
  std::vector<Record> records_;
};

// A PlaceObject2 body that moves what a depth shows to (x, y) twips and,
// when multiplyRed is not 256, scales its red by multiplyRed / 256.
std::vector<uint8_t> moveObjectBody(uint16_t depth, int32_t x, int32_t y, int16_t multiplyRed = 256);
// The same for a character placed anew.
std::vector<uint8_t> placeObjectBody(uint16_t characterId, uint16_t depth, int32_t x, int32_t y,
                                     int16_t multiplyRed = 256);
// A DefineSprite body: a timeline of its own made of these tags (code,
// body), ShowFrame among them; the End tag is added.
std::vector<uint8_t> spriteBody(uint16_t id, const std::vector<std::pair<uint16_t, std::vector<uint8_t>>>& tags);
// A DefineBitsLossless body of 32-bit pixels (0xRRGGBB each).
std::vector<uint8_t> losslessBitmapBody(uint16_t id, int width, int height, const std::vector<uint32_t>& pixels);
// A DefineBitsJPEG2 body of this JPEG file, after the stray end and start of
// stream that Flash's own tools write before it.
std::vector<uint8_t> jpegBitmapBody(uint16_t id, const std::vector<uint8_t>& jpeg);
// A DefineFont body of these glyphs' outlines (a 1024-unit em square,
// y up from the baseline negative).
std::vector<uint8_t> fontBody(uint16_t id, const std::vector<ShapeWriter>& glyphs);
// A DefineText body: one run of the font's glyphs (index, advance in
// twips) at (x, y) twips, `heightTwips` high, in one colour.
std::vector<uint8_t> textBody(uint16_t id, uint16_t fontId, uint16_t heightTwips, Color colour, int16_t x, int16_t y,
                              const std::vector<std::pair<uint8_t, int16_t>>& glyphs);
// A DefineMorphShape body: a rectangle at the origin `height` twips high,
// growing from startWidth to endWidth twips wide and from one colour to the
// other as its ratio goes from 0 to 65535.
std::vector<uint8_t> morphRectangleBody(uint16_t id, int32_t startWidth, int32_t endWidth, int32_t height,
                                        Color startColour, Color endColour);
// A PlaceObject2 body placing a morph shape at (x, y) twips at a ratio.
std::vector<uint8_t> placeMorphBody(uint16_t characterId, uint16_t depth, int32_t x, int32_t y, uint16_t ratio);
// A RemoveObject2 body.
std::vector<uint8_t> removeObjectBody(uint16_t depth);

}  // namespace qm::swf_writer
