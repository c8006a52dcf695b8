#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QVariantMap>
#include <functional>
#include <string>

#include "platform/media_engine.h"
#include "platform/remote_control.h"

namespace qm {

// The player on the session bus as an MPRIS media player: the desktop's
// media keys, panel widgets and tools such as playerctl drive it through the
// commands of RemoteControl, and read what the media engine plays.
class MprisService : public QObject, public RemoteControl {
 public:
  static constexpr const char* kServiceName = "org.mpris.MediaPlayer2.quilmora";
  static constexpr const char* kObjectPath = "/org/mpris/MediaPlayer2";

  // `raise` brings the main window up, `quit` closes it.
  MprisService(MediaEngine& media, std::function<void()> raise, std::function<void()> quit);
  ~MprisService() override;

  // Registers on `bus`; false when there is no bus or the name is taken (the
  // player works on without).
  bool start(QDBusConnection bus);

  // What the adaptors answer.
  QString playbackStatus() const;
  QVariantMap metadata() const;
  qlonglong positionMicroseconds() const;
  double volume() const;
  void setVolume(double volume);
  void raise() { raise_(); }
  void quit() { quit_(); }

 private:
  void publishChanges();

  MediaEngine& media_;
  std::function<void()> raise_;
  std::function<void()> quit_;
  QDBusConnection bus_{QString()};
  bool registered_ = false;
  // The track a client sees changes with the file, whoever asks first.
  mutable std::string trackUrl_;
  mutable int trackNumber_ = 0;
  QString lastStatus_;
  QVariantMap lastMetadata_;
};

}  // namespace qm
