#include "platform/chm/chm_help_viewer.h"

#include <QApplication>
#include <QScreen>
#include <QWindow>

#include "platform/chm/help_window.h"

namespace qm {

ChmHelpViewer::ChmHelpViewer(std::function<QWidget*()> owner) : owner_(std::move(owner)) {}
ChmHelpViewer::~ChmHelpViewer() = default;

bool ChmHelpViewer::displayTopic(const std::string& file, const std::string& topic) {
  // Widgets need a QApplication (not just a core or GUI one) and a screen.
  if (!qobject_cast<QApplication*>(QCoreApplication::instance()) || !QGuiApplication::primaryScreen()) return false;
  if (!window_) {
    window_ = std::make_unique<HelpWindow>();
    // Only a dialog is told to the window manager as belonging to another
    // window; it keeps the buttons of a normal window.
    if (owner_)
      window_->setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                              Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
  }
  // Asked each time: the owner's native window is made anew when its
  // stacking flag changes.
  if (QWidget* owner = owner_ ? owner_() : nullptr) {
    window_->winId();
    window_->windowHandle()->setTransientParent(owner->windowHandle());
  }
  window_->showTopic(file, topic);
  return true;
}

QWidget* ChmHelpViewer::window() const { return window_.get(); }

}  // namespace qm
