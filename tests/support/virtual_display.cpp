#include "support/virtual_display.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>

namespace qm::live {

namespace {

// Reads the display number Xvfb writes once it accepts clients.
std::string readDisplayNumber(int fd, int timeoutMs) {
  std::string number;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  while (std::chrono::steady_clock::now() < deadline) {
    pollfd p{fd, POLLIN, 0};
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now()).count();
    if (::poll(&p, 1, static_cast<int>(left > 0 ? left : 0)) <= 0) break;
    char c;
    if (::read(fd, &c, 1) != 1) break;
    if (c == '\n') return number;
    number += c;
  }
  return {};
}

}  // namespace

VirtualDisplay::VirtualDisplay() {
  int fds[2];
  if (::pipe(fds) != 0) {
    error_ = "no pipe for Xvfb";
    return;
  }
  const std::string screen = std::to_string(kWidth) + "x" + std::to_string(kHeight) + "x24";
  pid_ = ::fork();
  if (pid_ == 0) {
    // The server goes with this process, even when a test crashes it.
    ::prctl(PR_SET_PDEATHSIG, SIGTERM);
    ::close(fds[0]);
    const int devNull = ::open("/dev/null", O_RDWR);
    if (devNull >= 0) {
      ::dup2(devNull, 0);
      ::dup2(devNull, 1);
      ::dup2(devNull, 2);
    }
    const std::string fd = std::to_string(fds[1]);
    ::execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", screen.c_str(), "-nolisten", "tcp",
             static_cast<char*>(nullptr));
    ::_exit(127);
  }
  ::close(fds[1]);
  if (pid_ < 0) {
    ::close(fds[0]);
    error_ = "cannot fork for Xvfb";
    return;
  }
  const std::string number = readDisplayNumber(fds[0], 15000);
  ::close(fds[0]);
  if (number.empty()) {
    error_ = "Xvfb did not start (is the xvfb package installed?)";
    return;
  }
  name_ = ":" + number;
  ::setenv("DISPLAY", name_.c_str(), 1);
  ::unsetenv("WAYLAND_DISPLAY");
  ::setenv("QT_QPA_PLATFORM", "xcb", 1);
}

VirtualDisplay::~VirtualDisplay() {
  if (pid_ <= 0) return;
  ::kill(pid_, SIGTERM);
  for (int i = 0; i < 300; ++i) {
    if (::waitpid(pid_, nullptr, WNOHANG) == pid_) return;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  ::kill(pid_, SIGKILL);
  ::waitpid(pid_, nullptr, 0);
}

}  // namespace qm::live
