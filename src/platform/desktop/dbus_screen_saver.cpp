#include "platform/desktop/dbus_screen_saver.h"

#include <QDBusMessage>

namespace qm {

namespace {

const QString kService = QStringLiteral("org.freedesktop.ScreenSaver");
const QString kInterface = QStringLiteral("org.freedesktop.ScreenSaver");
// Desktops differ in where they put the object.
const QString kPaths[] = {QStringLiteral("/org/freedesktop/ScreenSaver"), QStringLiteral("/ScreenSaver")};

}  // namespace

bool DBusScreenSaver::inhibit(const QString& application, const QString& reason) {
  if (cookie_) return true;
  if (!bus_.isConnected()) return false;
  for (const QString& path : kPaths) {
    QDBusMessage call = QDBusMessage::createMethodCall(kService, path, kInterface, QStringLiteral("Inhibit"));
    call << application << reason;
    const QDBusMessage reply = bus_.call(call, QDBus::Block, kCallTimeoutMs);
    if (reply.type() == QDBusMessage::ReplyMessage && reply.arguments().size() == 1) {
      path_ = path;
      cookie_ = reply.arguments().first().toUInt();
      return true;
    }
    // No such service at all, or one that hangs: asking at another path
    // would only wait again.
    const QString error = reply.errorName();
    if (error != QLatin1String("org.freedesktop.DBus.Error.UnknownObject") &&
        error != QLatin1String("org.freedesktop.DBus.Error.UnknownMethod"))
      return false;
  }
  return false;
}

void DBusScreenSaver::uninhibit() {
  if (!cookie_) return;
  QDBusMessage call = QDBusMessage::createMethodCall(kService, path_, kInterface, QStringLiteral("UnInhibit"));
  call << *cookie_;
  bus_.call(call, QDBus::Block, kCallTimeoutMs);
  // Lifted or not, the inhibition also ends with this connection.
  cookie_.reset();
}

}  // namespace qm
