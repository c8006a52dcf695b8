#pragma once

#include <string>

namespace qm {

// Hands work to other programs of the desktop.
class Launcher {
 public:
  virtual ~Launcher() = default;
  // Shows the page in the user's web browser, which comes up first and then
  // goes to the page. False when no browser could be started.
  virtual bool openWebPage(const std::string& address) = 0;
  // Starts the program in a window of its own. False when it could not be
  // started.
  virtual bool startProgram(const std::string& program) = 0;
};

}  // namespace qm
