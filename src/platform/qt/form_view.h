#pragma once

#include <QTimer>
#include <QWidget>
#include <map>
#include <memory>

#include "model/control.h"
#include "platform/qt/content_view_source.h"
#include "platform/qt/deferred_call.h"

namespace qm {

// The engines that fill display areas, by the area's control. An area
// without one shows black.
using ContentViews = std::map<const Control*, ContentViewSource*>;

// The top-level window of a form: frameless, and reporting what the window
// system did to it (moves, sizes, state changes, close requests) back to the
// form. A change of state comes in several steps (the state, then the size
// the window manager gives); they are reported once, when the window has
// settled, so the form's Resize sees the size that goes with the state.
class FormWindow : public QWidget {
 public:
  explicit FormWindow(Form& form);
  ~FormWindow() override;
  // A popup is placed by its mirror, counted from its owner's place; its
  // place on the screen is not the form's to follow or to hear of.
  void setPlacedByMirror() { placedByMirror_ = true; }

 protected:
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  void changeEvent(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void syncFromForm();
  void showCaption();
  void reportToForm();
  int screenState() const;
  Form& form_;
  QTimer settle_;
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
  bool applying_ = false;
  bool placedByMirror_ = false;
  // A touchpad or a fine wheel turns in parts of a notch: they add up.
  int wheelParts_ = 0;
  // A caption changed many times in one pass goes to the window manager once.
  DeferredCall deferredCaption_{*this, [this] { showCaption(); }};
};

// The screen of a form: one widget per control, built once, kept in step
// with the controls.
class FormView {
 public:
  FormView(Form& form, const ContentViews& views);
  ~FormView();
  FormView(const FormView&) = delete;
  FormView& operator=(const FormView&) = delete;
  FormWindow& window() { return *window_; }
  // The widget showing `control`, or null.
  QWidget* widgetOf(const Control& control) const;

 private:
  void build(Control& control, QWidget* parent);
  const ContentViews& views_;
  FormWindow* window_;
  std::map<const Control*, QWidget*> widgets_;
};

// A form on the screen while it is loaded: its window is built when the
// form is first shown (centred on the screen, at the form's size), shown and
// hidden with the form, and destroyed when the form unloads.
//
// `owner` mirrors the window this form's window belongs to. Where the
// compositor places every window (Wayland), the form's window is attached to
// the owner's once that is on the screen: a frameless form (the menu window)
// shows as a popup at its place, a framed one (a dialog) as a child window
// in front of the owner.
class FormMirror {
 public:
  explicit FormMirror(Form& form, ContentViews views = {}, FormMirror* owner = nullptr);
  ~FormMirror();
  FormMirror(const FormMirror&) = delete;
  FormMirror& operator=(const FormMirror&) = delete;
  // The widget showing `control`, or null while the form has no window.
  QWidget* widgetOf(const Control& control) const;
  FormView* view() { return view_.get(); }
  // Brings a shown window in front of the owner's: attached to it where the
  // compositor places windows, raised elsewhere.
  void bringToFront();

 private:
  void sync();
  bool attachToOwner();
  QPoint popupPlace() const;
  void showPopupAtPlace();
  Form& form_;
  ContentViews views_;
  FormMirror* owner_;
  std::unique_ptr<FormView> view_;
  enum class Attached { No, AsPopup, AsChild } attached_ = Attached::No;
  bool popupShowPending_ = false;
  QPoint popupPlace_;  // where the popup on the screen showed, in pixels
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace qm
