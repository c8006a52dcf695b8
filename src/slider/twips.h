#pragma once

#include <QRect>
#include <cmath>
#include <optional>

#include "model/control.h"

namespace qm {

// Twips to the nearest pixel (ties to even, the rounding mode in force). A
// value beyond what a pixel coordinate can hold is no pixel: the drawing step
// that asked is skipped.
inline std::optional<int> twipsToPixel(double twips) {
  double px = std::nearbyint(twips / kTwipsPerPixel);
  if (!std::isfinite(px) || px < -1e9 || px > 1e9) return std::nullopt;
  return static_cast<int>(px);
}

// A twips rectangle as pixels, each edge rounded on its own so that pieces
// meeting at one twips edge meet at one pixel edge. Corners given in either
// order describe the same rectangle.
inline std::optional<QRect> twipsToPixelRect(double x1, double y1, double x2, double y2) {
  auto l = twipsToPixel(std::min(x1, x2)), r = twipsToPixel(std::max(x1, x2));
  auto t = twipsToPixel(std::min(y1, y2)), b = twipsToPixel(std::max(y1, y2));
  if (!l || !r || !t || !b) return std::nullopt;
  return QRect(*l, *t, *r - *l, *b - *t);
}

}  // namespace qm
