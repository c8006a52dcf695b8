#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/swf/action_builder.h"
#include "platform/swf/bit_writer.h"
#include "platform/swf/swf_tags.h"

namespace qm::swf_writer {

enum class Compression { kNone, kZlib };

// Tag codes: the ones the player reads.
namespace tag = swf::tag;

constexpr int kTwipsPerPixel = 20;

struct Color {
  uint8_t red = 0;
  uint8_t green = 0;
  uint8_t blue = 0;
};

// Builds a SWF movie tag by tag, in the order the tags are added; the frame
// count in the header is the number of ShowFrame tags, and the End tag is
// added when the file is built.
class SwfBuilder {
 public:
  SwfBuilder(uint8_t version, int widthPx, int heightPx, double framesPerSecond);

  // FileAttributes must come first from version 8 on; 0 = AVM1, local files.
  SwfBuilder& fileAttributes(uint32_t flags = 0);
  SwfBuilder& backgroundColor(Color color);
  SwfBuilder& frameLabel(const std::string& label);
  SwfBuilder& metadata(const std::string& xml);
  SwfBuilder& doAction(const ActionBuilder& actions);
  // A filled rectangle with its top left corner at the shape's origin.
  SwfBuilder& defineRectangle(uint16_t shapeId, int widthPx, int heightPx, Color fill);
  SwfBuilder& placeObject(uint16_t characterId, uint16_t depth, int xPx, int yPx);
  SwfBuilder& showFrame();
  // Any other tag, body as given.
  SwfBuilder& tag(uint16_t code, const std::vector<uint8_t>& body);

  int frameCount() const { return frameCount_; }
  std::vector<uint8_t> build(Compression compression) const;

 private:
  uint8_t version_;
  int widthPx_;
  int heightPx_;
  uint16_t frameRate88_;
  int frameCount_ = 0;
  ByteWriter tags_;
};

}  // namespace qm::swf_writer
