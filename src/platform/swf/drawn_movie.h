#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <variant>
#include <vector>

#include "platform/swf/swf_file.h"

namespace qm::swf {

// A movie made only of shapes placed on its timeline: no scripts, sounds,
// bitmaps, text, sprites or masks. Such a movie can be drawn without a Flash
// runtime, which most movies drawn by hand and exported as a still or a
// simple animation are.

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

using Fill = std::variant<Colour, Gradient>;

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
  std::vector<std::vector<Edge>> strokes;
};

// A shape's parts in the order they are drawn.
using ShapePart = std::variant<FilledArea, Outline>;
struct Shape {
  std::vector<ShapePart> parts;
};

struct PlacedShape {
  uint16_t depth = 0;
  uint16_t shapeId = 0;
  Matrix matrix;
  ColourTransform colour;
};
// What a frame shows, back to front.
using DisplayList = std::vector<PlacedShape>;

struct DrawnMovie {
  Rect stage;  // twips
  uint32_t stageColour = 0xffffff;
  std::map<uint16_t, Shape> shapes;
  // One list per frame; frames that change nothing share their list.
  std::vector<std::shared_ptr<const DisplayList>> frames;
};

// The movie as shapes and frames, or nothing when it holds anything else
// (a script, a sound, a sprite, a bitmap or style this reader does not draw,
// a reference to a shape it does not define): a Flash runtime plays those.
std::optional<DrawnMovie> readDrawnMovie(const SwfFile& file);

}  // namespace qm::swf
