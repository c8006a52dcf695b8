#pragma once

#include <QApplication>
#include <QWidget>

namespace qm {

// Qt hands the focus of a widget that hides to the next widget that takes
// focus; where there is none (a web view hidden while the list panel is
// closed) the focus stays in the hidden widget, and the player's keys go
// nowhere. The window takes it back instead.
inline void moveFocusOutOfHidden(QWidget& hidden) {
  QWidget* focus = QApplication::focusWidget();
  if (!focus || hidden.isWindow() || (focus != &hidden && !hidden.isAncestorOf(focus))) return;
  hidden.window()->setFocus(Qt::OtherFocusReason);
}

}  // namespace qm
