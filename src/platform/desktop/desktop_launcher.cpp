#include "platform/desktop/desktop_launcher.h"

#include <QProcess>

namespace qm {

bool DesktopLauncher::openWebPage(const std::string& address) {
  return QProcess::startDetached("xdg-open", {QString::fromStdString(address)});
}

bool DesktopLauncher::startProgram(const std::string& program) {
  return !program.empty() && QProcess::startDetached(QString::fromStdString(program), {});
}

}  // namespace qm
