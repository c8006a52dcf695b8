#include "platform/desktop/popup_menu.h"

#include <QCursor>
#include <QMenu>
#include <functional>

#include "model/control.h"

namespace qm {

void popupMenuAtPointer(MenuItem& root, QWidget* parent) {
  QMenu menu(parent);
  // Drawn to match the dark skin.
  menu.setStyleSheet(
      "QMenu { background: #23262b; color: #e0e0e0; border: 1px solid #3a3f47; padding: 3px; }"
      "QMenu::item { padding: 4px 24px 4px 24px; }"
      "QMenu::item:selected { background: #3399ff; color: white; }"
      "QMenu::item:disabled { color: #70757d; }"
      "QMenu::separator { height: 1px; background: #3a3f47; margin: 3px 6px; }"
      "QMenu::right-arrow { width: 8px; height: 8px; }");
  MenuItem* chosen = nullptr;
  std::function<void(MenuItem&, QMenu&)> fill = [&](MenuItem& item, QMenu& into) {
    for (Control* c : item.children()) {
      auto& child = static_cast<MenuItem&>(*c);
      if (!child.visible()) continue;
      QString text = QString::fromStdString(child.caption());
      if (!child.keyText().empty()) text += '\t' + QString::fromStdString(child.keyText());
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
