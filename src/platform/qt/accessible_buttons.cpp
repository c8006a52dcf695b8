#include "platform/qt/accessible_buttons.h"

#include <QAccessibleWidget>
#include <QWidget>
#include <map>

#include "model/control.h"

namespace qm {

namespace {

// A widget's accessible interface is also its action interface.
class AccessibleButton : public QAccessibleWidget {
 public:
  AccessibleButton(QWidget* widget, Control& control)
      : QAccessibleWidget(widget, QAccessible::Button), control_(control) {}

  QStringList actionNames() const override { return {pressAction()}; }
  void doAction(const QString& name) override {
    if (name == pressAction() && control_.enabled() && control_.visible()) control_.Click.raise();
  }
  QStringList keyBindingsForAction(const QString&) const override { return {}; }

 private:
  Control& control_;
};

// The skin's buttons with their controls. Qt asks the factory about every
// object, Qt WebEngine's too, which are built without type information: only
// objects of this table are looked at.
std::map<const QObject*, Control*>& buttons() {
  static std::map<const QObject*, Control*> table;
  return table;
}

QAccessibleInterface* buttonFactory(const QString&, QObject* object) {
  const auto it = buttons().find(object);
  if (it == buttons().end()) return nullptr;
  return new AccessibleButton(static_cast<QWidget*>(object), *it->second);
}

}  // namespace

void makeAccessibleButton(QWidget& widget, Control& control) {
  static const bool installed = [] {
    QAccessible::installFactory(buttonFactory);
    return true;
  }();
  (void)installed;
  if (buttons().emplace(&widget, &control).second)
    QObject::connect(&widget, &QObject::destroyed, [&widget] { buttons().erase(&widget); });
}

}  // namespace qm
