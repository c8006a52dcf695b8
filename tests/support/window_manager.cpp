#include "support/window_manager.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QString>

#include "support/event_wait.h"
#include "support/x_tools.h"

namespace qm::live {

namespace {

// A window manager that has taken the screen names its check window on the
// root; the name stays there after it ended, the window does not.
bool managed() {
  auto out = runTool("xprop", {"-root", "_NET_SUPPORTING_WM_CHECK"}, 2000);
  if (!out || !out->contains("window id # ")) return false;
  const QString id = QString::fromLatin1(out->mid(out->indexOf("# ") + 2)).trimmed();
  return runTool("xprop", {"-id", id, "_NET_WM_NAME"}, 2000).has_value();
}

}  // namespace

WindowManager::WindowManager() {
  if (managed()) {
    error_ = "another window manager runs on this display";
    return;
  }
  pid_ = ::fork();
  if (pid_ == 0) {
    ::execlp("openbox", "openbox", "--sm-disable", static_cast<char*>(nullptr));
    ::_exit(127);
  }
  if (pid_ < 0) {
    error_ = "cannot start openbox";
    return;
  }
  if (!pumpUntil(managed, 5000)) error_ = "openbox did not take the screen (is it installed?)";
}

WindowManager::~WindowManager() {
  if (pid_ <= 0) return;
  ::kill(pid_, SIGTERM);
  ::waitpid(pid_, nullptr, 0);
  // The root keeps the old check window id; wait until the manager is gone.
  pumpUntil([] { return !managed(); }, 2000);
}

}  // namespace qm::live
