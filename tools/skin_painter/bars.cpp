// The bars, the side borders, the grip and the logo.
#include <QLinearGradient>
#include <QPolygonF>

#include "canvas.h"
#include "glyphs.h"
#include "window/skin_store.h"

namespace qm::skin {

namespace {

constexpr int kCapWidth = 319;
constexpr int kMiddleWidth = 8;
constexpr int kTopHeight = 43;
constexpr int kBottomHeight = 65;
constexpr int kGripTop = kBottomHeight - 16;  // the grip sits in the bar's bottom-right corner

QColor lighter(const QColor& colour, double amount) {
  return QColor(colour.red() + int((255 - colour.red()) * amount),
                colour.green() + int((255 - colour.green()) * amount),
                colour.blue() + int((255 - colour.blue()) * amount));
}

// The outer column of a cap catches the light, except on the accent and the
// dark edge rows, which run through unchanged.
void lightOuterColumn(QImage& image, Bar bar, int x) {
  for (int y = 1; y < image.height() - 1; ++y) {
    const QColor row = barColour(bar, y);
    if (row == kAccent || row == kEdgeDark) continue;
    image.setPixelColor(x, y, lighter(row, 0.12));
  }
}

// A hint of a rounded corner against the desktop.
void softCorner(QImage& image, int x, int y, int dx, int dy) {
  image.setPixelColor(x, y, kEdgeDark);
  image.setPixelColor(x + dx, y, QColor(0x2A, 0x2C, 0x30));
  image.setPixelColor(x, y + dy, QColor(0x2A, 0x2C, 0x30));
}

QImage cap(Bar bar, int height, bool left) {
  QImage image = barBackground(bar, 0, kCapWidth, height);
  const int outer = left ? 0 : kCapWidth - 1;
  lightOuterColumn(image, bar, outer);
  if (bar == Bar::Top)
    softCorner(image, outer, 0, left ? 1 : -1, 1);
  else
    softCorner(image, outer, height - 1, left ? 1 : -1, -1);
  return image;
}

QImage border(bool left) {
  QImage image(8, 32, QImage::Format_ARGB32);
  for (int x = 0; x < 8; ++x) {
    const int fromOutside = left ? x : 7 - x;
    QColor colour;
    if (fromOutside == 0)
      colour = kEdgeLight;
    else if (fromOutside == 7)
      colour = kEdgeDark;
    else
      colour = QColor(0x30 - 2 * fromOutside, 0x33 - 2 * fromOutside, 0x38 - 2 * fromOutside);
    for (int y = 0; y < 32; ++y) image.setPixelColor(x, y, colour);
  }
  return image;
}

QImage grip() {
  QImage image = barBackground(Bar::Bottom, kGripTop, 16, 16);
  QPainter p;
  beginSmooth(p, image);
  for (int ridge = 0; ridge < 3; ++ridge) {
    const double d = 4.0 * ridge + 3.5;
    p.setPen(QPen(QColor(0x86, 0x8C, 0x96), 1.1));
    p.drawLine(QPointF(d, 14.5), QPointF(14.5, d));
    p.setPen(QPen(QColor(0x0E, 0x0F, 0x11), 1.0));
    p.drawLine(QPointF(d + 1.2, 14.8), QPointF(14.8, d + 1.2));
  }
  p.end();
  return image;
}

QImage logo() {
  QImage image = barBackground(Bar::Top, kLogoTop, 16, 16);
  QPainter p;
  beginSmooth(p, image);
  QLinearGradient face(0, 1, 0, 15);
  face.setColorAt(0, kAccentLight);
  face.setColorAt(1, kAccentDeep);
  p.setPen(QPen(QColor(0xA8, 0xD2, 0xFF), 0.8));
  p.setBrush(face);
  p.drawEllipse(QPointF(8, 8), 7, 7);
  QPolygonF triangle;
  triangle << QPointF(6.3, 4.6) << QPointF(6.3, 11.4) << QPointF(11.8, 8);
  p.setPen(Qt::NoPen);
  p.setBrush(Qt::white);
  p.drawPolygon(triangle);
  p.end();
  return image;
}

}  // namespace

void addBarPainters(PainterTable& table) {
  table["top_left"] = [] { return cap(Bar::Top, kTopHeight, true); };
  table["top_middle"] = [] { return barBackground(Bar::Top, 0, kMiddleWidth, kTopHeight); };
  table["top_right"] = [] { return cap(Bar::Top, kTopHeight, false); };
  table["bottom_left"] = [] { return cap(Bar::Bottom, kBottomHeight, true); };
  table["bottom_middle"] = [] { return barBackground(Bar::Bottom, 0, kMiddleWidth, kBottomHeight); };
  table["bottom_right"] = [] { return cap(Bar::Bottom, kBottomHeight, false); };
  table["border_left"] = [] { return border(true); };
  table["border_right"] = [] { return border(false); };
  table["grip"] = grip;
  table["logo"] = logo;
}

}  // namespace qm::skin
