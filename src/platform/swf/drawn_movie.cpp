#include "platform/swf/drawn_movie.h"

#include <algorithm>
#include <set>
#include <span>

#include "platform/swf/bitmap_records.h"
#include "platform/swf/frame_script.h"
#include "platform/swf/morph_records.h"
#include "platform/swf/shape_records.h"
#include "platform/swf/swf_tags.h"
#include "platform/swf/text_records.h"

namespace qm::swf {
namespace {

// Tags that neither draw, sound nor run anything: a movie may hold them
// and still be drawn here.
constexpr uint16_t kInert[] = {
    tag::kEnd,
    tag::kSetBackgroundColor,
    tag::kProductInfo,
    tag::kScriptLimits,
    tag::kFileAttributes,
    tag::kMetadata,
    tag::kProtect,
    tag::kEnableDebugger,
    tag::kEnableDebugger2,
    // What a font tells besides its outlines, and how to smooth its text.
    tag::kDefineFontInfo,
    tag::kDefineFontInfo2,
    tag::kDefineFontAlignZones,
    tag::kDefineFontName,
    tag::kCsmTextSettings,
};

// What the first frame shown while a Flash runtime starts passes over: the
// runtime plays it once it runs.
constexpr uint16_t kLeftToTheRuntime[] = {
    tag::kDoAction,
    tag::kDoInitAction,
    tag::kDoAbc,
    tag::kDoAbcOld,
    tag::kSymbolClass,
    tag::kExportAssets,
    tag::kDefineSound,
    tag::kStartSound,
    tag::kStartSound2,
    tag::kSoundStreamHead,
    tag::kSoundStreamHead2,
    tag::kSoundStreamBlock,
    tag::kDefineButtonSound,
    tag::kDefineButtonCxform,
    tag::kDefineScalingGrid,
    tag::kDefineBinaryData,
    tag::kDefineSceneAndFrameLabelData,
    tag::kVideoFrame,
};
// Characters that frame leaves out: they show once the runtime runs.
constexpr uint16_t kCharactersLeftOut[] = {tag::kDefineButton, tag::kDefineButton2, tag::kDefineEditText,
                                           tag::kDefineVideoStream};

template <size_t N>
bool among(const uint16_t (&codes)[N], uint16_t code) {
  return std::find(std::begin(codes), std::end(codes), code) != std::end(codes);
}

// Bounds on what a movie drawn here may hold, well above hand-made movies;
// a larger one goes to a Flash runtime rather than to a huge allocation or
// a paint that never ends.
constexpr size_t kMaxEdges = 1u << 21;
constexpr size_t kMaxPlacements = 1u << 20;
// What one frame may draw, the shapes of its clips counted: placements,
// and the edges they make.
constexpr size_t kMaxShapesPerFrame = 1u << 14;
constexpr size_t kMaxEdgesPerFrame = 1u << 20;
// Frames of all timelines together, sprites' included.
constexpr size_t kMaxFrames = 1u << 20;
constexpr int kMaxClipNesting = 32;
constexpr size_t kMaxBitmapPixels = 16u << 20;  // 64 MiB of decoded pixels

constexpr uint8_t kPlaceMove = 0x01;
constexpr uint8_t kPlaceHasCharacter = 0x02;
constexpr uint8_t kPlaceHasMatrix = 0x04;
constexpr uint8_t kPlaceHasColourTransform = 0x08;
constexpr uint8_t kPlaceHasRatio = 0x10;
constexpr uint8_t kPlaceHasName = 0x20;
constexpr uint8_t kPlaceHasClipDepth = 0x40;
constexpr uint8_t kPlaceHasClipActions = 0x80;
// PlaceObject3's second byte of flags.
constexpr uint8_t kPlaceHasFilters = 0x01;
constexpr uint8_t kPlaceHasBlendMode = 0x02;
constexpr uint8_t kPlaceHasCacheAsBitmap = 0x04;
constexpr uint8_t kPlaceHasClassName = 0x08;
constexpr uint8_t kPlaceHasImage = 0x10;
constexpr uint8_t kPlaceHasVisible = 0x20;
constexpr uint8_t kPlaceOpaqueBackground = 0x40;
constexpr uint8_t kNormalBlend = 1;  // 0 says the same

int clampChannel(int value) { return std::clamp(value, 0, 255); }

// What the characters defined so far cost to draw, so that a clip that
// places clips that place clips cannot multiply past the bounds.
struct Cost {
  size_t shapes = 0;  // the most shapes one of its frames draws
  size_t edges = 0;   // and the most edges
  int nesting = 0;
};

class Timeline;

// The characters of the movie, defined as its tags come.
class Definitions {
 public:
  Definitions(DrawnMovie& movie, bool firstFrameOnly) : movie_(movie), firstFrameOnly_(firstFrameOnly) {}

