// The pointer shown over a slider's thumb: an open hand, white with a dark
// outline and a soft shadow, on a transparent ground. Its hot spot is the
// picture's centre (kSliderCursorHotX/Y), on the palm.
#include <QPainterPath>

#include "canvas.h"
#include "window/skin_store.h"

namespace qm::skin {

namespace {

QPainterPath capsule(double left, double top, double width, double bottom) {
  QPainterPath path;
  path.addRoundedRect(QRectF(left, top, width, bottom - top), width / 2, width / 2);
  return path;
}

QPainterPath handOutline() {
  struct Finger {
    double left, top;
  };
  const Finger fingers[] = {{9.0, 7.0}, {13.0, 4.5}, {17.0, 5.5}, {21.0, 8.5}};
  QPainterPath hand;
  hand.addRoundedRect(QRectF(9.0, 13.0, 16.0, 14.5), 5.5, 5.5);
  for (const Finger& finger : fingers) hand = hand.united(capsule(finger.left, finger.top, 4.0, 19.0));

  QPainterPath thumb = capsule(0, 0, 4.2, 10.0);
  QTransform tilt;
  tilt.translate(5.0, 13.5);
  tilt.rotate(-38);
  return hand.united(tilt.map(thumb)).simplified();
}

QImage sliderCursor() {
  QImage image = clearLayer(32, 32);
  QPainter p;
  beginSmooth(p, image);
  const QPainterPath hand = handOutline();
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0, 0, 0, 70));
  p.drawPath(hand.translated(1.2, 1.2));
  p.setPen(QPen(QColor(0x15, 0x16, 0x18), 1.3));
  p.setBrush(Qt::white);
  p.drawPath(hand);
  // The gaps between the fingers.
  p.setPen(QPen(QColor(0x15, 0x16, 0x18), 1.0));
  for (double x : {12.5, 16.5, 20.5}) p.drawLine(QPointF(x, 10.5), QPointF(x, 16.5));
  p.end();
  return image.convertToFormat(QImage::Format_ARGB32);
}

}  // namespace

void addCursorPainters(PainterTable& table) { table["slider_cursor"] = sliderCursor; }

}  // namespace qm::skin
