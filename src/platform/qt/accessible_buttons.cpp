#include "platform/qt/accessible_buttons.h"

#include <QAccessibleWidget>
#include <QWidget>

#include "model/control.h"

namespace qm {

namespace {

constexpr const char* kControlProperty = "qmAccessibleButton";

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

QAccessibleInterface* buttonFactory(const QString&, QObject* object) {
  auto* widget = qobject_cast<QWidget*>(object);
  if (!widget) return nullptr;
  const QVariant control = widget->property(kControlProperty);
  if (!control.isValid()) return nullptr;
  return new AccessibleButton(widget, *static_cast<Control*>(control.value<void*>()));
}

}  // namespace

void makeAccessibleButton(QWidget& widget, Control& control) {
  static const bool installed = [] {
    QAccessible::installFactory(buttonFactory);
    return true;
  }();
  (void)installed;
  widget.setProperty(kControlProperty, QVariant::fromValue<void*>(&control));
}

}  // namespace qm
