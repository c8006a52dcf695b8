#include "platform/swf/morph_records.h"

#include <cmath>

#include "platform/swf/byte_reader.h"
#include "platform/swf/shape_records.h"

namespace qm::swf {
namespace {

constexpr uint8_t kSolidFill = 0x00;
constexpr uint8_t kLinearGradientFill = 0x10;
constexpr uint8_t kRadialGradientFill = 0x12;
constexpr uint16_t kExtendedCount = 0xff;
constexpr double kFullRatio = 65535;

Colour readRgba(ByteReader& in) {
  Colour colour;
  colour.red = in.u8();
  colour.green = in.u8();
  colour.blue = in.u8();
  colour.alpha = in.u8();
  return colour;
}

uint16_t readCount(ByteReader& in) {
  const uint16_t count = in.u8();
  return count == kExtendedCount ? in.u16() : count;
}

// MORPHFILLSTYLE: the start and end forms of a solid or gradient fill.
std::optional<std::pair<Fill, Fill>> readMorphFill(ByteReader& in) {
  const uint8_t type = in.u8();
  if (type == kSolidFill) {
    const Colour start = readRgba(in);
    return std::pair<Fill, Fill>{start, readRgba(in)};
  }
  if (type != kLinearGradientFill && type != kRadialGradientFill) return std::nullopt;  // bitmaps, focal gradients
  Gradient start, end;
  start.kind = end.kind = type == kLinearGradientFill ? Gradient::Kind::kLinear : Gradient::Kind::kRadial;
  start.matrix = readMatrix(in);
  end.matrix = readMatrix(in);
  in.align();
  // As a plain gradient's: spread and interpolation above the count.
  const uint8_t head = in.u8();
  const uint32_t spread = head >> 6;
  const int count = head & 0x0f;
  if (spread > 2 || count == 0) return std::nullopt;
  start.spread = end.spread = static_cast<Gradient::Spread>(spread);
  for (int i = 0; i < count; ++i) {
    const uint8_t startRatio = in.u8();
    const Colour startColour = readRgba(in);
    const uint8_t endRatio = in.u8();
    start.stops.emplace_back(startRatio, startColour);
    end.stops.emplace_back(endRatio, readRgba(in));
  }
  return std::pair<Fill, Fill>{std::move(start), std::move(end)};
}

// MORPHLINESTYLE, or MORPHLINESTYLE2 from DefineMorphShape2 on.
std::optional<MorphShape::Line> readMorphLine(ByteReader& in, int version) {
  MorphShape::Line line;
  line.start.width = in.u16();
  line.endWidth = in.u16();
  if (version >= 2) {
    const uint32_t startCap = in.bits(2), join = in.bits(2);
    const bool hasFill = in.bits(1), noHorizontalScale = in.bits(1), noVerticalScale = in.bits(1);
    in.bits(1 + 5);  // pixel hinting, reserved
    line.start.noClose = in.bits(1);
    const uint32_t endCap = in.bits(2);
    if (hasFill || noHorizontalScale || noVerticalScale || startCap != endCap || startCap > 2 || join > 2)
      return std::nullopt;
    line.start.cap = static_cast<Outline::Cap>(startCap);
    line.start.join = static_cast<Outline::Join>(join);
    if (line.start.join == Outline::Join::kMiter) line.start.miterLimit = in.u16() / 256.0;
  }
  line.start.colour = readRgba(in);
  line.endColour = readRgba(in);
  return line;
}

struct StyledEdge {
  Edge edge;
  uint32_t fill0 = 0, fill1 = 0, line = 0;
};

// A SHAPE's records: edges with the styles in force at each. Style changes
// of the end shape carry only moves.
std::optional<std::vector<StyledEdge>> readEdges(ByteReader& in, size_t maxEdges) {
  const int fillBits = static_cast<int>(in.bits(4));
  const int lineBits = static_cast<int>(in.bits(4));
  std::vector<StyledEdge> edges;
  Point pen;
  uint32_t fill0 = 0, fill1 = 0, line = 0;
  while (!in.overrun()) {
    if (in.bits(1) == 0) {
      const uint32_t flags = in.bits(5);
      if (flags == 0) return edges;
      constexpr uint32_t kNewStyles = 0x10, kLineStyle = 0x08, kFillStyle1 = 0x04, kFillStyle0 = 0x02, kMoveTo = 0x01;
      if (flags & kNewStyles) return std::nullopt;
      if (flags & kMoveTo) {
        const int size = static_cast<int>(in.bits(5));
        pen.x = in.signedBits(size);
        pen.y = in.signedBits(size);
      }
      if (flags & kFillStyle0) fill0 = in.bits(fillBits);
      if (flags & kFillStyle1) fill1 = in.bits(fillBits);
      if (flags & kLineStyle) line = in.bits(lineBits);
      continue;
    }
    if (edges.size() >= maxEdges) return std::nullopt;
    const std::optional<Edge> edge = readEdge(in, pen);
    if (!edge) return std::nullopt;
    edges.push_back({*edge, fill0, fill1, line});
    pen = edge->to;
  }
  return std::nullopt;
}

// A straight edge paired with a curve bends through its middle.
Edge asCurve(const Edge& edge) {
  if (edge.control) return edge;
  return Edge{edge.from, edge.to,
              Point{edge.from.x + (edge.to.x - edge.from.x) / 2, edge.from.y + (edge.to.y - edge.from.y) / 2}};
}

int32_t mix(int32_t a, int32_t b, double t) { return int32_t(std::lround(a + (double(b) - a) * t)); }
Point mix(Point a, Point b, double t) { return Point{mix(a.x, b.x, t), mix(a.y, b.y, t)}; }
uint8_t mix(uint8_t a, uint8_t b, double t) { return uint8_t(std::lround(a + (double(b) - a) * t)); }
Colour mix(Colour a, Colour b, double t) {
  return Colour{mix(a.red, b.red, t), mix(a.green, b.green, t), mix(a.blue, b.blue, t), mix(a.alpha, b.alpha, t)};
}
double mix(double a, double b, double t) { return a + (b - a) * t; }
Matrix mix(const Matrix& a, const Matrix& b, double t) {
  return Matrix{mix(a.scaleX, b.scaleX, t), mix(a.rotateSkew0, b.rotateSkew0, t), mix(a.rotateSkew1, b.rotateSkew1, t),
                mix(a.scaleY, b.scaleY, t), mix(a.translateX, b.translateX, t),   mix(a.translateY, b.translateY, t)};
}
Fill mix(const Fill& a, const Fill& b, double t) {
  if (const auto* colour = std::get_if<Colour>(&a)) return mix(*colour, std::get<Colour>(b), t);
  Gradient gradient = std::get<Gradient>(a);
  const Gradient& end = std::get<Gradient>(b);
  gradient.matrix = mix(gradient.matrix, end.matrix, t);
  for (size_t i = 0; i < gradient.stops.size(); ++i)
    gradient.stops[i] = {mix(gradient.stops[i].first, end.stops[i].first, t),
                         mix(gradient.stops[i].second, end.stops[i].second, t)};
  return gradient;
}

}  // namespace

std::optional<MorphShape> readMorphShape(std::span<const uint8_t> body, int version, size_t maxEdges) {
  ByteReader in(body, 2);  // after the id
  for (int rect = 0; rect < (version >= 2 ? 4 : 2); ++rect) {
    in.align();
    const int size = static_cast<int>(in.bits(5));
    for (int i = 0; i < 4; ++i) in.signedBits(size);
  }
  if (version >= 2) in.u8();  // stroke scaling flags
  const uint32_t endOffset = in.u32();
  const size_t endAt = in.position() + endOffset;
  if (in.overrun() || endAt > body.size()) return std::nullopt;

  MorphShape morph;
  std::vector<std::pair<Fill, Fill>> fills;
  for (uint16_t i = readCount(in); i > 0 && !in.overrun(); --i) {
    auto fill = readMorphFill(in);
    if (!fill) return std::nullopt;
    fills.push_back(std::move(*fill));
  }
  std::vector<MorphShape::Line> lines;
  for (uint16_t i = readCount(in); i > 0 && !in.overrun(); --i) {
    auto line = readMorphLine(in, version);
    if (!line) return std::nullopt;
    lines.push_back(std::move(*line));
  }
  const auto starts = readEdges(in, maxEdges / 2);
  ByteReader endIn(body, endAt);
  const auto ends = readEdges(endIn, maxEdges / 2);
  if (in.overrun() || !starts || !ends || starts->size() != ends->size()) return std::nullopt;

  // Fill f lies right of its directed edges, as in a plain shape.
  std::vector<std::vector<std::pair<uint32_t, bool>>> directed(fills.size());
  std::vector<std::vector<Edge>> directedStart(fills.size());
  for (uint32_t i = 0; i < starts->size(); ++i) {
    const StyledEdge& start = (*starts)[i];
    Edge from = start.edge, to = (*ends)[i].edge;
    if (from.control.has_value() != to.control.has_value()) from = asCurve(from), to = asCurve(to);
    morph.edges.push_back({from, to});
    if (start.fill0 > fills.size() || start.fill1 > fills.size() || start.line > lines.size()) return std::nullopt;
    if (start.fill1) {
      directed[start.fill1 - 1].emplace_back(i, false);
      directedStart[start.fill1 - 1].push_back(from);
    }
    if (start.fill0) {
      directed[start.fill0 - 1].emplace_back(i, true);
      directedStart[start.fill0 - 1].push_back(Edge{from.to, from.from, from.control});
    }
    if (start.line) {
      auto& strokes = lines[start.line - 1].strokes;
      if (strokes.empty() || !(morph.edges[strokes.back().back()].start.to == from.from)) strokes.emplace_back();
      strokes.back().push_back(i);
    }
  }
  for (size_t f = 0; f < fills.size(); ++f) {
    if (directed[f].empty()) continue;
    MorphShape::Area area{fills[f].first, fills[f].second, {}};
    for (const auto& contour : linkedContours(directedStart[f])) {
      auto& out = area.contours.emplace_back();
      for (size_t at : contour) out.push_back(directed[f][at]);
    }
    morph.parts.emplace_back(std::move(area));
  }
  for (MorphShape::Line& line : lines)
    if (!line.strokes.empty()) morph.parts.emplace_back(std::move(line));
  return morph;
}

Shape morphAt(const MorphShape& morph, uint16_t ratio) {
  const double t = ratio / kFullRatio;
  std::vector<Edge> edges;
  for (const auto& [start, end] : morph.edges) {
    Edge edge{mix(start.from, end.from, t), mix(start.to, end.to, t), std::nullopt};
    if (start.control) edge.control = mix(*start.control, *end.control, t);
    edges.push_back(edge);
  }
  Shape shape;
  for (const auto& part : morph.parts) {
    if (const auto* area = std::get_if<MorphShape::Area>(&part)) {
      FilledArea filled{mix(area->start, area->end, t), {}};
      for (const auto& contour : area->contours) {
        auto& out = filled.contours.emplace_back();
        for (const auto& [index, backwards] : contour) {
          const Edge& edge = edges[index];
          out.push_back(backwards ? Edge{edge.to, edge.from, edge.control} : edge);
        }
      }
      shape.parts.emplace_back(std::move(filled));
    } else {
      const auto& line = std::get<MorphShape::Line>(part);
      Outline outline = line.start;
      outline.width = uint16_t(std::lround(mix(double(line.start.width), double(line.endWidth), t)));
      outline.colour = mix(line.start.colour, line.endColour, t);
      for (const auto& stroke : line.strokes) {
        auto& out = outline.strokes.emplace_back();
        for (uint32_t index : stroke) out.push_back(edges[index]);
      }
      shape.parts.emplace_back(std::move(outline));
    }
  }
  return shape;
}

}  // namespace qm::swf
