#include "platform/swf/swf_builder.h"

#include <zlib.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <stdexcept>

namespace qm::swf_writer {
namespace {

// Tag bodies of 63 bytes or more need the long header form.
constexpr uint32_t kLongTagLength = 0x3f;

void writeTag(ByteWriter& out, uint16_t code, const std::vector<uint8_t>& body) {
  if (code > 0x3ff) throw std::out_of_range("tag code has 10 bits");
  if (body.size() > std::numeric_limits<uint32_t>::max()) throw std::length_error("tag too long");
  if (body.size() < kLongTagLength) {
    out.u16(static_cast<uint16_t>(code << 6 | body.size()));
  } else {
    out.u16(static_cast<uint16_t>(code << 6 | kLongTagLength));
    out.u32(static_cast<uint32_t>(body.size()));
  }
  out.bytes(body);
}

std::vector<uint8_t> deflate(const std::vector<uint8_t>& data) {
  uLongf size = compressBound(data.size());
  std::vector<uint8_t> packed(size);
  if (compress2(packed.data(), &size, data.data(), data.size(), Z_BEST_COMPRESSION) != Z_OK)
    throw std::runtime_error("zlib could not compress the movie");
  packed.resize(size);
  return packed;
}

uint16_t fixed88(double value) {
  const double scaled = std::round(value * 256.0);
  if (!(scaled >= 0.0)) return 0;
  return scaled > 0xffff ? 0xffff : static_cast<uint16_t>(scaled);
}

}  // namespace

SwfBuilder::SwfBuilder(uint8_t version, int widthPx, int heightPx, double framesPerSecond)
    : version_(version), widthPx_(widthPx), heightPx_(heightPx), frameRate88_(fixed88(framesPerSecond)) {}

SwfBuilder& SwfBuilder::fileAttributes(uint32_t flags) {
  ByteWriter body;
  body.u32(flags);
  return tag(tag::kFileAttributes, body.take());
}

SwfBuilder& SwfBuilder::backgroundColor(Color color) {
  ByteWriter body;
  body.rgb(color.red, color.green, color.blue);
  return tag(tag::kSetBackgroundColor, body.take());
}

SwfBuilder& SwfBuilder::frameLabel(const std::string& label) {
  ByteWriter body;
  body.string(label);
  return tag(tag::kFrameLabel, body.take());
}

SwfBuilder& SwfBuilder::metadata(const std::string& xml) {
  ByteWriter body;
  body.string(xml);
  return tag(tag::kMetadata, body.take());
}

SwfBuilder& SwfBuilder::doAction(const ActionBuilder& actions) { return tag(tag::kDoAction, actions.bytes()); }

SwfBuilder& SwfBuilder::defineRectangle(uint16_t shapeId, int widthPx, int heightPx, Color fill) {
  const int32_t width = widthPx * kTwipsPerPixel;
  const int32_t height = heightPx * kTwipsPerPixel;
  ByteWriter body;
  body.u16(shapeId);
  writeRect(body, 0, width, 0, height);
  body.u8(1);  // one fill style: solid
  body.u8(0x00);
  body.rgb(fill.red, fill.green, fill.blue);
  body.u8(0);       // no line styles
  body.bits(1, 4);  // fill style index bits
  body.bits(0, 4);  // line style index bits
  // Style change: move to the origin and fill the right side of the path with
  // style 1; the path runs clockwise on screen, so its right side is inside.
  body.bits(0, 1);
  body.bits(0b00101, 5);
  body.bits(1, 5);
  body.signedBits(0, 1);
  body.signedBits(0, 1);
  body.bits(1, 1);
  // Four straight edges: right, down, left, up.
  const struct {
    bool vertical;
    int32_t delta;
  } edges[] = {{false, width}, {true, height}, {false, -width}, {true, -height}};
  for (const auto& edge : edges) {
    const int size = std::max(2, signedBitsFor(edge.delta));
    body.bits(1, 1);  // edge record
    body.bits(1, 1);  // straight
    body.bits(size - 2, 4);
    body.bits(0, 1);  // not a general line
    body.bits(edge.vertical ? 1 : 0, 1);
    body.signedBits(edge.delta, size);
  }
  body.bits(0, 6);  // end of shape
  return tag(tag::kDefineShape, body.take());
}

SwfBuilder& SwfBuilder::placeObject(uint16_t characterId, uint16_t depth, int xPx, int yPx) {
  constexpr uint8_t kHasMatrix = 0x04;
  constexpr uint8_t kHasCharacter = 0x02;
  const int32_t x = xPx * kTwipsPerPixel;
  const int32_t y = yPx * kTwipsPerPixel;
  ByteWriter body;
  body.u8(kHasMatrix | kHasCharacter);
  body.u16(depth);
  body.u16(characterId);
  body.bits(0, 1);  // no scale
  body.bits(0, 1);  // no rotation
  const int size = signedBitsFor({x, y});
  body.bits(size, 5);
  body.signedBits(x, size);
  body.signedBits(y, size);
  return tag(tag::kPlaceObject2, body.take());
}

SwfBuilder& SwfBuilder::showFrame() {
  if (frameCount_ == 0xffff) throw std::length_error("a movie holds at most 65535 frames");
  ++frameCount_;
  return tag(tag::kShowFrame, {});
}

SwfBuilder& SwfBuilder::tag(uint16_t code, const std::vector<uint8_t>& body) {
  writeTag(tags_, code, body);
  return *this;
}

std::vector<uint8_t> SwfBuilder::build(Compression compression) const {
  ByteWriter body;
  writeRect(body, 0, widthPx_ * kTwipsPerPixel, 0, heightPx_ * kTwipsPerPixel);
  body.u16(frameRate88_);
  body.u16(static_cast<uint16_t>(frameCount_));
  body.bytes(tags_.data());
  writeTag(body, tag::kEnd, {});

  const uint64_t fileLength = 8 + body.data().size();
  if (fileLength > std::numeric_limits<uint32_t>::max()) throw std::length_error("movie too long");
  ByteWriter file;
  file.bytes({static_cast<uint8_t>(compression == Compression::kZlib ? 'C' : 'F'), 'W', 'S'});
  file.u8(version_);
  file.u32(static_cast<uint32_t>(fileLength));
  file.bytes(compression == Compression::kZlib ? deflate(body.data()) : body.data());
  return file.take();
}

}  // namespace qm::swf_writer
