#include "platform/swf/drawn_movie.h"

#include <algorithm>

#include "platform/swf/shape_records.h"
#include "platform/swf/swf_tags.h"

namespace qm::swf {
namespace {

// Tags that neither draw, sound nor run anything: a movie may hold them
// and still be drawn here.
constexpr uint16_t kInert[] = {
    tag::kEnd,
    tag::kSetBackgroundColor,
    tag::kProductInfo,
    tag::kFrameLabel,
    tag::kScriptLimits,
    tag::kFileAttributes,
    tag::kMetadata,
    tag::kProtect,
    tag::kEnableDebugger,
    tag::kEnableDebugger2,
};

// Bounds on what a movie drawn here may hold, well above hand-made movies;
// a larger one goes to a Flash runtime rather than to a huge allocation.
constexpr size_t kMaxEdges = 1u << 21;
constexpr size_t kMaxPlacements = 1u << 20;

constexpr uint8_t kPlaceMove = 0x01;
constexpr uint8_t kPlaceHasCharacter = 0x02;
constexpr uint8_t kPlaceHasMatrix = 0x04;
constexpr uint8_t kPlaceHasColourTransform = 0x08;
constexpr uint8_t kPlaceHasRatio = 0x10;
constexpr uint8_t kPlaceHasClipDepth = 0x40;
constexpr uint8_t kPlaceHasClipActions = 0x80;

int clampChannel(int value) { return std::clamp(value, 0, 255); }

class Timeline {
 public:
  explicit Timeline(DrawnMovie& movie) : movie_(movie) {}

  bool read(const SwfFile& file, const Tag& tag) {
    ByteReader in(file.body(tag));
    switch (tag.code) {
      case tag::kDefineShape:
        return defineShape(in, 1);
      case tag::kDefineShape2:
        return defineShape(in, 2);
      case tag::kDefineShape3:
        return defineShape(in, 3);
      case tag::kDefineShape4:
        return defineShape(in, 4);
      case tag::kPlaceObject:
        return placeObject(in);
      case tag::kPlaceObject2:
        return placeObject2(in);
      case tag::kRemoveObject:
        in.u16();
        [[fallthrough]];
      case tag::kRemoveObject2:
        return remove(in.u16(), in);
      case tag::kShowFrame:
        return showFrame();
      default:
        return std::find(std::begin(kInert), std::end(kInert), tag.code) != std::end(kInert);
    }
  }

  // Without any ShowFrame the End tag closes the one frame.
  bool finish() { return !movie_.frames.empty() || showFrame(); }

 private:
  bool defineShape(ByteReader& in, int version) {
    const uint16_t id = in.u16();
    // The bounds (and from DefineShape4 on the edges' bounds and the flags):
    // the edges tell.
    for (int rect = 0; rect < (version >= 4 ? 2 : 1); ++rect) {
      in.align();
      const int size = static_cast<int>(in.bits(5));
      for (int i = 0; i < 4; ++i) in.signedBits(size);
    }
    if (version >= 4) in.u8();
    in.align();
    // An edge is kept once for each fill beside it and its line, so the
    // count kept may pass the bound by the last shape's edges twice over.
    if (in.overrun() || movie_.shapes.count(id) || edges_ >= kMaxEdges) return false;
    std::optional<Shape> shape = readShape(in, version, kMaxEdges - edges_);
    if (!shape) return false;
    for (const ShapePart& part : shape->parts) {
      if (const auto* area = std::get_if<FilledArea>(&part))
        for (const auto& contour : area->contours) edges_ += contour.size();
      else
        for (const auto& stroke : std::get<Outline>(part).strokes) edges_ += stroke.size();
    }
    movie_.shapes.emplace(id, std::move(*shape));
    return true;
  }

  bool placeObject(ByteReader& in) {
    PlacedShape placed;
    placed.shapeId = in.u16();
    placed.depth = in.u16();
    placed.matrix = readMatrix(in);
    in.align();
    if (in.remaining() > 0) placed.colour = readColourTransform(in, false);
    if (in.overrun() || !movie_.shapes.count(placed.shapeId)) return false;
    shown_[placed.depth] = placed;
    changed_ = true;
    return true;
  }

  bool placeObject2(ByteReader& in) {
    const uint8_t flags = in.u8();
    if (flags & (kPlaceHasClipDepth | kPlaceHasClipActions)) return false;  // masks and scripts
    const uint16_t depth = in.u16();
    const auto current = shown_.find(depth);
    // A new character starts afresh; a move keeps what it does not change.
    PlacedShape placed = (flags & kPlaceMove) && current != shown_.end() ? current->second : PlacedShape{};
    placed.depth = depth;
    if (flags & kPlaceHasCharacter) {
      placed.shapeId = in.u16();
    } else if (current == shown_.end()) {
      return false;  // moves nothing
    }
    if (flags & kPlaceHasMatrix) placed.matrix = readMatrix(in);
    if (flags & kPlaceHasColourTransform) placed.colour = readColourTransform(in, true);
    if (flags & kPlaceHasRatio) in.u16();  // morph shapes only; a name after it matters only to scripts
    if (in.overrun() || !movie_.shapes.count(placed.shapeId)) return false;
    shown_[depth] = placed;
    changed_ = true;
    return true;
  }

  bool remove(uint16_t depth, const ByteReader& in) {
    if (in.overrun()) return false;
    changed_ |= shown_.erase(depth) > 0;
    return true;
  }

  bool showFrame() {
    if (changed_ || movie_.frames.empty()) {
      placements_ += shown_.size();
      if (placements_ > kMaxPlacements) return false;
      auto list = std::make_shared<DisplayList>();
      for (const auto& entry : shown_) list->push_back(entry.second);
      last_ = std::move(list);
      changed_ = false;
    }
    movie_.frames.push_back(last_);
    return true;
  }

  DrawnMovie& movie_;
  std::map<uint16_t, PlacedShape> shown_;  // by depth
  std::shared_ptr<const DisplayList> last_;
  bool changed_ = false;
  size_t edges_ = 0;
  size_t placements_ = 0;
};

}  // namespace

Colour ColourTransform::apply(Colour colour) const {
  const int channels[4] = {colour.red, colour.green, colour.blue, colour.alpha};
  int out[4];
  for (int i = 0; i < 4; ++i) out[i] = clampChannel(channels[i] * multiply[i] / 256 + add[i]);
  return Colour{uint8_t(out[0]), uint8_t(out[1]), uint8_t(out[2]), uint8_t(out[3])};
}

std::optional<DrawnMovie> readDrawnMovie(const SwfFile& file) {
  DrawnMovie movie;
  movie.stage = file.frameSize;
  movie.stageColour = stageColour(file);
  Timeline timeline(movie);
  for (const Tag& tag : file.tags) {
    if (!timeline.read(file, tag)) return std::nullopt;
  }
  if (!timeline.finish()) return std::nullopt;
  return movie;
}

}  // namespace qm::swf
