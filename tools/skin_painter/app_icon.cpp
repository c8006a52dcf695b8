// The program's icon for the desktop: the logo's round play button on a
// clear ground, painted at each size so small icons stay sharp.
#include <QDir>
#include <QPainter>
#include <cstdio>

#include "canvas.h"

namespace qm::skin {

namespace {

QImage appIcon(int size) {
  QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter p;
  beginSmooth(p, image);
  const double s = size / 16.0;
  QLinearGradient face(0, s, 0, 15 * s);
  face.setColorAt(0, kAccentLight);
  face.setColorAt(1, kAccentDeep);
  p.setPen(QPen(QColor(0xA8, 0xD2, 0xFF), 0.8 * s));
  p.setBrush(face);
  p.drawEllipse(QPointF(8 * s, 8 * s), 7.4 * s, 7.4 * s);
  QPolygonF triangle;
  triangle << QPointF(6.3 * s, 4.6 * s) << QPointF(6.3 * s, 11.4 * s) << QPointF(11.8 * s, 8 * s);
  p.setPen(Qt::NoPen);
  p.setBrush(Qt::white);
  p.drawPolygon(triangle);
  p.end();
  return image;
}

}  // namespace

// <out>/<size>x<size>/apps/quilmora.png for the usual sizes of the icon theme.
int paintAppIcons(const QString& out) {
  int failures = 0;
  for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
    const QString folder = QString("%1/%2x%2/apps").arg(out).arg(size);
    if (!QDir().mkpath(folder) || !appIcon(size).save(folder + "/quilmora.png", "PNG")) {
      std::fprintf(stderr, "icon %d: cannot write\n", size);
      ++failures;
    }
  }
  return failures;
}

}  // namespace qm::skin
