#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "slider/colours.h"
#include "slider/gradient.h"
#include "slider/picture_ops.h"
#include "slider/tvate.h"
#include "slider/twips.h"

namespace qm {

namespace {

QColor qcolour(Colour c) { return QColor(toQRgb(c).value_or(qRgb(0, 0, 0))); }

int surfacePixels(Twips length) { return std::max(0, static_cast<int>(std::nearbyint(length / kTwipsPerPixel))); }

// A skin piece stretched over a twips rectangle; a missing piece or an empty
// or inside-out rectangle draws nothing.
void drawStretched(QPainter& painter, const Picture& piece, double x, double y, double w, double h) {
  if (!piece || w <= 0 || h <= 0) return;
  auto target = twipsToPixelRect(x, y, x + w, y + h);
  if (!target || target->isEmpty()) return;
  painter.drawImage(*target, *piece);
}

// The twips rectangle (sx, sy, w, h) of a full-bar picture, one to one at
// (dx, dy); only the part inside the picture is drawn.
void drawClipped(QPainter& painter, const Picture& picture, double sx, double sy, double w, double h, double dx,
                 double dy) {
  if (!picture || w <= 0 || h <= 0) return;
  auto source = twipsToPixelRect(sx, sy, sx + w, sy + h);
  auto x = twipsToPixel(dx), y = twipsToPixel(dy);
  if (!source || !x || !y) return;
  QRect inside = source->intersected(picture->rect());
  if (inside.isEmpty()) return;
  QPoint at(*x + inside.left() - source->left(), *y + inside.top() - source->top());
  painter.drawImage(at, *picture, inside);
}

QFont captionFont() {
  QFont font;  // the program's font: the skin's own
  font.setPixelSize(12);
  return font;
}

void drawBorder(QImage& surface, int border, bool raisedLook) {
  QPainter painter(&surface);
  const QRect outer = surface.rect();
  if (!raisedLook) {
    painter.setPen(QColor(0, 0, 0));
    painter.drawRect(outer.adjusted(0, 0, -1, -1));
    return;
  }
  // A sunken edge: dark above and left, light below and right, two rings.
  const QColor shades[2][2] = {{QColor(128, 128, 128), QColor(255, 255, 255)},
                               {QColor(64, 64, 64), QColor(212, 208, 200)}};
  for (int ring = 0; ring < border; ++ring) {
    QRect r = outer.adjusted(ring, ring, -ring, -ring);
    painter.setPen(shades[ring][0]);
    painter.drawLine(r.topLeft(), r.topRight());
    painter.drawLine(r.topLeft(), r.bottomLeft());
    painter.setPen(shades[ring][1]);
    painter.drawLine(r.bottomLeft(), r.bottomRight());
    painter.drawLine(r.topRight(), r.bottomRight());
  }
}

}  // namespace

int tVate::borderPixels() const {
  if (borderStyle_ != 1) return 0;
  return appearance_ == 1 ? 2 : 1;
}

double tVate::ScaleWidth() const {
  return std::max(0, surfacePixels(width()) - 2 * borderPixels()) * double(kTwipsPerPixel);
}

double tVate::ScaleHeight() const {
  return std::max(0, surfacePixels(height()) - 2 * borderPixels()) * double(kTwipsPerPixel);
}

double tVate::trackWidth() const { return ScaleWidth() - leftWidth_ - rightWidth_ - shownCmdWidth() + biteL_ + biteR_; }

bool tVate::setWidth(Twips v) {
  Twips before = width();
  if (!Control::setWidth(v)) return false;
  if (width() != before) redraw();
  return true;
}

bool tVate::setHeight(Twips v) {
  Twips before = height();
  if (!Control::setHeight(v)) return false;
  if (height() != before) redraw();
  return true;
}

void tVate::resizeSurface() {
  const int w = surfacePixels(width()), h = surfacePixels(height());
  if (surface_.width() == w && surface_.height() == h) return;
  surface_ = w > 0 && h > 0 ? QImage(w, h, QImage::Format_RGB32) : QImage();
}

// The part of the surface inside the border, sharing the surface's pixels:
// what the track, caption and thumb are drawn on, clipped at the border.
QImage tVate::drawingArea() {
  const int border = borderPixels();
  if (surface_.isNull()) return {};
  const int w = surface_.width() - 2 * border, h = surface_.height() - 2 * border;
  if (w <= 0 || h <= 0) return {};
  const qsizetype stride = surface_.bytesPerLine();
  uchar* origin = surface_.bits() + border * stride + border * 4;
  return QImage(origin, w, h, stride, QImage::Format_RGB32);
}

void tVate::clearSurface() {
  if (surface_.isNull()) return;
  surface_.fill(qcolour(kSliderBackColor));
  if (int border = borderPixels()) drawBorder(surface_, border, appearance_ == 1);
  QImage area = drawingArea();
  if (bkPicture_ && !area.isNull()) {
    QPainter painter(&area);
    painter.drawImage(QPoint(0, 0), *bkPicture_);
  }
}

void tVate::redraw() {
  resizeSurface();
  clearSurface();
  // Max is mended before the value is clamped to it, so that a negative Max
  // cannot throw the thumb off the bar.
  if (max_ < 0) max_ = 1;
  const int shown = value_ <= 0 ? 0 : std::min(value_, max_);
  float center = -1.0f;  // where the thumb stays when Max 0 leaves no position
  if (max_ != 0) {
    long double c =
        static_cast<long double>(trackWidth()) * shown / max_ + 0.1L + leftWidth_ + shownCmdWidth() / 2.0L - biteL_;
    center = static_cast<float>(c);
  }
  cmdCenter_ = center;
  cmdLeft_ = static_cast<float>(center - cmdWidth_ / 2.0);
  {
    QImage area = drawingArea();
    drawTrack(area, center);
    drawCaption(area);
  }
  // The mouse state raises MouseOverCmd/MouseOutCmd, whose handlers may draw
  // again; no painter is open across it.
  if (isShowCmd_) drawThumb(GetMouseState());
  drawn_ = drawnNow();
  everDrawn_ = true;
  Redrawn.raise();
}

void tVate::drawTrack(QImage& area, float center) {
  if (area.isNull()) return;
  const double w = ScaleWidth(), h = ScaleHeight();
  if (style_ == 2) {
    QPainter painter(&area);
    drawStretched(painter, leftPicture_, 0, 0, leftWidth_, h);
    drawStretched(painter, rightPicture_, w - rightWidth_, 0, rightWidth_, h);
    // The filled part runs from the left piece's inner edge to the thumb centre.
    drawStretched(painter, playedPicture_, leftWidth_, 0, center - leftWidth_, h);
    drawStretched(painter, restPicture_, center, 0, w - center - rightWidth_, h);
  } else if (style_ == 3) {
    // Two full-bar pictures, filled and empty, meeting at the thumb centre.
    QPainter painter(&area);
    drawClipped(painter, playedPicture_, 0, 0, center, h, 0, 0);
    drawClipped(painter, restPicture_, center, 0, w - center, h, center, 0);
  } else {
    DrawGradient(area, gotTopColor_, gotBottomColor_, 0, center, height());
    DrawGradient(area, topColor_, bottomColor_, center, w, height());
  }
}

void tVate::drawCaption(QImage& area) {
  // Text needs the application's font database; without one the step is skipped.
  if (caption_.empty() || area.isNull() || !qGuiApp) return;
  const QString text = QString::fromStdString(caption_);
  QPainter painter(&area);
  painter.setFont(captionFont());
  const QFontMetrics metrics = painter.fontMetrics();
  const double textWidth = metrics.horizontalAdvance(text) * double(kTwipsPerPixel);
  const double textHeight = metrics.height() * double(kTwipsPerPixel);
  auto x = twipsToPixel((ScaleWidth() - textWidth) / 2), y = twipsToPixel((ScaleHeight() - textHeight) / 2);
  if (!x || !y) return;
  painter.setPen(qcolour(kSliderForeColor));
  painter.drawText(QPoint(*x, *y + metrics.ascent()), text);
}

void tVate::drawThumb(int state) {
  QImage area = drawingArea();
  if (area.isNull()) return;
  const double frameWidth = cmdWidth_ / double(kTwipsPerPixel);
  const double sx = std::nearbyint(frameWidth * state), w = std::nearbyint(frameWidth);
  auto dx = twipsToPixel(cmdCenter_ - cmdWidth_ / 2.0);
  if (!dx) return;
  drawMaskedPicture(cmdPicture_, area, static_cast<int>(sx), 0, static_cast<int>(w), cmdHeight_, *dx, cmdTop_,
                    kThumbTransparent);
}

}  // namespace qm
