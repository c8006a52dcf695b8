#include "platform/qt/slider_view.h"

#include <QCursor>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QPointer>

#include "platform/qt/control_widget.h"

namespace qm {

namespace {

double twips(double pixels) { return pixels * kTwipsPerPixel; }

// The usual pointer shapes by their cMousePointer numbers.
Qt::CursorShape shapeOf(int pointer) {
  switch (pointer) {
    case 2:
      return Qt::CrossCursor;
    case 3:
      return Qt::IBeamCursor;
    case 5:
    case 15:
      return Qt::SizeAllCursor;
    case 6:
      return Qt::SizeBDiagCursor;
    case 7:
      return Qt::SizeVerCursor;
    case 8:
      return Qt::SizeFDiagCursor;
    case 9:
      return Qt::SizeHorCursor;
    case 10:
      return Qt::UpArrowCursor;
    case 11:
      return Qt::WaitCursor;
    case 12:
      return Qt::ForbiddenCursor;
    case 13:
      return Qt::BusyCursor;
    case 14:
      return Qt::WhatsThisCursor;
    default:
      return Qt::ArrowCursor;
  }
}

}  // namespace

SliderView::SliderView(tVate& slider, QWidget* parent) : QWidget(parent), slider_(slider) {
  setMouseTracking(true);  // hover frames need moves without a button
  setAttribute(Qt::WA_OpaquePaintEvent);
  // The slider may outlive this widget; its handlers then find nothing to do.
  QPointer<SliderView> self(this);
  slider_.Redrawn.connect([self] {
    if (self) self->update();
  });
  slider_.changed.connect([self] {
    if (self) self->showPointer();
  });
  showPointer();
}

void SliderView::showPointer() {
  const int pointer = slider_.cMousePointer();
  if (pointer == kPointerCustom && slider_.cMouseIcon() && !slider_.cMouseIcon()->isNull())
    setCursor(QCursor(QPixmap::fromImage(*slider_.cMouseIcon())));
  else if (pointer == kPointerDefault || pointer == kPointerCustom)
    unsetCursor();
  else
    setCursor(shapeOf(pointer));
}

void SliderView::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  const QImage& surface = slider_.surface();
  // Outside the drawing (before the first one, or while sizes catch up) the
  // slider's background shows.
  const Colour back = kSliderBackColor;
  const QColor backColour(back & 0xFF, (back >> 8) & 0xFF, (back >> 16) & 0xFF);
  QRegion rest(event->rect());
  if (!surface.isNull()) {
    painter.drawImage(QPoint(0, 0), surface);
    rest -= QRegion(surface.rect());
  }
  for (const QRect& r : rest) painter.fillRect(r, backColour);
}

void SliderView::mousePressEvent(QMouseEvent* event) {
  pressedInside_ = true;
  slider_.surfaceMouseDown(buttonCode(event->button()), shiftCode(event->modifiers()), twips(event->position().x()),
                           twips(event->position().y()));
}

void SliderView::mouseMoveEvent(QMouseEvent* event) {
  slider_.surfaceMouseMove(buttonCode(event->buttons()), shiftCode(event->modifiers()), twips(event->position().x()),
                           twips(event->position().y()));
}

void SliderView::mouseReleaseEvent(QMouseEvent* event) {
  QPointer<SliderView> self(this);
  const bool click =
      pressedInside_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
  pressedInside_ = false;
  slider_.surfaceMouseUp(buttonCode(event->button()), shiftCode(event->modifiers()), twips(event->position().x()),
                         twips(event->position().y()));
  // A handler of MouseUp may have closed the window around this widget.
  if (self && click) slider_.surfaceClick();
}

void SliderView::mouseDoubleClickEvent(QMouseEvent*) {
  // The second press of a double click is the double click, not a new press;
  // its release is no click either.
  pressedInside_ = false;
  slider_.surfaceDblClick();
}

}  // namespace qm
