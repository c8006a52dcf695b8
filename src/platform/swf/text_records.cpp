#include "platform/swf/text_records.h"

#include <cmath>
#include <limits>

#include "platform/swf/byte_reader.h"
#include "platform/swf/shape_records.h"

namespace qm::swf {
namespace {

constexpr uint8_t kWideOffsets = 0x08;
constexpr uint8_t kTextRecord = 0x80;
constexpr uint8_t kHasFont = 0x08;
constexpr uint8_t kHasColour = 0x04;
constexpr uint8_t kHasY = 0x02;
constexpr uint8_t kHasX = 0x01;

// A point of a glyph placed in the text's space; nothing when it falls off
// the coordinates.
std::optional<Point> placed(const Matrix& m, Point glyph, double scale, double x, double y) {
  const double gx = x + glyph.x * scale, gy = y + glyph.y * scale;
  const double tx = m.scaleX * gx + m.rotateSkew1 * gy + m.translateX;
  const double ty = m.rotateSkew0 * gx + m.scaleY * gy + m.translateY;
  constexpr double kLimit = std::numeric_limits<int32_t>::max() / 2;
  if (!(std::abs(tx) < kLimit && std::abs(ty) < kLimit)) return std::nullopt;
  return Point{int32_t(std::lround(tx)), int32_t(std::lround(ty))};
}

}  // namespace

std::optional<Font> readFont(std::span<const uint8_t> body, int version, size_t maxEdges) {
  ByteReader in(body, 2);  // after the id
  Font font;
  bool wide = false;
  size_t glyphCount = 0;
  if (version == 1) {
    if (in.remaining() == 0) return font;  // a device font: no outlines
    ByteReader first(body, 2);
    glyphCount = first.u16() / 2;
  } else {
    const uint8_t flags = in.u8();
    wide = flags & kWideOffsets;
    in.u8();           // language
    in.skip(in.u8());  // name
    glyphCount = in.u16();
    if (version == 3) font.unitsPerEm = 1024 * 20;
  }
  const size_t table = in.position();
  std::vector<size_t> offsets;
  for (size_t i = 0; i <= glyphCount && !in.overrun(); ++i) {
    // DefineFont's outlines run to the end; the later fonts' last one ends
    // where their code table starts.
    if (i == glyphCount && version == 1) {
      offsets.push_back(body.size() - table);
      break;
    }
    offsets.push_back(wide ? in.u32() : in.u16());
  }
  if (in.overrun() || (glyphCount > 0 && offsets.size() != glyphCount + 1)) return std::nullopt;
  size_t edges = 0;
  for (size_t i = 0; i < glyphCount; ++i) {
    if (offsets[i] > offsets[i + 1] || table + offsets[i + 1] > body.size()) return std::nullopt;
    ByteReader glyph(body.subspan(table + offsets[i], offsets[i + 1] - offsets[i]));
    std::optional<Shape> outline = readGlyph(glyph, maxEdges - edges);
    if (!outline) return std::nullopt;
    edges += edgeCount(*outline);
    font.glyphs.push_back(std::move(*outline));
  }
  return font;
}

std::optional<Shape> readText(std::span<const uint8_t> body, int version, const std::map<uint16_t, Font>& fonts,
                              size_t maxEdges) {
  ByteReader in(body, 2);  // after the id
  const int boundsBits = static_cast<int>(in.bits(5));
  for (int i = 0; i < 4; ++i) in.signedBits(boundsBits);
  const Matrix matrix = readMatrix(in);
  const int glyphBits = in.u8();
  const int advanceBits = in.u8();
  if (glyphBits > 32 || advanceBits > 32) return std::nullopt;
  Shape text;
  const Font* font = nullptr;
  Colour colour;
  double x = 0, y = 0, height = 0;
  size_t edges = 0;
  while (!in.overrun()) {
    const uint8_t flags = in.u8();
    if (flags == 0) break;  // the end of the records
    if (!(flags & kTextRecord)) return std::nullopt;
    if (flags & kHasFont) {
      const auto found = fonts.find(in.u16());
      if (found == fonts.end()) return std::nullopt;
      font = &found->second;
    }
    if (flags & kHasColour) {
      colour.red = in.u8();
      colour.green = in.u8();
      colour.blue = in.u8();
      colour.alpha = version >= 2 ? in.u8() : 255;
    }
    if (flags & kHasX) x = int16_t(in.u16());
    if (flags & kHasY) y = int16_t(in.u16());
    if (flags & kHasFont) height = in.u16();
    const int count = in.u8();
    if (!font && count > 0) return std::nullopt;
    FilledArea run{colour, {}};
    for (int i = 0; i < count && !in.overrun(); ++i) {
      const uint32_t index = in.bits(glyphBits);
      const int32_t advance = in.signedBits(advanceBits);
      if (index >= font->glyphs.size()) return std::nullopt;
      const double scale = height / font->unitsPerEm;
      for (const ShapePart& part : font->glyphs[index].parts) {
        for (const auto& contour : std::get<FilledArea>(part).contours) {
          if ((edges += contour.size()) > maxEdges) return std::nullopt;
          std::vector<Edge> out;
          for (const Edge& edge : contour) {
            const auto from = placed(matrix, edge.from, scale, x, y), to = placed(matrix, edge.to, scale, x, y);
            const auto control = edge.control ? placed(matrix, *edge.control, scale, x, y) : std::nullopt;
            if (!from || !to || (edge.control && !control)) return std::nullopt;
            out.push_back(Edge{*from, *to, control});
          }
          run.contours.push_back(std::move(out));
        }
      }
      x += advance;
    }
    in.align();
    if (!run.contours.empty()) text.parts.emplace_back(std::move(run));
  }
  if (in.overrun()) return std::nullopt;
  return text;
}

}  // namespace qm::swf
