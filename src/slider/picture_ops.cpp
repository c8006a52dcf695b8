#include "slider/picture_ops.h"

#include <cmath>
#include <cstring>

namespace qm {

namespace {

bool isRgb32Layout(QImage::Format f) {
  return f == QImage::Format_RGB32 || f == QImage::Format_ARGB32 || f == QImage::Format_ARGB32_Premultiplied;
}

}  // namespace

Picture makePicture(QImage image) { return std::make_shared<const QImage>(std::move(image)); }

Picture cutPicture(const QImage& source, int x, int y, int width, int height) {
  if (width <= 0 || height <= 0 || source.isNull()) return nullptr;
  QImage rgb = source.format() == QImage::Format_RGB32 ? source : source.convertToFormat(QImage::Format_RGB32);
  QImage piece = rgb.copy(x, y, width, height);
  if (piece.isNull()) return nullptr;  // out of memory
  return makePicture(std::move(piece));
}

void drawMaskedPicture(const Picture& picture, QImage& dest, int sx, int sy, int width, int height, int dx, int dy,
                       Colour transparent) {
  if (!picture || picture->isNull() || dest.isNull() || !isRgb32Layout(dest.format())) return;
  QImage converted;
  const QImage* src = picture.get();
  if (!isRgb32Layout(src->format())) {
    converted = src->convertToFormat(QImage::Format_RGB32);
    src = &converted;
  }
  // Only the part inside both images is drawn; the rest of the request is
  // clipped away on either side.
  QRect request(0, 0, width, height);
  QRect inSource = request.intersected(src->rect().translated(-sx, -sy));
  QRect drawn = inSource.intersected(dest.rect().translated(-dx, -dy));
  if (drawn.isEmpty()) return;

  const QRgb key = qRgb(transparent & 0xFF, (transparent >> 8) & 0xFF, (transparent >> 16) & 0xFF);
  const bool keyIsColour = transparent <= 0xFFFFFF;
  for (int row = drawn.top(); row <= drawn.bottom(); ++row) {
    auto* from = reinterpret_cast<const QRgb*>(src->constScanLine(sy + row)) + sx;
    auto* to = reinterpret_cast<QRgb*>(dest.scanLine(dy + row)) + dx;
    for (int col = drawn.left(); col <= drawn.right(); ++col) {
      QRgb pixel = from[col] | 0xFF000000u;
      if (keyIsColour && pixel == key) continue;
      to[col] = pixel;
    }
  }
}

long himetricFromPixels(int pixels) {
  // 2540 HIMETRIC to the inch at 96 pixels to the inch, halves away from zero.
  long long scaled = static_cast<long long>(pixels) * 2540;
  long long half = 48;
  return static_cast<long>(scaled >= 0 ? (scaled + half) / 96 : (scaled - half) / 96);
}

long long pixelsFromHimetric(long himetric) {
  return static_cast<long long>(std::floor(static_cast<double>(himetric) / 26.45836 + 0.5));
}

}  // namespace qm
