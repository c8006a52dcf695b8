#include "canvas.h"

#include <algorithm>

#include "window/skin_store.h"

namespace qm::skin {

namespace {

QColor mix(const QColor& a, const QColor& b, double t) {
  auto channel = [t](int x, int y) { return static_cast<int>(x + (y - x) * t + 0.5); };
  return QColor(channel(a.red(), b.red()), channel(a.green(), b.green()), channel(a.blue(), b.blue()));
}

constexpr int kTopBarHeight = 43;
constexpr int kBottomBarHeight = 65;
constexpr int kSeekPanelLast = 22;

// Top bar: a light top edge, a soft gradient, the accent line at the bottom
// where the video begins.
QColor topBarRow(int row) {
  if (row <= 0) return kEdgeLight;
  if (row >= kTopBarHeight - 1) return kAccent;
  return mix(QColor(0x38, 0x3C, 0x42), QColor(0x23, 0x25, 0x2A), (row - 1) / double(kTopBarHeight - 3));
}

// Bottom bar: the accent line where the video ends, a flat panel behind the
// seek bar, a dark separator, the button area's gradient and a dark bottom.
QColor bottomBarRow(int row) {
  if (row <= 0) return kAccent;
  if (row <= kSeekPanelLast) return kSeekPanel;
  if (row == kSeekPanelLast + 1) return kEdgeDark;
  if (row >= kBottomBarHeight - 1) return kEdgeDark;
  const int first = kSeekPanelLast + 2;
  return mix(QColor(0x35, 0x39, 0x3F), QColor(0x20, 0x22, 0x27),
             (row - first) / double(kBottomBarHeight - 2 - first));
}

}  // namespace

QColor barColour(Bar bar, int row) { return bar == Bar::Top ? topBarRow(row) : bottomBarRow(row); }

QImage barBackground(Bar bar, int firstRow, int w, int h) {
  QImage image(w, h, QImage::Format_ARGB32);
  for (int y = 0; y < h; ++y) {
    const QRgb colour = barColour(bar, firstRow + y).rgba();
    std::fill_n(reinterpret_cast<QRgb*>(image.scanLine(y)), w, colour);
  }
  return image;
}

QImage flatImage(int w, int h, const QColor& colour) {
  QImage image(w, h, QImage::Format_ARGB32);
  image.fill(colour);
  return image;
}

QImage clearLayer(int w, int h) {
  QImage image(w, h, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  return image;
}

void beginSmooth(QPainter& painter, QImage& image) {
  painter.begin(&image);
  painter.setRenderHint(QPainter::Antialiasing, true);
}

QImage composeOpaque(const QImage& bottom, const QImage& top) {
  QImage out = bottom.convertToFormat(QImage::Format_ARGB32_Premultiplied);
  QPainter painter(&out);
  painter.drawImage(0, 0, top);
  painter.end();
  return out.convertToFormat(QImage::Format_ARGB32);
}

QImage keyOnMagenta(const QImage& layer, const QImage& behind) {
  const QImage over = composeOpaque(behind, layer);
  const QImage coverage = layer.convertToFormat(QImage::Format_ARGB32);
  QImage out(layer.size(), QImage::Format_ARGB32);
  for (int y = 0; y < out.height(); ++y) {
    for (int x = 0; x < out.width(); ++x) {
      const bool covered = qAlpha(coverage.pixel(x, y)) >= 128;
      out.setPixel(x, y, covered ? (over.pixel(x, y) | 0xFF000000) : kThumbKeyColour);
    }
  }
  return out;
}

}  // namespace qm::skin