  // Whether only the first frame is read, to be shown while a Flash runtime
  // starts: scripts and sounds are passed over, and what only the runtime
  // draws is left out.
  bool firstFrameOnly() const { return firstFrameOnly_; }
  void leaveOut(uint16_t id) { leftOut_.insert(id); }
  bool leftOut(uint16_t id) const { return leftOut_.count(id) > 0; }

  bool defineShape(ByteReader& in, int version);
  bool defineSprite(std::span<const uint8_t> body);
  // Lossless bitmaps (version 1 or 2) and JPEG, PNG or GIF ones (their
  // tag's version: 1 for DefineBits, 2 or 3).
  bool defineBitmap(std::span<const uint8_t> body, bool lossless, int version);
  void setJpegTables(std::span<const uint8_t> tables) { jpegTables_ = tables; }
  bool defineFont(std::span<const uint8_t> body, int version);
  bool defineMorph(std::span<const uint8_t> body, int version);
  // Static text becomes a shape of its glyphs' outlines.
  bool defineText(std::span<const uint8_t> body, int version);
  std::optional<Cost> cost(uint16_t id) const {
    const auto found = costs_.find(id);
    if (found == costs_.end()) return std::nullopt;
    return found->second;
  }
  bool countPlacements(size_t count) {
    placements_ += count;
    return placements_ <= kMaxPlacements;
  }
  bool countFrame() { return ++frames_ <= kMaxFrames; }

 private:
  DrawnMovie& movie_;
  bool firstFrameOnly_;
  std::set<uint16_t> leftOut_;
  std::map<uint16_t, Cost> costs_;
  std::span<const uint8_t> jpegTables_;
  std::map<uint16_t, Font> fonts_;
  size_t edges_ = 0;
  size_t pixels_ = 0;
  size_t frames_ = 0;
  size_t placements_ = 0;
};

// One timeline, the movie's or a sprite's, read frame by frame into display
// lists.
class Timeline {
 public:
  Timeline(Definitions& definitions, bool root) : definitions_(definitions), root_(root) {}

