#include "platform/webengine/sandbox.h"

#include <unistd.h>

#include <QByteArray>
#include <QtGlobal>
#include <cstdio>

namespace qm {

void chooseWebEngineSandbox() {
  static const bool chosen = [] {
    if (geteuid() != 0) return true;
    qputenv("QTWEBENGINE_DISABLE_SANDBOX", QByteArray("1"));
    std::fputs("quilmora: running as root: web pages and Flash movies run without the web engine's sandbox\n", stderr);
    return true;
  }();
  (void)chosen;
}

}  // namespace qm
