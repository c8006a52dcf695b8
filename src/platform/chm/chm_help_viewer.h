#pragma once

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
  ChmHelpViewer();
  ~ChmHelpViewer() override;
  bool displayTopic(const std::string& file, const std::string& topic) override;
  // The viewer's window; null until a topic was shown.
  QWidget* window() const;

 private:
  std::unique_ptr<HelpWindow> window_;
};

}  // namespace qm