  bool read(uint16_t code, std::span<const uint8_t> body) {
    ByteReader in(body);
    if (definitions_.firstFrameOnly()) {
      if (among(kLeftToTheRuntime, code)) return true;
      if (among(kCharactersLeftOut, code)) {
        definitions_.leaveOut(in.u16());
        return root_ && !in.overrun();
      }
    }
    switch (code) {
      case tag::kDefineShape:
        return root_ && definitions_.defineShape(in, 1);
      case tag::kDefineShape2:
        return root_ && definitions_.defineShape(in, 2);
      case tag::kDefineShape3:
        return root_ && definitions_.defineShape(in, 3);
      case tag::kDefineShape4:
        return root_ && definitions_.defineShape(in, 4);
      case tag::kDefineSprite:
        return root_ && definitions_.defineSprite(body);
      case tag::kDefineMorphShape:
        return root_ && definitions_.defineMorph(body, 1);
      case tag::kDefineMorphShape2:
        return root_ && definitions_.defineMorph(body, 2);
      case tag::kDefineFont:
        return root_ && definitions_.defineFont(body, 1);
      case tag::kDefineFont2:
        return root_ && definitions_.defineFont(body, 2);
      case tag::kDefineFont3:
        return root_ && definitions_.defineFont(body, 3);
      case tag::kDefineText:
        return root_ && definitions_.defineText(body, 1);
      case tag::kDefineText2:
        return root_ && definitions_.defineText(body, 2);
      case tag::kJpegTables:
        return root_ && (definitions_.setJpegTables(body), true);
      case tag::kDefineBits:
        return root_ && definitions_.defineBitmap(body, false, 1);
      case tag::kDefineBitsJpeg2:
        return root_ && definitions_.defineBitmap(body, false, 2);
      case tag::kDefineBitsJpeg3:
        return root_ && definitions_.defineBitmap(body, false, 3);
      case tag::kDefineBitsLossless:
        return root_ && definitions_.defineBitmap(body, true, 1);
      case tag::kDefineBitsLossless2:
        return root_ && definitions_.defineBitmap(body, true, 2);
      case tag::kPlaceObject:
        return placeObject(in);
      case tag::kPlaceObject2:
        return placeObject2(in, false);
      case tag::kPlaceObject3:
        return placeObject2(in, true);
      case tag::kRemoveObject:
        in.u16();
        [[fallthrough]];
      case tag::kRemoveObject2:
        return remove(in.u16(), in);
      case tag::kShowFrame:
        return showFrame();
      case tag::kDoAction:
        return frameScript(body);
      case tag::kFrameLabel:
        return frameLabel(body);
      default:
        return among(kInert, code);
    }
  }

  // Without any ShowFrame the End tag closes the one frame.
  bool finish() { return !frames_.empty() || showFrame(); }

  size_t frameCount() const { return frames_.size(); }
  Frames takeFrames() { return std::move(frames_); }
  // The frames whose script stops the timeline: all a clip's scripts do.
  std::vector<uint32_t> stopFrames() const {
    std::vector<uint32_t> stops;
    for (const auto& [frame, script] : scripts_)
      if (script.play == false && frame < frames_.size()) stops.push_back(frame);
    return stops;
  }
  // What coming to each frame with a script does, in one step: the frame
  // the timeline ends on, its moves followed through the frames they send
  // it to, and the play state the last script leaves. Nothing when a move
  // goes to a frame or label the timeline does not have.
  std::optional<std::map<uint32_t, FrameScript>> takeScripts() const {
    std::optional<std::map<uint32_t, FrameScript>> direct = movesOfEachFrame();
    if (!direct) return std::nullopt;
    return followedThrough(*direct, frames_.size());
  }
  Cost cost() const { return cost_; }
  bool changes() const {
    return std::any_of(frames_.begin(), frames_.end(), [&](const auto& frame) { return frame != frames_.front(); });
  }

 private:
  // Each frame's own script as a move and a play state. nextFrame() on the
  // last frame and prevFrame() on the first do nothing, as in Flash.
  std::optional<std::map<uint32_t, FrameScript>> movesOfEachFrame() const {
    std::map<uint32_t, FrameScript> moves;
    const uint32_t last = static_cast<uint32_t>(frames_.size()) - 1;
    for (const auto& [frame, script] : scripts_) {
      if (frame > last) continue;  // after the last frame: a frame of none
      std::optional<uint32_t> goTo;
      switch (script.move) {
        case TimelineScript::Move::kFrame:
          if (script.frame > last) return std::nullopt;
          goTo = script.frame;
          break;
        case TimelineScript::Move::kLabel: {
          const auto labelled = labels_.find(lowerAscii(script.label));
          if (labelled == labels_.end() || labelled->second > last) return std::nullopt;
          goTo = labelled->second;
          break;
        }
        case TimelineScript::Move::kNext:
          if (frame < last) goTo = frame + 1;
          break;
        case TimelineScript::Move::kPrevious:
          if (frame > 0) goTo = frame - 1;
          break;
        case TimelineScript::Move::kNone:
          break;
      }
      // A move stops the timeline unless a play() follows it.
      const std::optional<bool> play =
          goTo ? script.playAfterMove.value_or(false) : (script.playAfterMove ? script.playAfterMove : script.play);
      if (goTo || play) moves[frame] = FrameScript{goTo, play};
    }
    return moves;
  }

