#include "e2e/private_bus.h"

#include "support/x_tools.h"

namespace qm::e2e {

PrivateBus::PrivateBus() {
  daemon_.start("dbus-daemon", {"--session", "--nofork", "--print-address=1"});
  if (daemon_.waitForStarted(5000) && daemon_.waitForReadyRead(5000))
    address_ = QString::fromUtf8(daemon_.readLine()).trimmed();
}

PrivateBus::~PrivateBus() {
  daemon_.kill();
  daemon_.waitForFinished(2000);
}

std::optional<QByteArray> PrivateBus::send(const QString& method, const QStringList& arguments) const {
  QStringList args = {"--bus=" + address_, "--print-reply", "--dest=org.mpris.MediaPlayer2.quilmora",
                      "/org/mpris/MediaPlayer2", method};
  return live::runTool("dbus-send", args + arguments, 3000);
}

QByteArray PrivateBus::property(const QString& name) const {
  return send("org.freedesktop.DBus.Properties.Get", {"string:org.mpris.MediaPlayer2.Player", "string:" + name})
      .value_or(QByteArray());
}

}  // namespace qm::e2e
