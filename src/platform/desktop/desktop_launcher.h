#pragma once

#include "platform/launcher.h"

namespace qm {

// Pages go to the user's preferred browser through xdg-open; programs start
// detached from the player, so they outlive it.
class DesktopLauncher : public Launcher {
 public:
  bool openWebPage(const std::string& address) override;
  bool startProgram(const std::string& program) override;
};

}  // namespace qm
