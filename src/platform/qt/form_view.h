#pragma once

#include <QWidget>
#include <functional>
#include <map>

#include "app/control.h"

namespace qm {

// Makes the widget of a control the generic view does not know (the engines'
// views); returns null to get a black area.
using WidgetFactory = std::function<QWidget*(Control&, QWidget* parent)>;

// The top-level window of a form: frameless, and reporting the window
// system's own moves, sizes and close requests back to the form.
class FormWindow : public QWidget {
 public:
  explicit FormWindow(Form& form);

 protected:
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void syncFromForm();
  void reportToForm();
  Form& form_;
  bool applying_ = false;
};

// The screen of a form: one widget per control, built once, kept in step
// with the controls.
class FormView {
 public:
  FormView(Form& form, WidgetFactory factory);
  FormWindow& window() { return *window_; }
  // The widget showing `control`, or null.
  QWidget* widgetOf(const Control& control) const;
  // Centres the window on the screen and shows it.
  void show();

 private:
  void build(Control& control, QWidget* parent);
  Form& form_;
  WidgetFactory factory_;
  FormWindow* window_;
  std::map<const Control*, QWidget*> widgets_;
};

}  // namespace qm
