#include "support/image_checks.h"

#include <cstdlib>
#include <functional>

namespace qm::live {

namespace {

double share(const QImage& image, const std::function<bool(int x, int y, QRgb p)>& counts) {
  if (image.isNull() || image.width() == 0 || image.height() == 0) return 0;
  long hits = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (counts(x, y, image.pixel(x, y))) ++hits;
  return static_cast<double>(hits) / (static_cast<double>(image.width()) * image.height());
}

bool near(QRgb a, QRgb b, int tolerance) {
  return std::abs(qRed(a) - qRed(b)) <= tolerance && std::abs(qGreen(a) - qGreen(b)) <= tolerance &&
         std::abs(qBlue(a) - qBlue(b)) <= tolerance;
}

}  // namespace

double nonBlackShare(const QImage& image) {
  return share(image, [](int, int, QRgb p) { return qRed(p) + qGreen(p) + qBlue(p) > 60; });
}

double shareNear(const QImage& image, QColor colour, int tolerance) {
  const QRgb want = colour.rgb();
  return share(image, [&](int, int, QRgb p) { return near(p, want, tolerance); });
}

double changedShare(const QImage& a, const QImage& b, int tolerance) {
  if (a.size() != b.size()) return 0;
  return share(a, [&](int x, int y, QRgb p) { return !near(p, b.pixel(x, y), tolerance); });
}

}  // namespace qm::live
