#pragma once

#include <QDBusConnection>
#include <QString>
#include <optional>

namespace qm {

// The desktop's screen-saver service on the session bus
// (org.freedesktop.ScreenSaver): an inhibition holds the saver and the
// session's idle blanking off until it is lifted or the player exits.
class DBusScreenSaver {
 public:
  explicit DBusScreenSaver(QDBusConnection bus) : bus_(std::move(bus)) {}
  ~DBusScreenSaver() { uninhibit(); }
  DBusScreenSaver(const DBusScreenSaver&) = delete;
  DBusScreenSaver& operator=(const DBusScreenSaver&) = delete;

  // False when no service answers.
  bool inhibit(const QString& application, const QString& reason);
  void uninhibit();
  bool inhibited() const { return cookie_.has_value(); }

  // How long one call may wait for the service.
  static constexpr int kCallTimeoutMs = 2000;

 private:
  QDBusConnection bus_;
  QString path_;
  std::optional<uint> cookie_;
};

}  // namespace qm