  // The moves followed through, each frame once: the frames a chain of
  // moves passes on its way end where it ends, and a round of moves stops
  // the timeline where it comes round.
  static std::map<uint32_t, FrameScript> followedThrough(const std::map<uint32_t, FrameScript>& moves,
                                                         size_t frameCount) {
    enum : uint8_t { kUnseen, kOnPath, kDone };
    std::vector<uint8_t> marks(frameCount, kUnseen);
    std::map<uint32_t, FrameScript> done;
    for (const auto& [start, first] : moves) {
      std::vector<uint32_t> path;
      FrameScript end;
      for (uint32_t at = start;;) {
        const auto move = moves.find(at);
        if (move == moves.end()) {
          end = FrameScript{at, std::nullopt};
          break;
        }
        if (marks[at] == kDone) {
          end = done[at];
          if (!end.goTo) end.goTo = at;
          break;
        }
        if (marks[at] == kOnPath) {
          end = FrameScript{at, false};
          break;
        }
        if (!move->second.goTo || *move->second.goTo == at) {
          marks[at] = kDone;
          done[at] = move->second;
          end = FrameScript{at, move->second.play};
          break;
        }
        marks[at] = kOnPath;
        path.push_back(at);
        at = *move->second.goTo;
      }
      for (auto frame = path.rbegin(); frame != path.rend(); ++frame) {
        const FrameScript followed{end.goTo, end.play ? end.play : moves.at(*frame).play};
        done[*frame] = followed;
        marks[*frame] = kDone;
        end = followed;
      }
    }
    return done;
  }

  bool placeObject(ByteReader& in) {
    Placement placed;
    placed.characterId = in.u16();
    placed.depth = in.u16();
    placed.matrix = readMatrix(in);
    in.align();
    if (in.remaining() > 0) placed.colour = readColourTransform(in, false);
    placed.placedAt = static_cast<uint32_t>(frames_.size());
    if (in.overrun()) return false;
    if (leaveOut(placed.depth, placed.characterId)) return true;
    if (!definitions_.cost(placed.characterId)) return false;
    shown_[placed.depth] = placed;
    changed_ = true;
    return true;
  }

  // PlaceObject2, or with `third` PlaceObject3 without filters, a blend
  // other than the normal one, or a class.
  bool placeObject2(ByteReader& in, bool third) {
    const uint8_t flags = in.u8();
    const uint8_t more = third ? in.u8() : 0;
    // Scripts of the clip, which follow all else; a runtime runs them.
    if ((flags & kPlaceHasClipActions) && !definitions_.firstFrameOnly()) return false;
    if (more & (kPlaceHasFilters | kPlaceHasClassName | kPlaceHasImage | kPlaceOpaqueBackground)) return false;
    const uint16_t depth = in.u16();
    if (!(flags & kPlaceHasCharacter) && leftOutDepths_.count(depth)) return !in.overrun();  // moves what is left out
    const auto current = shown_.find(depth);
    // A new character starts afresh; a move keeps what it does not change.
    const bool moved = (flags & kPlaceMove) && current != shown_.end();
    Placement placed = moved ? current->second : Placement{};
    placed.depth = depth;
    if (flags & kPlaceHasCharacter) {
      const uint16_t id = in.u16();
      if (!moved || id != placed.characterId) placed.placedAt = static_cast<uint32_t>(frames_.size());
      placed.characterId = id;
    } else if (!moved) {
      return false;  // moves nothing
    }
    if (flags & kPlaceHasMatrix) placed.matrix = readMatrix(in);
    if (flags & kPlaceHasColourTransform) placed.colour = readColourTransform(in, true);
    if (flags & kPlaceHasRatio) placed.ratio = in.u16();  // how far a morph shape has gone
    if (flags & kPlaceHasName)                            // a name matters only to scripts
      while (in.remaining() > 0 && in.u8() != 0) {
      }
    if (flags & kPlaceHasClipDepth) placed.clipDepth = in.u16();  // a mask
    if (more & kPlaceHasBlendMode && in.u8() > kNormalBlend) return false;
    if (more & kPlaceHasCacheAsBitmap) in.u8();
    if (more & kPlaceHasVisible) placed.visible = in.u8() != 0;
    if (in.overrun()) return false;
    if ((flags & kPlaceHasCharacter) && leaveOut(depth, placed.characterId)) return true;
    if (!definitions_.cost(placed.characterId)) return false;
    shown_[depth] = placed;
    changed_ = true;
    return true;
  }

