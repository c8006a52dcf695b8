#include "platform/swf/shape_records.h"

#include <algorithm>
#include <unordered_map>

namespace qm::swf {
namespace {

constexpr uint8_t kSolidFill = 0x00;
constexpr uint8_t kLinearGradientFill = 0x10;
constexpr uint8_t kRadialGradientFill = 0x12;
// Bitmap fills: repeated or clipped, smoothed or not.
constexpr uint8_t kFirstBitmapFill = 0x40;
constexpr uint8_t kLastBitmapFill = 0x43;
constexpr uint8_t kUnsmoothedBitmapFill = 0x02;
constexpr uint16_t kExtendedCount = 0xff;

double fixed16(int32_t value) { return value / 65536.0; }

Colour readColour(ByteReader& in, bool withAlpha) {
  Colour colour;
  colour.red = in.u8();
  colour.green = in.u8();
  colour.blue = in.u8();
  colour.alpha = withAlpha ? in.u8() : 255;
  return colour;
}

uint16_t readStyleCount(ByteReader& in, int shapeVersion) {
  const uint16_t count = in.u8();
  return count == kExtendedCount && shapeVersion >= 2 ? in.u16() : count;
}

std::optional<Gradient> readGradient(ByteReader& in, Gradient::Kind kind, int shapeVersion) {
  Gradient gradient;
  gradient.kind = kind;
  gradient.matrix = readMatrix(in);
  in.align();
  const uint32_t spread = in.bits(2);
  in.bits(2);  // interpolation: linear RGB looks close enough to the usual sRGB
  const uint32_t count = in.bits(4);
  if (spread > 2 || count == 0) return std::nullopt;
  gradient.spread = static_cast<Gradient::Spread>(spread);
  for (uint32_t i = 0; i < count; ++i) {
    const uint8_t ratio = in.u8();
    gradient.stops.emplace_back(ratio, readColour(in, shapeVersion >= 3));
  }
  return gradient;
}

std::optional<std::vector<Fill>> readFillStyles(ByteReader& in, int shapeVersion,
                                                const std::map<uint16_t, Bitmap>& bitmaps) {
  std::vector<Fill> fills;
  const uint16_t count = readStyleCount(in, shapeVersion);
  for (uint16_t i = 0; i < count && !in.overrun(); ++i) {
    const uint8_t type = in.u8();
    if (type == kSolidFill) {
      fills.emplace_back(readColour(in, shapeVersion >= 3));
    } else if (type == kLinearGradientFill || type == kRadialGradientFill) {
      auto gradient = readGradient(in, type == kLinearGradientFill ? Gradient::Kind::kLinear : Gradient::Kind::kRadial,
                                   shapeVersion);
      if (!gradient) return std::nullopt;
      fills.emplace_back(std::move(*gradient));
    } else if (type >= kFirstBitmapFill && type <= kLastBitmapFill) {
      // A clipped fill repeats here rather than stretching its edge pixels,
      // which shows only outside the bitmap, where tools do not draw it.
      BitmapFill fill;
      fill.bitmapId = in.u16();
      fill.matrix = readMatrix(in);
      fill.smooth = !(type & kUnsmoothedBitmapFill);
      if (!bitmaps.count(fill.bitmapId)) return std::nullopt;
      fills.emplace_back(fill);
    } else {
      return std::nullopt;  // focal gradients
    }
  }
  if (in.overrun()) return std::nullopt;
  return fills;
}

// LINESTYLE, or from DefineShape4 on LINESTYLE2.
std::optional<std::vector<Outline>> readLineStyles(ByteReader& in, int shapeVersion) {
  std::vector<Outline> lines;
  const uint16_t count = readStyleCount(in, shapeVersion);
  for (uint16_t i = 0; i < count && !in.overrun(); ++i) {
    Outline line;
    line.width = in.u16();
    if (shapeVersion >= 4) {
      const uint32_t startCap = in.bits(2), join = in.bits(2);
      const bool hasFill = in.bits(1), noHorizontalScale = in.bits(1), noVerticalScale = in.bits(1);
      in.bits(1 + 5);  // pixel hinting, reserved
      line.noClose = in.bits(1);
      const uint32_t endCap = in.bits(2);
      // Filled lines, lines that keep their width at any scale and lines
      // with two kinds of end are left to a Flash runtime.
      if (hasFill || noHorizontalScale || noVerticalScale || startCap != endCap || startCap > 2 || join > 2)
        return std::nullopt;
      line.cap = static_cast<Outline::Cap>(startCap);
      line.join = static_cast<Outline::Join>(join);
      if (line.join == Outline::Join::kMiter) line.miterLimit = in.u16() / 256.0;
    }
    line.colour = readColour(in, shapeVersion >= 3);
    lines.push_back(std::move(line));
  }
  if (in.overrun()) return std::nullopt;
  return lines;
}

uint64_t pointKey(Point point) { return uint64_t(uint32_t(point.x)) << 32 | uint32_t(point.y); }

Edge reversed(const Edge& edge) { return Edge{edge.to, edge.from, edge.control}; }

std::vector<std::vector<Edge>> linkContours(const std::vector<Edge>& edges) {
  std::vector<std::vector<Edge>> contours;
  for (const auto& indices : linkedContours(edges)) {
    std::vector<Edge>& contour = contours.emplace_back();
    for (size_t i : indices) contour.push_back(edges[i]);
  }
  return contours;
}

// The edges of one group of styles, gathered by style as they are read.
struct StyleGroup {
  std::vector<Fill> fills;
  std::vector<Outline> lines;
  std::vector<std::vector<Edge>> fillEdges;  // per fill style, the fill on each edge's right

