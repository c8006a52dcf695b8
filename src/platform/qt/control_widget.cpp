#include "platform/qt/control_widget.h"

#include <QEvent>
#include <QMouseEvent>
#include <utility>

#include "platform/qt/hidden_focus.h"

namespace qm {

QColor toQColor(Colour c) { return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF); }

int buttonCode(Qt::MouseButtons buttons) {
  int code = 0;
  if (buttons & Qt::LeftButton) code |= kLeftButton;
  if (buttons & Qt::RightButton) code |= kRightButton;
  if (buttons & Qt::MiddleButton) code |= kMiddleButton;
  return code;
}

int shiftCode(Qt::KeyboardModifiers modifiers) {
  int code = 0;
  if (modifiers & Qt::ShiftModifier) code |= 1;
  if (modifiers & Qt::ControlModifier) code |= 2;
  if (modifiers & Qt::AltModifier) code |= 4;
  return code;
}

ControlBinding::ControlBinding(Control& control, QWidget& widget, bool pixelCoordinates, bool forwardInput)
    : QObject(&widget), control_(control), widget_(widget), pixels_(pixelCoordinates) {
  if (forwardInput) {
    widget_.installEventFilter(this);
    widget_.setMouseTracking(true);
  }
  std::weak_ptr<bool> alive = alive_;
  control_.changed.connect([this, alive] {
    if (auto a = alive.lock(); a && *a) deferredSync_.request();
  });
  sync();
}

void ControlBinding::sync() {
  if (control_.kind() != ControlKind::Form) {
    QRect r(toPixels(control_.left()), toPixels(control_.top()), toPixels(control_.width()),
            toPixels(control_.height()));
    if (widget_.geometry() != r) widget_.setGeometry(r);
  }
  widget_.setToolTip(QString::fromStdString(control_.toolTip()));
  // Assistive technology finds a button by its tooltip, a text button, a
  // filter or the list panel by its caption.
  QString accessible = QString::fromStdString(control_.toolTip());
  if (accessible.isEmpty() && control_.kind() == ControlKind::Label)
    accessible = QString::fromStdString(static_cast<const Label&>(control_).caption());
  if (accessible.isEmpty() && control_.kind() == ControlKind::OptionButton)
    accessible = QString::fromStdString(static_cast<const OptionButton&>(control_).caption());
  if (accessible.isEmpty() && control_.kind() == ControlKind::Frame)
    accessible = QString::fromStdString(static_cast<const Frame&>(control_).caption());
  if (widget_.accessibleName() != accessible) widget_.setAccessibleName(accessible);
  // A form's window is shown and hidden by its mirror.
  if (control_.kind() != ControlKind::Form &&
      (widget_.isVisibleTo(widget_.parentWidget()) != control_.visible() || widget_.isHidden() == control_.visible())) {
    widget_.setVisible(control_.visible());
    if (!control_.visible()) moveFocusOutOfHidden(widget_);
  }
  // Stacking: when this control moved in its siblings' order, raise them all
  // from the back to the front.
  const int stack = control_.stackIndex();
  if (stack != lastStack_ && widget_.parentWidget() && control_.parent()) {
    lastStack_ = stack;
    const auto siblings = widget_.parentWidget()->children();
    for (Control* c : control_.parent()->children())
      for (QObject* o : siblings)
        if (o->objectName() == QString::fromStdString(c->name())) static_cast<QWidget*>(o)->raise();
  }
  widget_.update();
}

bool ControlBinding::eventFilter(QObject* watched, QEvent* event) {
  if (watched != &widget_) return false;
  auto coordinates = [this](QMouseEvent* e, double& x, double& y) {
    const double scale = pixels_ ? 1.0 : kTwipsPerPixel;
    x = e->position().x() * scale;
    y = e->position().y() * scale;
  };
  double x = 0, y = 0;
  switch (event->type()) {
    case QEvent::MouseButtonPress: {
      auto* e = static_cast<QMouseEvent*>(event);
      coordinates(e, x, y);
      pressedInside_ = true;
      buttons_ = buttonCode(e->buttons());
      control_.MouseDown.raise(buttonCode(e->button()), shiftCode(e->modifiers()), x, y);
      return true;  // the press belongs to this piece, not to the bar under it
    }
    case QEvent::MouseMove: {
      auto* e = static_cast<QMouseEvent*>(event);
      coordinates(e, x, y);
      control_.MouseMove.raise(buttonCode(e->buttons()), shiftCode(e->modifiers()), x, y);
      return true;
    }
    case QEvent::MouseButtonRelease: {
      auto* e = static_cast<QMouseEvent*>(event);
      coordinates(e, x, y);
      const bool click = std::exchange(pressedInside_, false) && e->button() == Qt::LeftButton &&
                         widget_.rect().contains(e->position().toPoint());
      // A handler may unload the form, which destroys its window with this
      // binding: nothing of it is touched after the first event, and a
      // window gone with MouseUp takes its Click with it.
      Control& control = control_;
      const std::weak_ptr<bool> alive = alive_;
      control.MouseUp.raise(buttonCode(e->button()), shiftCode(e->modifiers()), x, y);
      if (click && !alive.expired()) control.Click.raise();
      return true;
    }
    case QEvent::MouseButtonDblClick:
      control_.DblClick.raise();
      return true;
    default:
      return false;
  }
}

}  // namespace qm
