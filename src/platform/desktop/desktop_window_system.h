#pragma once

#include <functional>
#include <memory>

#include "platform/window_system.h"

class QWidget;

namespace qm {

class DBusScreenSaver;
class X11ScreenSaver;

// The window system as Qt sees it. The screen owns the widgets; the lookup
// turns a control into the widget that shows it (null when it has none).
class DesktopWindowSystem : public WindowSystem {
 public:
  using WidgetLookup = std::function<QWidget*(const Control&)>;

  explicit DesktopWindowSystem(WidgetLookup widgetOf);
  // Puts back what the player changed: the pointer and the screen saver.
  ~DesktopWindowSystem() override;
  DesktopWindowSystem(const DesktopWindowSystem&) = delete;
  DesktopWindowSystem& operator=(const DesktopWindowSystem&) = delete;

  int showCursor(bool show) override;
  void setWindowState(Form& form, int state) override;
  void setTopmost(Form& form) override;
  bool placesWindows() override;
  void setScreenSaverActive(bool active) override;
  std::string documentsFolder() override;
  std::string picturesFolder() override;
  void messageBox(const std::string& text) override;
  void focus(Form& form) override;
  bool cursorOver(const Control& control) override;
  double screenWidth() override;
  double screenHeight() override;
  bool startSystemMove(Form& form) override;
  bool popupMenu(MenuItem& menu) override;
  bool cursorPosition(int& x, int& y) override;

 private:
  // The top-level widget showing the control, or the nearest container that
  // has one (menu items have no widget of their own).
  QWidget* windowOf(const Control& control) const;

  WidgetLookup widgetOf_;
  int cursorCount_ = 0;
  bool pointerHidden_ = false;
  bool screenSaverOff_ = false;
  std::unique_ptr<X11ScreenSaver> x11ScreenSaver_;
  std::unique_ptr<DBusScreenSaver> dbusScreenSaver_;
};

}  // namespace qm
