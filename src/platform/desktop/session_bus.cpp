#include "platform/desktop/session_bus.h"

#include <sys/stat.h>

#include <cstdlib>
#include <string>

namespace qm {

QDBusConnection sessionBusIfRunning() {
  const char* address = std::getenv("DBUS_SESSION_BUS_ADDRESS");
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  struct stat info;
  const bool userBus = runtime && *runtime && ::stat((std::string(runtime) + "/bus").c_str(), &info) == 0;
  if ((address && *address) || userBus) return QDBusConnection::sessionBus();
  return QDBusConnection(QString());
}

}  // namespace qm
