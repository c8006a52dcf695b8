#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <variant>
#include <vector>

#include "platform/swf/swf_file.h"

namespace qm::swf {

// A movie made only of shapes (filled with colours, gradients or bitmaps),
// static text, and sprites of them placed on its timelines, masked or not:
// no sounds or text fields, and no scripts but the timelines' own moves. Such a movie can be
// drawn without a Flash runtime, which most movies drawn by hand and
// exported as a still or a simple animation are.

struct Colour {
  uint8_t red = 0;
  uint8_t green = 0;
  uint8_t blue = 0;
  uint8_t alpha = 255;
  bool operator==(const Colour&) const = default;
};

// The SWF matrix: x' = scaleX x + rotateSkew1 y + translateX,
// y' = rotateSkew0 x + scaleY y + translateY, translation in twips.
struct Matrix {
  double scaleX = 1;
  double rotateSkew0 = 0;
  double rotateSkew1 = 0;
  double scaleY = 1;
  double translateX = 0;
  double translateY = 0;
  bool operator==(const Matrix&) const = default;
};

// Each channel becomes channel * multiply / 256 + add, held within 0..255.
struct ColourTransform {
  int multiply[4] = {256, 256, 256, 256};  // red, green, blue, alpha
  int add[4] = {0, 0, 0, 0};
  Colour apply(Colour colour) const;
  // This transform and then `outer`, as one.
  ColourTransform then(const ColourTransform& outer) const;
  bool operator==(const ColourTransform&) const = default;
};

struct Point {
  int32_t x = 0;
  int32_t y = 0;
  bool operator==(const Point&) const = default;
};

// A straight edge, or a quadratic curve through its control point; twips in
// the shape's own space.
struct Edge {
  Point from;
  Point to;
  std::optional<Point> control;
};

struct Gradient {
  enum class Kind { kLinear, kRadial };
  enum class Spread { kPad, kReflect, kRepeat };
  Kind kind = Kind::kLinear;
  Spread spread = Spread::kPad;
  // Maps the gradient square (-16384..16384 twips on both axes) onto the shape.
  Matrix matrix;
  std::vector<std::pair<uint8_t, Colour>> stops;  // ratio 0..255, colour
};

// A shape filled with a bitmap the movie holds.
struct BitmapFill {
  uint16_t bitmapId = 0;
  // Maps the bitmap's pixels onto the shape.
  Matrix matrix;
  bool smooth = true;  // scaled with smoothing rather than to the nearest pixel
};

using Fill = std::variant<Colour, Gradient, BitmapFill>;

// A bitmap as the movie holds it: JPEG data for the view to decode, with an
// alpha byte per pixel or none, or pixels decoded already.
struct Bitmap {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> jpeg;
  std::vector<uint8_t> alpha;
  // Premultiplied 0xAARRGGBB, row after row, when there is no JPEG.
  std::vector<uint32_t> pixels;
};

// One closed area: contours whose edges run with the area on their right, so
// holes run the other way round.
struct FilledArea {
  Fill fill;
  std::vector<std::vector<Edge>> contours;
};

// Strokes of one line style, each a run of connected edges.
struct Outline {
  enum class Cap { kRound, kNone, kSquare };
  enum class Join { kRound, kBevel, kMiter };
  uint16_t width = 0;  // twips; 0 is the thinnest line the screen draws
  Colour colour;
  Cap cap = Cap::kRound;
  Join join = Join::kRound;
  double miterLimit = 3;  // times the half width, for kMiter
  bool noClose = false;   // a stroke back at its start ends capped there
  std::vector<std::vector<Edge>> strokes;
};

// A shape's parts in the order they are drawn.
using ShapePart = std::variant<FilledArea, Outline>;
struct Shape {
  std::vector<ShapePart> parts;
};

// A shape that changes from its start to its end as its ratio goes from 0
// to 65535: each edge, fill and line in both forms, in the same order.
struct MorphShape {
  struct MorphEdge {
    Edge start;
    Edge end;
  };
  struct Area {
    Fill start;
    Fill end;
    // Edge indices, each true where the edge runs backwards.
    std::vector<std::vector<std::pair<uint32_t, bool>>> contours;
  };
  struct Line {
    Outline start;  // its strokes unused
    uint16_t endWidth = 0;
    Colour endColour;
    std::vector<std::vector<uint32_t>> strokes;
  };
  std::vector<MorphEdge> edges;
  std::vector<std::variant<Area, Line>> parts;
};

// A shape or clip on a timeline's display list.
struct Placement {
  uint16_t depth = 0;
  uint16_t characterId = 0;
  Matrix matrix;
  ColourTransform colour;
  // The frame of its timeline it was placed in: a clip placed in the first
  // frame plays on through its timeline's loops, one placed later starts
  // again each time the timeline comes round to it.
  uint32_t placedAt = 0;
  bool visible = true;
  uint16_t ratio = 0;  // of a morph shape
  // A mask: not drawn, it shows what lies on the depths above it, up to
  // this one, only within its fills. 0 for what is drawn.
  uint16_t clipDepth = 0;
};
// What a frame shows, back to front.
using DisplayList = std::vector<Placement>;
// Frames that change nothing share their list.
using Frames = std::vector<std::shared_ptr<const DisplayList>>;

// What a frame's script does to its timeline: go to a frame (which stops
// the timeline there unless the script plays on), stop or play.
struct FrameScript {
  std::optional<uint32_t> goTo;
  std::optional<bool> play;
};

struct DrawnMovie {
  Rect stage;  // twips
  uint32_t stageColour = 0xffffff;
  std::map<uint16_t, Shape> shapes;
  std::map<uint16_t, Bitmap> bitmaps;
  std::map<uint16_t, MorphShape> morphs;
  // Sprites: timelines of their own, each frame of theirs shown as one of
  // the timeline they are placed on passes.
  std::map<uint16_t, Frames> clips;
  // The frame each clip with a stop() in its frames stays on once it comes
  // to it (its first such frame).
  std::map<uint16_t, uint32_t> clipStops;
  Frames frames;
  // What the scripts of the main timeline's frames do as it comes to them,
  // by frame, in one step: where a script moves the timeline, `goTo` is
  // the frame it ends on once the scripts there have run too (a round of
  // moves stops where it comes round), and `play` the play state they
  // leave. The only scripts such a movie may hold are the timelines' own
  // moves: stop(), play(), and on the main timeline gotoAndStop,
  // gotoAndPlay, nextFrame() and prevFrame().
  std::map<uint32_t, FrameScript> scripts;
  // Whether a clip's frames ever differ: then what the movie shows changes
  // with time even while its main timeline stands still.
  bool clipsChange = false;
  // Whether the main timeline's frames ever differ.
  bool framesChange = false;
};

// The frame a clip shows: `elapsed` frames have passed on the timeline it
// is placed on since that timeline started, which now shows `frame` and
// came to it `sinceEntered` frames ago (0 but for a main timeline standing
// still). Returns the frames passed on the clip's own timeline.
uint64_t clipFramesPassed(const Placement& placement, uint64_t elapsed, uint64_t frame, uint64_t sinceEntered);

// The movie as shapes, clips and frames, or nothing when it holds anything
// else (a script, a sound, a style or bitmap format this reader does not draw, a
// reference to a character it does not define) or more than a bounded
// amount: a Flash runtime plays those.
std::optional<DrawnMovie> readDrawnMovie(const SwfFile& file);

// The movie's first frame alone, still, to show while a Flash runtime
// starts: its scripts and sounds passed over, and buttons, text fields and
// video left out (the runtime shows them once it runs). Nothing when the
// frame holds what would look wrong without the runtime (a filter, a
// blend) or what this reader does not draw.
std::optional<DrawnMovie> readFirstFrame(const SwfFile& file);

}  // namespace qm::swf
