#pragma once
#include <string>
namespace qm {
// Compiled HTML help: a topic of a .chm file shown in the help viewer's own
// window beside the player.
class HelpViewer {
 public:
  virtual ~HelpViewer() = default;
  // Shows `topic` (a page inside the file, e.g. "help.htm") of the .chm `file`.
  // A missing or unreadable file, or a missing topic, is told inside the
  // viewer's window; false only when no viewer can be shown at all.
  virtual bool displayTopic(const std::string& file, const std::string& topic) = 0;
};
}  // namespace qm
