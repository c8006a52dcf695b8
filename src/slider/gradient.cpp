#include "slider/gradient.h"

#include <QPainter>
#include <cmath>

#include "slider/colours.h"
#include "slider/twips.h"

namespace qm {

namespace {

void fillTwips(QPainter& painter, double x1, double y1, double x2, double y2, QRgb colour) {
  auto rect = twipsToPixelRect(x1, y1, x2, y2);
  if (rect && !rect->isEmpty()) painter.fillRect(*rect, QColor(colour));
}

// Channels go down in single precision and round ties to even, like the
// bands were always computed; the exact band colours depend on both.
int bandChannel(int top, float step, int band) {
  float value = static_cast<float>(top) - step * static_cast<float>(band);
  return static_cast<int>(std::nearbyint(value));
}

}  // namespace

void DrawGradient(QImage& surface, Colour top, Colour bottom, double x1, double x2, double height) {
  if (surface.isNull()) return;
  QPainter painter(&surface);
  if (top == bottom) {
    if (auto colour = toQRgb(top)) fillTwips(painter, x1, 0, x2, height, *colour);
    return;
  }
  auto a = SplitColor(top), b = SplitColor(bottom);
  if (!a || !b) return;
  const float stepRed = static_cast<float>(a->red - b->red) / 10.0f;
  const float stepGreen = static_cast<float>(a->green - b->green) / 10.0f;
  const float stepBlue = static_cast<float>(a->blue - b->blue) / 10.0f;
  const double band = height / 10.0;
  for (int i = 0; i <= 10; ++i) {
    QRgb colour =
        qRgb(bandChannel(a->red, stepRed, i), bandChannel(a->green, stepGreen, i), bandChannel(a->blue, stepBlue, i));
    fillTwips(painter, x1, band * i, x2, band * (i + 1), colour);
  }
}

}  // namespace qm