  void flushInto(Shape& shape) {
    for (size_t i = 0; i < fills.size(); ++i) {
      if (!fillEdges[i].empty()) shape.parts.emplace_back(FilledArea{std::move(fills[i]), linkContours(fillEdges[i])});
    }
    for (Outline& line : lines) {
      if (!line.strokes.empty()) shape.parts.emplace_back(std::move(line));
    }
  }
};

}  // namespace

std::optional<Edge> readEdge(ByteReader& in, Point pen) {
  // Deltas add up over the edges; a shape that runs off the coordinates
  // is not one any tool drew.
  bool overflow = false;
  auto moved = [&overflow](Point from, int32_t dx, int32_t dy) {
    Point to;
    overflow |= __builtin_add_overflow(from.x, dx, &to.x) | __builtin_add_overflow(from.y, dy, &to.y);
    return to;
  };
  Edge edge{pen, pen, std::nullopt};
  const bool straight = in.bits(1);
  const int size = static_cast<int>(in.bits(4)) + 2;
  if (straight) {
    int32_t dx = 0, dy = 0;
    if (in.bits(1)) {  // general line
      dx = in.signedBits(size);
      dy = in.signedBits(size);
    } else if (in.bits(1)) {
      dy = in.signedBits(size);
    } else {
      dx = in.signedBits(size);
    }
    edge.to = moved(pen, dx, dy);
  } else {
    const int32_t cx = in.signedBits(size), cy = in.signedBits(size);
    const int32_t ax = in.signedBits(size), ay = in.signedBits(size);
    edge.control = moved(pen, cx, cy);
    edge.to = moved(*edge.control, ax, ay);
  }
  if (overflow) return std::nullopt;
  return edge;
}

std::vector<std::vector<size_t>> linkedContours(const std::vector<Edge>& edges) {
  std::unordered_map<uint64_t, std::vector<size_t>> startingAt;
  for (size_t i = edges.size(); i-- > 0;) startingAt[pointKey(edges[i].from)].push_back(i);
  std::vector<bool> used(edges.size(), false);
  std::vector<std::vector<size_t>> contours;
  for (size_t first = 0; first < edges.size(); ++first) {
    if (used[first]) continue;
    std::vector<size_t>& contour = contours.emplace_back();
    for (size_t next = first;;) {
      used[next] = true;
      contour.push_back(next);
      if (edges[next].to == edges[first].from) break;
      auto& candidates = startingAt[pointKey(edges[next].to)];
      while (!candidates.empty() && used[candidates.back()]) candidates.pop_back();
      if (candidates.empty()) break;
      next = candidates.back();
    }
  }
  return contours;
}

Matrix readMatrix(ByteReader& in) {
  in.align();
  Matrix matrix;
  if (in.bits(1)) {
    const int size = static_cast<int>(in.bits(5));
    matrix.scaleX = fixed16(in.signedBits(size));
    matrix.scaleY = fixed16(in.signedBits(size));
  }
  if (in.bits(1)) {
    const int size = static_cast<int>(in.bits(5));
    matrix.rotateSkew0 = fixed16(in.signedBits(size));
    matrix.rotateSkew1 = fixed16(in.signedBits(size));
  }
  const int size = static_cast<int>(in.bits(5));
  matrix.translateX = in.signedBits(size);
  matrix.translateY = in.signedBits(size);
  return matrix;
}

ColourTransform readColourTransform(ByteReader& in, bool withAlpha) {
  in.align();
  ColourTransform transform;
  const bool hasAdd = in.bits(1);
  const bool hasMultiply = in.bits(1);
  const int size = static_cast<int>(in.bits(4));
  const int channels = withAlpha ? 4 : 3;
  if (hasMultiply)
    for (int i = 0; i < channels; ++i) transform.multiply[i] = in.signedBits(size);
  if (hasAdd)
    for (int i = 0; i < channels; ++i) transform.add[i] = in.signedBits(size);
  return transform;
}

namespace {

// A glyph's outline has no styles of its own: fill 1 is the text's colour.
std::optional<Shape> readRecords(ByteReader& in, int shapeVersion, size_t maxEdges,
                                 const std::map<uint16_t, Bitmap>& bitmaps, bool glyph) {
  Shape shape;
  StyleGroup group;
  auto readStyles = [&]() -> bool {
    auto fills = readFillStyles(in, shapeVersion, bitmaps);
    if (!fills) return false;
    auto lines = readLineStyles(in, shapeVersion);
    if (!lines) return false;
    group.fills = std::move(*fills);
    group.lines = std::move(*lines);
    group.fillEdges.assign(group.fills.size(), {});
    return !in.overrun();
  };
  if (glyph) {
    group.fills = {Colour{}};
    group.fillEdges.assign(1, {});
  } else if (!readStyles()) {
    return std::nullopt;
  }
  int fillBits = static_cast<int>(in.bits(4));
  int lineBits = static_cast<int>(in.bits(4));

  Point pen;
  uint32_t fill0 = 0, fill1 = 0, line = 0;
  size_t edgesRead = 0;
  auto addEdge = [&](const Edge& edge) {
    if (fill1) group.fillEdges[fill1 - 1].push_back(edge);
    if (fill0) group.fillEdges[fill0 - 1].push_back(reversed(edge));
    if (line) {
      auto& strokes = group.lines[line - 1].strokes;
      if (strokes.empty() || !(strokes.back().back().to == edge.from)) strokes.emplace_back();
      strokes.back().push_back(edge);
    }
    pen = edge.to;
  };

  while (!in.overrun()) {
    if (in.bits(1) == 0) {
      const uint32_t flags = in.bits(5);
      if (flags == 0) break;  // end of shape
      constexpr uint32_t kNewStyles = 0x10, kLineStyle = 0x08, kFillStyle1 = 0x04, kFillStyle0 = 0x02, kMoveTo = 0x01;
      if (flags & kMoveTo) {
        const int size = static_cast<int>(in.bits(5));
        pen.x = in.signedBits(size);
        pen.y = in.signedBits(size);
      }
      const uint32_t newFill0 = (flags & kFillStyle0) ? in.bits(fillBits) : fill0;
      const uint32_t newFill1 = (flags & kFillStyle1) ? in.bits(fillBits) : fill1;
      const uint32_t newLine = (flags & kLineStyle) ? in.bits(lineBits) : line;
      if (flags & kNewStyles) {
        if (shapeVersion < 2) return std::nullopt;
        group.flushInto(shape);
        group = StyleGroup{};
        if (!readStyles()) return std::nullopt;
        fillBits = static_cast<int>(in.bits(4));
        lineBits = static_cast<int>(in.bits(4));
      }
      fill0 = newFill0;
      fill1 = newFill1;
      line = newLine;
      if (fill0 > group.fills.size() || fill1 > group.fills.size() || line > group.lines.size()) return std::nullopt;
      continue;
    }
    if (++edgesRead > maxEdges) return std::nullopt;
    const std::optional<Edge> edge = readEdge(in, pen);
    if (!edge) return std::nullopt;
    addEdge(*edge);
  }
  if (in.overrun()) return std::nullopt;
  group.flushInto(shape);
  return shape;
}

}  // namespace

std::optional<Shape> readShape(ByteReader& in, int shapeVersion, size_t maxEdges,
                               const std::map<uint16_t, Bitmap>& bitmaps) {
  return readRecords(in, shapeVersion, maxEdges, bitmaps, false);
}

std::optional<Shape> readGlyph(ByteReader& in, size_t maxEdges) { return readRecords(in, 1, maxEdges, {}, true); }

size_t edgeCount(const Shape& shape) {
  size_t count = 0;
  for (const ShapePart& part : shape.parts) {
    if (const auto* area = std::get_if<FilledArea>(&part))
      for (const auto& contour : area->contours) count += contour.size();
    else
      for (const auto& stroke : std::get<Outline>(part).strokes) count += stroke.size();
  }
  return count;
}

}  // namespace qm::swf
