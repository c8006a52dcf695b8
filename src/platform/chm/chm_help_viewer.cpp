#include "platform/chm/chm_help_viewer.h"

#include <QApplication>
#include <QScreen>

#include "platform/chm/help_window.h"

namespace qm {

ChmHelpViewer::ChmHelpViewer() = default;
ChmHelpViewer::~ChmHelpViewer() = default;

bool ChmHelpViewer::displayTopic(const std::string& file, const std::string& topic) {
  // Widgets need a QApplication (not just a core or GUI one) and a screen.
  if (!qobject_cast<QApplication*>(QCoreApplication::instance()) || !QGuiApplication::primaryScreen()) return false;
  if (!window_) window_ = std::make_unique<HelpWindow>();
  window_->showTopic(file, topic);
  return true;
}

QWidget* ChmHelpViewer::window() const { return window_.get(); }

}  // namespace qm