  // A frame's script of the timeline's own moves; a clip's may only stop
  // and play.
  bool frameScript(std::span<const uint8_t> actions) {
    std::optional<TimelineScript> script = readTimelineScript(actions);
    if (!script || (!root_ && script->move != TimelineScript::Move::kNone)) return false;
    const uint32_t frame = static_cast<uint32_t>(frames_.size());
    if (const auto earlier = scripts_.find(frame); earlier != scripts_.end()) {
      script = thenRun(earlier->second, *script);
      if (!script) return false;
    }
    scripts_[frame] = *script;
    return true;
  }

  // A name scripts go to the frame by; the first frame of a name keeps it.
  bool frameLabel(std::span<const uint8_t> body) {
    const auto end = std::find(body.begin(), body.end(), uint8_t{0});
    if (end == body.end()) return false;
    labels_.emplace(lowerAscii(std::string(body.begin(), end)), static_cast<uint32_t>(frames_.size()));
    return true;
  }

  // A character placed that only a runtime draws leaves its depth empty
  // for the first frame; anything else placed there comes back.
  bool leaveOut(uint16_t depth, uint16_t characterId) {
    if (!definitions_.leftOut(characterId)) {
      leftOutDepths_.erase(depth);
      return false;
    }
    changed_ |= shown_.erase(depth) > 0;
    leftOutDepths_.insert(depth);
    return true;
  }

  bool remove(uint16_t depth, const ByteReader& in) {
    if (in.overrun()) return false;
    leftOutDepths_.erase(depth);
    changed_ |= shown_.erase(depth) > 0;
    return true;
  }

  bool showFrame() {
    if (changed_ || frames_.empty()) {
      if (!definitions_.countPlacements(shown_.size())) return false;
      Cost frame;
      auto list = std::make_shared<DisplayList>();
      for (const auto& [depth, placed] : shown_) {
        const Cost character = *definitions_.cost(placed.characterId);
        frame.shapes += character.shapes;
        frame.edges += character.edges;
        frame.nesting = std::max(frame.nesting, character.nesting);
        list->push_back(placed);
      }
      if (frame.shapes > kMaxShapesPerFrame || frame.edges > kMaxEdgesPerFrame) return false;
      cost_.shapes = std::max(cost_.shapes, frame.shapes);
      cost_.edges = std::max(cost_.edges, frame.edges);
      cost_.nesting = std::max(cost_.nesting, frame.nesting);
      last_ = std::move(list);
      changed_ = false;
    }
    if (!definitions_.countFrame()) return false;
    frames_.push_back(last_);
    return true;
  }

