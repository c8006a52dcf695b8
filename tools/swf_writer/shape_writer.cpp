#include "swf_writer/shape_writer.h"

#include <zlib.h>

#include <algorithm>
#include <climits>

namespace qm::swf_writer {
namespace {

int bitsForIndex(size_t count) {
  int bits = 0;
  while ((size_t(1) << bits) <= count) ++bits;
  return bits;
}

// A straight edge record by (dx, dy) twips.
void writeStraightEdge(ByteWriter& out, int32_t dx, int32_t dy) {
  const int size = std::max(2, signedBitsFor({dx, dy}));
  out.bits(0b11, 2);  // edge, straight
  out.bits(size - 2, 4);
  out.bits(1, 1);  // general line
  out.signedBits(dx, size);
  out.signedBits(dy, size);
}

}  // namespace

ShapeWriter& ShapeWriter::solidFill(Color colour, uint8_t alpha) {
  fills_.push_back(FillStyle{colour, alpha, std::nullopt});
  return *this;
}

ShapeWriter& ShapeWriter::bitmapFill(uint16_t bitmapId, int32_t scaleX, int32_t scaleY, bool smooth) {
  fills_.push_back(FillStyle{{}, 255, bitmapId, scaleX, scaleY, smooth});
  return *this;
}

ShapeWriter& ShapeWriter::line(uint16_t widthTwips, Color colour) {
  lines_.emplace_back(widthTwips, colour);
  return *this;
}

ShapeWriter& ShapeWriter::moveTo(int32_t x, int32_t y, uint32_t fill0, uint32_t fill1, uint32_t line) {
  records_.push_back({Record::Kind::kMove, x, y, 0, 0, fill0, fill1, line});
  return *this;
}

ShapeWriter& ShapeWriter::lineTo(int32_t x, int32_t y) {
  records_.push_back({Record::Kind::kLine, x, y});
  return *this;
}

ShapeWriter& ShapeWriter::curveTo(int32_t controlX, int32_t controlY, int32_t x, int32_t y) {
  records_.push_back({Record::Kind::kCurve, x, y, controlX, controlY});
  return *this;
}

std::vector<uint8_t> ShapeWriter::body() const {
  int32_t left = INT_MAX, right = INT_MIN, top = INT_MAX, bottom = INT_MIN;
  for (const Record& record : records_) {
    left = std::min({left, record.x, record.controlX});
    right = std::max({right, record.x, record.controlX});
    top = std::min({top, record.y, record.controlY});
    bottom = std::max({bottom, record.y, record.controlY});
  }
  ByteWriter out;
  out.u16(id_);
  writeRect(out, left, right, top, bottom);
  if (flatEnds_) {
    writeRect(out, left, right, top, bottom);
    out.u8(0);  // no flags
  }
  out.u8(static_cast<uint8_t>(fills_.size()));
  for (const FillStyle& fill : fills_) {
    if (fill.bitmapId) {
      out.u8(fill.smooth ? 0x40 : 0x42);
      out.u16(*fill.bitmapId);
      out.bits(1, 1);  // scale, in 16.16
      const int size = signedBitsFor({fill.scaleX << 16, fill.scaleY << 16});
      out.bits(size, 5);
      out.signedBits(fill.scaleX << 16, size);
      out.signedBits(fill.scaleY << 16, size);
      out.bits(0, 1);  // no rotation
      out.bits(0, 5);  // no translation
      continue;
    }
    out.u8(0x00);
    out.rgb(fill.colour.red, fill.colour.green, fill.colour.blue);
    out.u8(fill.alpha);
  }
  out.u8(static_cast<uint8_t>(lines_.size()));
  for (const auto& [width, colour] : lines_) {
    out.u16(width);
    if (flatEnds_) {
      out.bits(0b01, 2);  // no cap at the start
      out.bits(0, 2);     // round joins
      out.bits(0, 4 + 5 + 1);
      out.bits(0b01, 2);  // nor at the end
    }
    out.rgb(colour.red, colour.green, colour.blue);
    out.u8(255);
  }
  writeRecords(out, bitsForIndex(fills_.size()), bitsForIndex(lines_.size()));
  return out.take();
}

std::vector<uint8_t> ShapeWriter::glyphBody() const {
  ByteWriter out;
  writeRecords(out, 1, 0);
  return out.take();
}

void ShapeWriter::writeRecords(ByteWriter& out, int fillBits, int lineBits) const {
  out.bits(fillBits, 4);
  out.bits(lineBits, 4);
  int32_t penX = 0, penY = 0;
  for (const Record& record : records_) {
    if (record.kind == Record::Kind::kMove) {
      out.bits(0, 1);
      out.bits(0b01111, 5);  // line, fill1, fill0 and a move
      const int size = signedBitsFor({record.x, record.y});
      out.bits(size, 5);
      out.signedBits(record.x, size);
      out.signedBits(record.y, size);
      out.bits(record.fill0, fillBits);
      out.bits(record.fill1, fillBits);
      out.bits(record.line, lineBits);
    } else if (record.kind == Record::Kind::kLine) {
      writeStraightEdge(out, record.x - penX, record.y - penY);
    } else {
      const int32_t cx = record.controlX - penX, cy = record.controlY - penY;
      const int32_t ax = record.x - record.controlX, ay = record.y - record.controlY;
      const int size = std::max(2, signedBitsFor({cx, cy, ax, ay}));
      out.bits(0b10, 2);  // edge, curved
      out.bits(size - 2, 4);
      for (int32_t value : {cx, cy, ax, ay}) out.signedBits(value, size);
    }
    penX = record.x;
    penY = record.y;
  }
  out.bits(0, 6);
}

namespace {

std::vector<uint8_t> placeBody(bool move, uint16_t characterId, uint16_t depth, int32_t x, int32_t y,
                               int16_t multiplyRed, std::optional<uint16_t> ratio = std::nullopt) {
  constexpr uint8_t kMove = 0x01, kHasCharacter = 0x02, kHasMatrix = 0x04, kHasColourTransform = 0x08, kHasRatio = 0x10;
  const bool tinted = multiplyRed != 256;
  ByteWriter out;
  out.u8((move ? kMove : kHasCharacter) | kHasMatrix | (tinted ? kHasColourTransform : 0) | (ratio ? kHasRatio : 0));
  out.u16(depth);
  if (!move) out.u16(characterId);
  out.bits(0, 2);  // no scale, no rotation
  const int size = signedBitsFor({x, y});
  out.bits(size, 5);
  out.signedBits(x, size);
  out.signedBits(y, size);
  if (tinted) {
    out.align();
    const int bits = signedBitsFor({multiplyRed, 256});
    out.bits(0b01, 2);  // multiply terms only
    out.bits(bits, 4);
    for (int16_t value : {multiplyRed, int16_t(256), int16_t(256), int16_t(256)}) out.signedBits(value, bits);
  }
  if (ratio) out.u16(*ratio);
  return out.take();
}

}  // namespace

std::vector<uint8_t> moveObjectBody(uint16_t depth, int32_t x, int32_t y, int16_t multiplyRed) {
  return placeBody(true, 0, depth, x, y, multiplyRed);
}

std::vector<uint8_t> placeObjectBody(uint16_t characterId, uint16_t depth, int32_t x, int32_t y, int16_t multiplyRed) {
  return placeBody(false, characterId, depth, x, y, multiplyRed);
}

std::vector<uint8_t> spriteBody(uint16_t id, const std::vector<std::pair<uint16_t, std::vector<uint8_t>>>& tags) {
  ByteWriter out;
  out.u16(id);
  out.u16(static_cast<uint16_t>(
      std::count_if(tags.begin(), tags.end(), [](const auto& tag) { return tag.first == tag::kShowFrame; })));
  for (const auto& [code, body] : tags) {
    out.u16(static_cast<uint16_t>(code << 6 | 0x3f));  // the long form takes any length
    out.u32(static_cast<uint32_t>(body.size()));
    out.bytes(body);
  }
  out.u16(0);  // End
  return out.take();
}

std::vector<uint8_t> losslessBitmapBody(uint16_t id, int width, int height, const std::vector<uint32_t>& pixels) {
  std::vector<uint8_t> data;
  for (uint32_t pixel : pixels) data.insert(data.end(), {0, uint8_t(pixel >> 16), uint8_t(pixel >> 8), uint8_t(pixel)});
  uLongf size = compressBound(data.size());
  std::vector<uint8_t> packed(size);
  compress2(packed.data(), &size, data.data(), data.size(), Z_BEST_COMPRESSION);
  packed.resize(size);
  ByteWriter out;
  out.u16(id);
  out.u8(5);  // 32-bit pixels
  out.u16(static_cast<uint16_t>(width));
  out.u16(static_cast<uint16_t>(height));
  out.bytes(packed);
  return out.take();
}

std::vector<uint8_t> jpegBitmapBody(uint16_t id, const std::vector<uint8_t>& jpeg) {
  ByteWriter out;
  out.u16(id);
  out.bytes({0xff, 0xd9, 0xff, 0xd8});
  out.bytes(jpeg);
  return out.take();
}

std::vector<uint8_t> fontBody(uint16_t id, const std::vector<ShapeWriter>& glyphs) {
  std::vector<std::vector<uint8_t>> outlines;
  for (const ShapeWriter& glyph : glyphs) outlines.push_back(glyph.glyphBody());
  ByteWriter out;
  out.u16(id);
  size_t offset = outlines.size() * 2;
  for (const auto& outline : outlines) {
    out.u16(static_cast<uint16_t>(offset));
    offset += outline.size();
  }
  for (const auto& outline : outlines) out.bytes(outline);
  return out.take();
}

std::vector<uint8_t> textBody(uint16_t id, uint16_t fontId, uint16_t heightTwips, Color colour, int16_t x, int16_t y,
                              const std::vector<std::pair<uint8_t, int16_t>>& glyphs) {
  ByteWriter out;
  out.u16(id);
  writeRect(out, 0, 0, 0, 0);  // bounds: the reader goes by the glyphs
  out.align();
  out.bits(0, 2);                            // the text's matrix: no scale, no rotation
  out.bits(0, 5);                            // nor translation
  out.u8(8);                                 // glyph index bits
  out.u8(16);                                // advance bits
  out.u8(0x80 | 0x08 | 0x04 | 0x02 | 0x01);  // a record with font, colour and both offsets
  out.u16(fontId);
  out.rgb(colour.red, colour.green, colour.blue);
  out.u16(static_cast<uint16_t>(x));
  out.u16(static_cast<uint16_t>(y));
  out.u16(heightTwips);
  out.u8(static_cast<uint8_t>(glyphs.size()));
  for (const auto& [index, advance] : glyphs) {
    out.bits(index, 8);
    out.signedBits(advance, 16);
  }
  out.u8(0);  // the end of the records
  return out.take();
}

std::vector<uint8_t> placeMorphBody(uint16_t characterId, uint16_t depth, int32_t x, int32_t y, uint16_t ratio) {
  return placeBody(false, characterId, depth, x, y, 256, ratio);
}

std::vector<uint8_t> morphRectangleBody(uint16_t id, int32_t startWidth, int32_t endWidth, int32_t height,
                                        Color startColour, Color endColour) {
  // Edges of a rectangle from the origin, clockwise, after a move to it.
  auto edges = [height](int32_t width, bool filled) {
    ByteWriter out;
    out.bits(1, 4);  // fill style index bits
    out.bits(0, 4);  // line style index bits
    out.bits(0, 1);
    out.bits(filled ? 0b00101 : 0b00001, 5);  // the fill on the right, and a move
    out.bits(1, 5);
    out.signedBits(0, 1);
    out.signedBits(0, 1);
    if (filled) out.bits(1, 1);
    for (auto [dx, dy] : {std::pair{width, 0}, {0, height}, {-width, 0}, {0, -height}}) writeStraightEdge(out, dx, dy);
    out.bits(0, 6);
    return out.take();
  };
  ByteWriter styles;
  styles.u8(1);
  styles.u8(0x00);  // solid, from one colour to the other
  styles.rgb(startColour.red, startColour.green, startColour.blue);
  styles.u8(255);
  styles.rgb(endColour.red, endColour.green, endColour.blue);
  styles.u8(255);
  styles.u8(0);  // no lines
  styles.bytes(edges(startWidth, true));
  ByteWriter out;
  out.u16(id);
  writeRect(out, 0, startWidth, 0, height);
  out.align();
  writeRect(out, 0, endWidth, 0, height);
  out.align();
  out.u32(static_cast<uint32_t>(styles.data().size()));
  out.bytes(styles.data());
  out.bytes(edges(endWidth, false));
  return out.take();
}

std::vector<uint8_t> removeObjectBody(uint16_t depth) {
  ByteWriter out;
  out.u16(depth);
  return out.take();
}

}  // namespace qm::swf_writer
