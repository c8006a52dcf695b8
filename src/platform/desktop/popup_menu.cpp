#include "platform/desktop/popup_menu.h"

#include <QCursor>
#include <QMenu>
#include <functional>

#include "model/control.h"

namespace qm {

void popupMenuAtPointer(MenuItem& root, QWidget* parent) {
  QMenu menu(parent);
  MenuItem* chosen = nullptr;
  std::function<void(MenuItem&, QMenu&)> fill = [&](MenuItem& item, QMenu& into) {
    for (Control* c : item.children()) {
      auto& child = static_cast<MenuItem&>(*c);
      if (!child.visible()) continue;
      const QString text = QString::fromStdString(child.caption());
      if (!child.children().empty()) {
        fill(child, *into.addMenu(text));
        continue;
      }
      QAction* action = into.addAction(text);
      action->setCheckable(child.checked());
      action->setChecked(child.checked());
      action->setEnabled(child.enabled());
      QObject::connect(action, &QAction::triggered, [&chosen, &child] { chosen = &child; });
    }
  };
  fill(root, menu);
  menu.exec(QCursor::pos());
  // The item's handler runs once the menu is gone, as menus do.
  if (chosen) chosen->Click.raise();
}

}  // namespace qm
