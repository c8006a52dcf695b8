#include "platform/qt/window_attachment.h"

#include <QGuiApplication>
#include <QWidget>
#include <QWindow>

namespace qm {

namespace {

// The native window is made here so that the parent is known when the
// window shows; Wayland fixes a window's role and parent at that moment.
void setParentWindow(QWidget& window, QWidget& owner) {
  window.winId();
  owner.winId();
  window.windowHandle()->setTransientParent(owner.windowHandle());
}

}  // namespace

bool compositorPlacesWindows() { return QGuiApplication::platformName().startsWith(QLatin1String("wayland")); }

// Qt shows a tool tip window with a parent as a Wayland popup that takes
// neither the pointer nor the keyboard for itself, so the form keeps its own
// rules for when it closes.
void makePopupOf(QWidget& window, QWidget& owner) {
  window.setWindowFlags(Qt::ToolTip | Qt::FramelessWindowHint);
  setParentWindow(window, owner);
}

void makeChildOf(QWidget& window, QWidget& owner) {
  const bool shown = window.isVisible();
  if (shown) window.hide();
  setParentWindow(window, owner);
  if (shown) window.show();
}

}  // namespace qm
