#pragma once

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <optional>

namespace qm::e2e {

// A session bus of one test only, and the player's media controls on it.
class PrivateBus {
 public:
  PrivateBus();
  ~PrivateBus();
  PrivateBus(const PrivateBus&) = delete;
  PrivateBus& operator=(const PrivateBus&) = delete;
  // Empty when no dbus-daemon started.
  const QString& address() const { return address_; }

  // dbus-send's reply from the player, or nothing when the call failed.
  std::optional<QByteArray> send(const QString& method, const QStringList& arguments = {}) const;
  // A property of the player's MPRIS interface as dbus-send prints it.
  QByteArray property(const QString& name) const;

 private:
  QProcess daemon_;
  QString address_;
};

}  // namespace qm::e2e
