#pragma once

#include <sys/types.h>

#include <string>

namespace qm::live {

// An X server of this test run only: Xvfb on a display number it picks
// itself, made this process's DISPLAY (and so the DISPLAY of every program
// the tests start). Qt is pointed at X as well. Ends with the object.
class VirtualDisplay {
 public:
  VirtualDisplay();
  ~VirtualDisplay();
  VirtualDisplay(const VirtualDisplay&) = delete;
  VirtualDisplay& operator=(const VirtualDisplay&) = delete;

  // False when Xvfb could not be started; `error()` says why.
  bool ok() const { return !name_.empty(); }
  const std::string& name() const { return name_; }
  const std::string& error() const { return error_; }

  static constexpr int kWidth = 1280, kHeight = 800;

 private:
  pid_t pid_ = -1;
  std::string name_;
  std::string error_;
};

}  // namespace qm::live
