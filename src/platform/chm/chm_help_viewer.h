#pragma once

#include <functional>
#include <memory>
#include <string>

#include "platform/help_viewer.h"

class QWidget;

namespace qm {

class HelpWindow;

// The help viewer over libchm and Qt widgets: one window, made on the first
// topic and reused for every later one. Needs a QApplication, and must go
// before it does.
class ChmHelpViewer : public HelpViewer {
 public:
  // `owner` gives the window the help belongs to (may give null): the help
  // stays in front of it, as the player's window stays on top of others.
  explicit ChmHelpViewer(std::function<QWidget*()> owner = {});
  ~ChmHelpViewer() override;
  bool displayTopic(const std::string& file, const std::string& topic) override;
  // The viewer's window; null until a topic was shown.
  QWidget* window() const;

 private:
  std::function<QWidget*()> owner_;
  std::unique_ptr<HelpWindow> window_;
};

}  // namespace qm
