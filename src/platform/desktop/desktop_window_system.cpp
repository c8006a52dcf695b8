#include "platform/desktop/desktop_window_system.h"

#include <QtGui/qguiapplication_platform.h>
#include <sys/stat.h>

#include <QApplication>
#include <QCursor>
#include <QFileInfo>
#include <QGridLayout>
#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>
#include <QSpacerItem>
#include <QStandardPaths>
#include <QWidget>
#include <QWindow>
#include <cstdlib>
#include <memory>

#include "model/control.h"
#include "platform/desktop/dbus_screen_saver.h"
#include "platform/desktop/popup_menu.h"
#include "platform/desktop/session_bus.h"
#include "platform/desktop/x11_screen_saver.h"

namespace qm {

namespace {

// The name the user knows the player by; the application's own name, lower
// case, is that of its files and folders.
const QString kProductName = QStringLiteral("Quilmora");

constexpr int kNarrowestMessageBox = 220;  // pixels

bool hasWidgetApplication() { return qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr; }

_XDisplay* x11Display() {
  if (!qGuiApp || QGuiApplication::platformName() != QLatin1String("xcb")) return nullptr;
  auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  return x11 ? x11->display() : nullptr;
}

// Wayland keeps the windows' places, their stacking and the pointer's
// place on the screen from the programs.
bool onWayland() { return qGuiApp && QGuiApplication::platformName().startsWith(QLatin1String("wayland")); }

}  // namespace

DesktopWindowSystem::DesktopWindowSystem(WidgetLookup widgetOf) : widgetOf_(std::move(widgetOf)) {}

DesktopWindowSystem::~DesktopWindowSystem() {
  if (pointerHidden_ && qGuiApp) QGuiApplication::restoreOverrideCursor();
  if (screenSaverOff_) setScreenSaverActive(true);
}

QWidget* DesktopWindowSystem::windowOf(const Control& control) const {
  if (!widgetOf_) return nullptr;
  for (const Control* c = &control; c; c = c->parent())
    if (QWidget* widget = widgetOf_(*c)) return widget->window();
  return nullptr;
}

// The counter alone decides; the pointer is really hidden over the player's
// windows while it is below 0.
int DesktopWindowSystem::showCursor(bool show) {
  cursorCount_ += show ? 1 : -1;
  if (!qGuiApp) return cursorCount_;
  if (cursorCount_ < 0 && !pointerHidden_) {
    QGuiApplication::setOverrideCursor(Qt::BlankCursor);
    pointerHidden_ = true;
  } else if (cursorCount_ >= 0 && pointerHidden_) {
    QGuiApplication::restoreOverrideCursor();
    pointerHidden_ = false;
  }
  return cursorCount_;
}

// The window reports the state back once the window manager has carried it
// out and given the window its size.
void DesktopWindowSystem::setWindowState(Form& form, int state) {
  QWidget* window = windowOf(form);
  if (!window) return;
  switch (state) {
    case Form::Normal:
      window->showNormal();
      break;
    case Form::Minimized:
      window->showMinimized();
      break;
    case Form::Maximized:
      window->showMaximized();
      break;
    case Form::FullScreen:
      window->showFullScreen();
      break;
    default:
      break;
  }
}

bool DesktopWindowSystem::placesWindows() { return !onWayland(); }

// The flag goes to the native window in place (on X11 as
// _NET_WM_STATE_ABOVE), without hiding and re-showing it.
// A form not yet on the screen goes to the topmost band once its window is
// made (start-up asks before it shows the window). Wayland has no such band.
void DesktopWindowSystem::setTopmost(Form& form) {
  if (!placesWindows()) return;
  QWidget* window = windowOf(form);
  if (!window) {
    auto pending = std::make_shared<bool>(true);
    form.changed.connect([this, &form, pending] {
      if (*pending && windowOf(form)) {
        *pending = false;
        setTopmost(form);
      }
    });
    return;
  }
  const Qt::WindowFlags flags = window->windowFlags() | Qt::WindowStaysOnTopHint;
  window->overrideWindowFlags(flags);
  if (QWindow* handle = window->windowHandle()) handle->setFlags(flags);
}

void DesktopWindowSystem::setScreenSaverActive(bool active) {
  if (active == !screenSaverOff_) return;
  if (!active) {
    if (!x11ScreenSaver_) x11ScreenSaver_ = std::make_unique<X11ScreenSaver>(x11Display());
    if (!dbusScreenSaver_) dbusScreenSaver_ = std::make_unique<DBusScreenSaver>(sessionBusIfRunning());
    x11ScreenSaver_->suspend();
    dbusScreenSaver_->inhibit(kProductName, QStringLiteral("Playing media"));
    screenSaverOff_ = true;
  } else {
    x11ScreenSaver_->resume();
    dbusScreenSaver_->uninhibit();
    screenSaverOff_ = false;
  }
}

// A desktop without a documents folder keeps the user's files in the home
// folder, as the XDG user folders fall back to it.
std::string DesktopWindowSystem::documentsFolder() {
  for (auto location : {QStandardPaths::DocumentsLocation, QStandardPaths::HomeLocation}) {
    const QString path = QStandardPaths::writableLocation(location);
    if (!path.isEmpty() && QFileInfo(path).isDir()) return path.toStdString();
  }
  return {};
}

// The XDG pictures folder (~/Pictures, or what user-dirs.dirs names).
std::string DesktopWindowSystem::picturesFolder() {
  return QStandardPaths::writableLocation(QStandardPaths::PicturesLocation).toStdString();
}

// Above the player's own windows, which stay on top of everything else.
void DesktopWindowSystem::messageBox(const std::string& text) {
  if (!hasWidgetApplication()) return;
  QMessageBox box(QMessageBox::NoIcon, kProductName, QString::fromStdString(text), QMessageBox::Ok);
  box.setWindowFlag(Qt::WindowStaysOnTopHint);
  // Texts name files and carry what a movie sent: never read as HTML.
  box.setTextFormat(Qt::PlainText);
  // A short text made a box too narrow for its own title. (QMessageBox
  // sizes itself from its label and ignores a minimum width of its own; a
  // minimum width on the label cut a long text off instead.)
  if (auto* grid = qobject_cast<QGridLayout*>(box.layout()))
    grid->addItem(new QSpacerItem(kNarrowestMessageBox, 0, QSizePolicy::Minimum, QSizePolicy::Fixed), grid->rowCount(),
                  0, 1, grid->columnCount());
  box.exec();
}

void DesktopWindowSystem::focus(Form& form) {
  QWidget* window = windowOf(form);
  if (!window) return;
  window->raise();
  window->activateWindow();
}

// Another window in front of the control, even one of the player's own,
// takes the pointer from it. Wayland tells a program where the pointer is
// only while it is over one of its windows, and never where its windows
// are, so there the pointer's entering and leaving the widget decide.
bool DesktopWindowSystem::cursorOver(const Control& control) {
  QWidget* widget = widgetOf_ ? widgetOf_(control) : nullptr;
  if (!widget || !widget->isVisible() || !hasWidgetApplication()) return false;
  if (onWayland()) return widget->underMouse();
  QWidget* under = QApplication::widgetAt(QCursor::pos());
  return under && (under == widget || widget->isAncestorOf(under));
}

double DesktopWindowSystem::screenWidth() {
  QScreen* screen = qGuiApp ? QGuiApplication::primaryScreen() : nullptr;
  return screen ? static_cast<double>(screen->geometry().width()) * kTwipsPerPixel : 0.0;
}

double DesktopWindowSystem::screenHeight() {
  QScreen* screen = qGuiApp ? QGuiApplication::primaryScreen() : nullptr;
  return screen ? static_cast<double>(screen->geometry().height()) * kTwipsPerPixel : 0.0;
}

// Wayland allows no other way to move a window; X11 window managers take it
// too. Qt reports whether the window system took the drag.
bool DesktopWindowSystem::startSystemMove(Form& form) {
  QWidget* window = windowOf(form);
  QWindow* handle = window ? window->windowHandle() : nullptr;
  return handle && handle->startSystemMove();
}

bool DesktopWindowSystem::cursorPosition(int& x, int& y) {
  x = y = 0;
  if (!qGuiApp) return false;
  const QPoint at = QCursor::pos();
  x = at.x();
  y = at.y();
  return true;
}

bool DesktopWindowSystem::popupMenu(MenuItem& menu) {
  if (!hasWidgetApplication()) return false;
  popupMenuAtPointer(menu, windowOf(menu));
  return true;
}

}  // namespace qm
