#include "glyphs.h"

#include <QPainterPath>
#include <QPolygonF>
#include <cmath>
#include <initializer_list>
#include <numbers>

namespace qm::skin {

namespace {

QPen roundPen(const QColor& colour, double width) {
  QPen pen(colour, width);
  pen.setCapStyle(Qt::RoundCap);
  pen.setJoinStyle(Qt::RoundJoin);
  return pen;
}

// A rectangle given relative to the centre.
void bar(QPainter& p, QPointF c, double x, double y, double w, double h, const QColor& colour) {
  p.fillRect(QRectF(c.x() + x, c.y() + y, w, h), colour);
}

void solid(QPainter& p, QPointF c, std::initializer_list<QPointF> points, const QColor& colour) {
  QPolygonF polygon;
  for (QPointF point : points) polygon << c + point;
  p.setPen(Qt::NoPen);
  p.setBrush(colour);
  p.drawPolygon(polygon);
}

void line(QPainter& p, QPointF c, QPointF from, QPointF to, const QColor& colour, double width) {
  p.setPen(roundPen(colour, width));
  p.drawLine(c + from, c + to);
}

// A circular arrow: an open arc running counter-clockwise, head at its end.
void loopArrow(QPainter& p, QPointF c, const QColor& colour) {
  constexpr double radius = 5.5;
  constexpr double startDeg = 115;
  constexpr double spanDeg = 285;
  p.setPen(roundPen(colour, 2.0));
  p.setBrush(Qt::NoBrush);
  p.drawArc(QRectF(c.x() - radius, c.y() - radius, 2 * radius, 2 * radius), int(startDeg * 16),
            int(spanDeg * 16));

  const double end = (startDeg + spanDeg) * std::numbers::pi / 180;
  const QPointF outward(std::cos(end), -std::sin(end));
  const QPointF ahead(-std::sin(end), -std::cos(end));  // direction of travel on screen
  const QPointF tip = c + outward * radius + ahead * 3.2;
  const QPointF base = c + outward * radius - ahead * 0.6;
  solid(p, {0, 0}, {tip, base + outward * 3.0, base - outward * 3.0}, colour);
}

void note(QPainter& p, QPointF c, const QColor& colour) {
  p.save();
  p.translate(c + QPointF(-2.2, 4.2));
  p.rotate(-22);
  p.setPen(Qt::NoPen);
  p.setBrush(colour);
  p.drawEllipse(QPointF(0, 0), 3.3, 2.4);
  p.restore();
  bar(p, c, 0.2, -7, 1.6, 11, colour);
  QPainterPath flag;
  flag.moveTo(c + QPointF(1.0, -6.6));
  flag.cubicTo(c + QPointF(4.8, -4.6), c + QPointF(5.6, -1.6), c + QPointF(3.6, 1.2));
  p.setPen(roundPen(colour, 1.7));
  p.setBrush(Qt::NoBrush);
  p.drawPath(flag);
}

void speaker(QPainter& p, QPointF c, const QColor& colour) {
  solid(p, c, {{-7, -2.5}, {-4, -2.5}, {0, -6.5}, {0, 6.5}, {-4, 2.5}, {-7, 2.5}}, colour);
  p.setPen(roundPen(colour, 1.4));
  p.setBrush(Qt::NoBrush);
  for (double radius : {3.8, 6.8}) {
    const QPointF arcCentre = c + QPointF(-0.5, 0);
    p.drawArc(QRectF(arcCentre.x() - radius, arcCentre.y() - radius, 2 * radius, 2 * radius), -45 * 16,
              90 * 16);
  }
}

void letterR(QPainter& p, QPointF c, const QColor& colour) {
  bar(p, c, -3, -4, 2, 8, colour);
  QPainterPath bowl;
  bowl.moveTo(c + QPointF(-2, -3.1));
  bowl.lineTo(c + QPointF(0.6, -3.1));
  bowl.cubicTo(c + QPointF(3.3, -3.1), c + QPointF(3.3, 0.9), c + QPointF(0.6, 0.9));
  bowl.lineTo(c + QPointF(-2, 0.9));
  QPen pen(colour, 1.8);
  pen.setCapStyle(Qt::FlatCap);
  p.setPen(pen);
  p.setBrush(Qt::NoBrush);
  p.drawPath(bowl);
  line(p, c, {0.6, 1.2}, {2.8, 3.4}, colour, 1.8);
}

}  // namespace

void drawGlyph(QPainter& p, Glyph glyph, QPointF c, const QColor& colour) {
  switch (glyph) {
    case Glyph::Menu:
      for (double y : {-5.0, -1.0, 3.0}) bar(p, c, -5, y, 10, 2, colour);
      break;
    case Glyph::Minimize:
      bar(p, c, -5, 3, 10, 2, colour);
      break;
    case Glyph::Maximize:
      bar(p, c, -5, -5, 10, 2, colour);
      bar(p, c, -5, -3, 1, 8, colour);
      bar(p, c, 4, -3, 1, 8, colour);
      bar(p, c, -4, 4, 8, 1, colour);
      break;
    case Glyph::Restore:
      // The window behind, showing above and right of the front one.
      bar(p, c, -3, -5, 8, 2, colour);
      bar(p, c, 4, -3, 1, 6, colour);
      bar(p, c, 3, 2, 1, 1, colour);
      // The front window.
      bar(p, c, -5, -2, 8, 2, colour);
      bar(p, c, -5, 0, 1, 5, colour);
      bar(p, c, 2, 0, 1, 5, colour);
      bar(p, c, -4, 4, 6, 1, colour);
      break;
    case Glyph::Close:
      line(p, c, {-4.5, -4.5}, {4.5, 4.5}, colour, 1.7);
      line(p, c, {-4.5, 4.5}, {4.5, -4.5}, colour, 1.7);
      break;
    case Glyph::Play:
      solid(p, c, {{-3, -6.5}, {-3, 6.5}, {7, 0}}, colour);
      break;
    case Glyph::Pause:
      bar(p, c, -5, -6, 3, 12, colour);
      bar(p, c, 2, -6, 3, 12, colour);
      break;
    case Glyph::Previous:
      bar(p, c, -6, -5, 2, 10, colour);
      solid(p, c, {{5, -5.5}, {5, 5.5}, {-3.5, 0}}, colour);
      break;
    case Glyph::Next:
      solid(p, c, {{-5, -5.5}, {-5, 5.5}, {3.5, 0}}, colour);
      bar(p, c, 4, -5, 2, 10, colour);
      break;
    case Glyph::Stop: {
      p.setPen(Qt::NoPen);
      p.setBrush(colour);
      p.drawRoundedRect(QRectF(c.x() - 5, c.y() - 5, 10, 10), 1.5, 1.5);
      break;
    }
    case Glyph::Loop:
      loopArrow(p, c, colour);
      break;
    case Glyph::Note:
      note(p, c, colour);
      break;
    case Glyph::Fullscreen:
      for (double sx : {-1.0, 1.0}) {
        for (double sy : {-1.0, 1.0}) {
          const double x = sx < 0 ? -6 : 2, y = sy < 0 ? -6 : 4;
          bar(p, c, x, y, 4, 2, colour);                              // arm along x
          bar(p, c, sx < 0 ? -6 : 4, sy < 0 ? -6 : 2, 2, 4, colour);  // arm along y
        }
      }
      break;
    case Glyph::Speaker:
      speaker(p, c, colour);
      break;
    case Glyph::LetterL:
      bar(p, c, -2, -4, 2, 8, colour);
      bar(p, c, 0, 2, 3, 2, colour);
      break;
    case Glyph::LetterR:
      letterR(p, c, colour);
      break;
    case Glyph::Stereo:
      p.setPen(QPen(colour, 1.3));
      p.setBrush(Qt::NoBrush);
      p.drawEllipse(c + QPointF(-2.2, 0), 3.2, 3.2);
      p.drawEllipse(c + QPointF(2.2, 0), 3.2, 3.2);
      break;
  }
}

}  // namespace qm::skin
