#pragma once

#include <sys/types.h>

#include <string>

namespace qm::live {

// A window manager (openbox) on this process's display, for the tests that
// need one: maximising, full screen, the stacking of topmost windows. Ends
// with the object.
class WindowManager {
 public:
  WindowManager();
  ~WindowManager();
  WindowManager(const WindowManager&) = delete;
  WindowManager& operator=(const WindowManager&) = delete;

  // False when it could not be started or did not take the screen; `error()` says why.
  bool ok() const { return error_.empty(); }
  const std::string& error() const { return error_; }

 private:
  pid_t pid_ = -1;
  std::string error_;
};

}  // namespace qm::live