  Definitions& definitions_;
  bool root_;
  std::map<uint16_t, Placement> shown_;  // by depth
  std::set<uint16_t> leftOutDepths_;
  Frames frames_;
  std::map<uint32_t, TimelineScript> scripts_;
  std::map<std::string, uint32_t> labels_;
  std::shared_ptr<const DisplayList> last_;
  bool changed_ = false;
  Cost cost_;
};

bool Definitions::defineShape(ByteReader& in, int version) {
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
  if (in.overrun() || costs_.count(id) || movie_.bitmaps.count(id) || edges_ >= kMaxEdges) return false;
  std::optional<Shape> shape = readShape(in, version, kMaxEdges - edges_, movie_.bitmaps);
  if (!shape) return false;
  const size_t edges = edgeCount(*shape);
  edges_ += edges;
  movie_.shapes.emplace(id, std::move(*shape));
  costs_[id] = Cost{1, edges, 0};
  return true;
}

bool Definitions::defineMorph(std::span<const uint8_t> body, int version) {
  ByteReader in(body);
  const uint16_t id = in.u16();
  if (in.overrun() || costs_.count(id) || movie_.bitmaps.count(id) || edges_ >= kMaxEdges) return false;
  std::optional<MorphShape> morph = readMorphShape(body, version, kMaxEdges - edges_);
  if (!morph) return false;
  edges_ += 2 * morph->edges.size();
  costs_[id] = Cost{1, 2 * morph->edges.size(), 0};
  movie_.morphs.emplace(id, std::move(*morph));
  return true;
}

// Fonts are not characters a timeline places; texts use them.
bool Definitions::defineFont(std::span<const uint8_t> body, int version) {
  ByteReader in(body);
  const uint16_t id = in.u16();
  if (in.overrun() || fonts_.count(id) || edges_ >= kMaxEdges) return false;
  std::optional<Font> font = readFont(body, version, kMaxEdges - edges_);
  if (!font) return false;
  for (const Shape& glyph : font->glyphs) edges_ += edgeCount(glyph);
  fonts_.emplace(id, std::move(*font));
  return true;
}

bool Definitions::defineText(std::span<const uint8_t> body, int version) {
  ByteReader in(body);
  const uint16_t id = in.u16();
  if (in.overrun() || costs_.count(id) || movie_.bitmaps.count(id) || edges_ >= kMaxEdges) return false;
  std::optional<Shape> text = readText(body, version, fonts_, kMaxEdges - edges_);
  if (!text) return false;
  const size_t edges = edgeCount(*text);
  edges_ += edges;
  movie_.shapes.emplace(id, std::move(*text));
  costs_[id] = Cost{1, edges, 0};
  return true;
}

// Bitmaps are not characters a timeline places; shapes fill with them.
bool Definitions::defineBitmap(std::span<const uint8_t> body, bool lossless, int version) {
  ByteReader in(body);
  const uint16_t id = in.u16();
  if (in.overrun() || costs_.count(id) || movie_.bitmaps.count(id) || pixels_ >= kMaxBitmapPixels) return false;
  std::optional<Bitmap> bitmap = lossless ? readLosslessBitmap(body, version, kMaxBitmapPixels - pixels_)
                                          : readEncodedBitmap(body, version, jpegTables_, kMaxBitmapPixels - pixels_);
  if (!bitmap) return false;
  pixels_ += size_t(bitmap->width) * size_t(bitmap->height);
  movie_.bitmaps.emplace(id, std::move(*bitmap));
  return true;
}

// A sprite may place only what is defined before it, so clips never hold
// themselves.
bool Definitions::defineSprite(std::span<const uint8_t> body) {
  ByteReader in(body, 0);
  const uint16_t id = in.u16();
  in.u16();  // the frame count it states: its ShowFrame tags tell
  if (in.overrun() || costs_.count(id) || movie_.bitmaps.count(id)) return false;
  Timeline timeline(*this, false);
  // Tag by tag: the frames they make count against the movie's whole budget.
  for (bool ended = false; !ended;) {
    if (in.remaining() < 2) return false;
    const uint16_t header = in.u16();
    uint32_t length = header & 0x3f;
    if (length == 0x3f) length = in.u32();
    if (in.overrun() || length > in.remaining()) return false;
    ended = header >> 6 == tag::kEnd;
    if (!ended && !timeline.read(header >> 6, body.subspan(in.position(), length))) return false;
    in.skip(length);
  }
  if (!timeline.finish()) return false;
  const Cost cost{timeline.cost().shapes, timeline.cost().edges, timeline.cost().nesting + 1};
  if (cost.nesting > kMaxClipNesting) return false;
  // Nothing starts a clip again once it stops: the first stop() it comes to
  // is where it stays, and the frames after it never show. A first frame
  // shown while a runtime starts stands still.
  const std::vector<uint32_t> stops = timeline.stopFrames();
  Frames frames = timeline.takeFrames();
  if (!stops.empty()) {
    const uint32_t stop = *std::min_element(stops.begin(), stops.end());
    movie_.clipStops[id] = stop;
    frames.resize(stop + 1);
  }
  if (firstFrameOnly_) frames.resize(1);
  movie_.clipsChange |=
      std::any_of(frames.begin(), frames.end(), [&](const auto& frame) { return frame != frames.front(); });
  movie_.clips.emplace(id, std::move(frames));
  costs_[id] = cost;
  return true;
}

}  // namespace

Colour ColourTransform::apply(Colour colour) const {
  const int channels[4] = {colour.red, colour.green, colour.blue, colour.alpha};
  int out[4];
  for (int i = 0; i < 4; ++i) out[i] = clampChannel(channels[i] * multiply[i] / 256 + add[i]);
  return Colour{uint8_t(out[0]), uint8_t(out[1]), uint8_t(out[2]), uint8_t(out[3])};
}

// Terms past these saturate every channel whatever they meet, so clamping
// keeps the sum exact on screen and its arithmetic within an int.
ColourTransform ColourTransform::then(const ColourTransform& outer) const {
  constexpr int64_t kLimit = 1 << 16;
  ColourTransform both;
  for (int i = 0; i < 4; ++i) {
    const int64_t multiplied = int64_t(multiply[i]) * outer.multiply[i] / 256;
    const int64_t added = int64_t(add[i]) * outer.multiply[i] / 256 + outer.add[i];
    both.multiply[i] = int(std::clamp(multiplied, -kLimit, kLimit));
    both.add[i] = int(std::clamp(added, -kLimit, kLimit));
  }
  return both;
}

uint64_t clipFramesPassed(const Placement& placement, uint64_t elapsed, uint64_t frame, uint64_t sinceEntered) {
  if (placement.placedAt == 0) return elapsed;
  return frame - std::min<uint64_t>(frame, placement.placedAt) + sinceEntered;
}

namespace {

std::optional<DrawnMovie> readMovie(const SwfFile& file, bool firstFrameOnly) {
  DrawnMovie movie;
  movie.stage = file.frameSize;
  movie.stageColour = stageColour(file);
  Definitions definitions(movie, firstFrameOnly);
  Timeline timeline(definitions, true);
  for (const Tag& tag : file.tags) {
    if (firstFrameOnly && timeline.frameCount() == 1) break;
    if (!timeline.read(tag.code, file.body(tag))) return std::nullopt;
  }
  if (!timeline.finish()) return std::nullopt;
  movie.framesChange = timeline.changes();
  std::optional<std::map<uint32_t, FrameScript>> scripts = timeline.takeScripts();
  if (!scripts) return std::nullopt;
  movie.scripts = std::move(*scripts);
  movie.frames = timeline.takeFrames();  // last: the rest reads them
  return movie;
}

}  // namespace

std::optional<DrawnMovie> readDrawnMovie(const SwfFile& file) { return readMovie(file, false); }

std::optional<DrawnMovie> readFirstFrame(const SwfFile& file) { return readMovie(file, true); }

}  // namespace qm::swf
