#include "platform/mpv/media_view.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QStyleHints>
#include <cmath>

#include "model/control.h"
#include "platform/mpv/mpv_engine.h"

namespace qm {

namespace {

int buttonCode(Qt::MouseButton button) {
  switch (button) {
    case Qt::LeftButton:
      return kLeftButton;
    case Qt::RightButton:
      return kRightButton;
    case Qt::MiddleButton:
      return kMiddleButton;
    default:
      return 0;
  }
}

int buttonsCode(Qt::MouseButtons buttons) {
  int code = 0;
  for (Qt::MouseButton b : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton})
    if (buttons & b) code |= buttonCode(b);
  return code;
}

int shiftCode(Qt::KeyboardModifiers modifiers) {
  return (modifiers & Qt::ShiftModifier ? 1 : 0) | (modifiers & Qt::ControlModifier ? 2 : 0) |
         (modifiers & Qt::AltModifier ? 4 : 0);
}

// The largest rectangle of `picture`'s shape that fits `area`, centred.
QRectF fitted(QSizeF picture, QRectF area) {
  QSizeF size = picture.scaled(area.size(), Qt::KeepAspectRatio);
  return QRectF(area.x() + (area.width() - size.width()) / 2, area.y() + (area.height() - size.height()) / 2,
                size.width(), size.height());
}

}  // namespace

MediaView::MediaView(Control& control, MpvEngine& engine, QWidget* parent)
    : QWidget(parent), control_(control), engine_(engine) {
  setAttribute(Qt::WA_OpaquePaintEvent);  // every pixel is painted
  setMouseTracking(true);                 // moves without a button count too
  // The engine may outlive the view: the handler checks the view is alive.
  QPointer<MediaView> self(this);
  engine_.frameChanged.connect([self] {
    if (self) self->update();
  });
}

void MediaView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QImage frame = engine_.frame();
  if (frame.isNull()) {
    painter.fillRect(rect(), Qt::black);
    return;
  }
  // The engine draws at the view's size in device pixels already; scaling
  // only covers the moment between a resize and the next frame.
  const QSizeF logical = QSizeF(frame.size()) / devicePixelRatioF();
  const QRectF picture = fitted(logical, QRectF(rect()));
  // Only the bands beside the picture are blacked: filling the whole view
  // first would write every pixel of every frame twice.
  const QPoint topLeft(std::ceil(picture.left()), std::ceil(picture.top()));
  const QPoint bottomRight(std::floor(picture.right()), std::floor(picture.bottom()));
  // One pixel in from every edge: at a fractional scale an edge may fall on
  // a pixel's centre, which the picture then does not cover.
  painter.setClipRegion(QRegion(rect()) - QRect(topLeft + QPoint(1, 1), bottomRight - QPoint(2, 2)));
  painter.fillRect(rect(), Qt::black);
  painter.setClipping(false);
  painter.drawImage(picture, frame);
}

void MediaView::resizeEvent(QResizeEvent*) { engine_.setFrameSize(size() * devicePixelRatioF()); }

bool MediaView::acceptsMouse() const { return control_.enabled() && engine_.enabled(); }

void MediaView::mousePressEvent(QMouseEvent* event) {
  if (!acceptsMouse()) return;
  const int button = buttonCode(event->button());
  if (button == 0) return;
  if (button == kLeftButton) {
    clickPending_ = true;
    leftPressHere_ = true;
    leftPressTime_ = event->timestamp();
  }
  const QPointF p = event->position();
  control_.MouseDown.raise(button, shiftCode(event->modifiers()), p.x(), p.y());
}

void MediaView::mouseReleaseEvent(QMouseEvent* event) {
  if (!acceptsMouse()) return;
  const int button = buttonCode(event->button());
  if (button == 0) return;
  const QPointF p = event->position();
  control_.MouseUp.raise(button, shiftCode(event->modifiers()), p.x(), p.y());
  // Click is the left button let go over the view it was pressed on; the
  // right button belongs to the popup menu.
  if (button == kLeftButton && clickPending_) {
    clickPending_ = false;
    if (rect().contains(p.toPoint())) control_.Click.raise();
  }
}

// The toolkit pairs two presses within the interval in one window, also
// when the first fell on another widget: a list row whose open hid the list
// over this view. Only a pair of presses here is a double click.
void MediaView::mouseDoubleClickEvent(QMouseEvent* event) {
  if (!acceptsMouse()) return;
  const bool pairedHere =
      leftPressHere_ && event->timestamp() - leftPressTime_ <=
                            static_cast<quint64>(QGuiApplication::styleHints()->mouseDoubleClickInterval());
  if (event->button() != Qt::LeftButton || !pairedHere) {
    mousePressEvent(event);  // another button's second press, or a first press here, is a plain press
    return;
  }
  leftPressHere_ = false;
  clickPending_ = false;  // its release ends the double click, not a new click
  control_.DblClick.raise();
}

void MediaView::leaveEvent(QEvent*) { leftPressHere_ = false; }

void MediaView::mouseMoveEvent(QMouseEvent* event) {
  if (!acceptsMouse()) return;
  const QPointF p = event->position();
  control_.MouseMove.raise(buttonsCode(event->buttons()), shiftCode(event->modifiers()), p.x(), p.y());
}

}  // namespace qm
