#include "platform/desktop/mpris_service.h"

#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QPointer>
#include <algorithm>
#include <cmath>

#include "platform/desktop/mpris_adaptors.h"

namespace qm {

namespace {

constexpr const char* kPlayerInterface = "org.mpris.MediaPlayer2.Player";

QString fileName(const std::string& path) {
  const auto slash = path.rfind('/');
  const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  return QString::fromLocal8Bit(name.data(), static_cast<qsizetype>(name.size()));
}

}  // namespace

MprisService::MprisService(MediaEngine& media, std::function<void()> raise, std::function<void()> quit)
    : media_(media), raise_(std::move(raise)), quit_(std::move(quit)) {
  new MprisRootAdaptor(this, *this);
  new MprisPlayerAdaptor(this, *this);
  media_.PlayStateChange.connect([this, alive = QPointer<QObject>(this)](int) {
    if (alive) publishChanges();
  });
}

MprisService::~MprisService() {
  if (!registered_) return;
  bus_.unregisterObject(kObjectPath);
  bus_.unregisterService(kServiceName);
}

bool MprisService::start(QDBusConnection bus) {
  if (!bus.isConnected()) return false;
  if (!bus.registerObject(kObjectPath, this)) return false;
  if (!bus.registerService(kServiceName)) {
    bus.unregisterObject(kObjectPath);
    return false;
  }
  bus_ = bus;
  registered_ = true;
  lastStatus_ = playbackStatus();
  lastMetadata_ = metadata();
  return true;
}

QString MprisService::playbackStatus() const {
  switch (media_.playState()) {
    case play_state::Playing:
    case play_state::ScanForward:
    case play_state::ScanReverse:
      return QStringLiteral("Playing");
    case play_state::Paused:
      return QStringLiteral("Paused");
    default:
      return QStringLiteral("Stopped");
  }
}

// Each new file is a new track, so clients reset what they show.
QVariantMap MprisService::metadata() const {
  const std::string url = media_.URL();
  if (url.empty())
    return {{QStringLiteral("mpris:trackid"),
             QVariant::fromValue(QDBusObjectPath("/org/mpris/MediaPlayer2/TrackList/NoTrack"))}};
  if (url != trackUrl_) {
    trackUrl_ = url;
    ++trackNumber_;
  }
  QVariantMap map;
  map.insert(QStringLiteral("mpris:trackid"),
             QVariant::fromValue(QDBusObjectPath(QStringLiteral("/org/quilmora/track/%1").arg(trackNumber_))));
  // The title the file's tags give, else its name.
  const std::string title = media_.mediaTitle();
  map.insert(QStringLiteral("xesam:title"), title.empty() ? fileName(url) : QString::fromStdString(title));
  // An address in ASCII, every byte of the path that is not one escaped,
  // as clients take it (a name that is no UTF-8 included).
  if (url.starts_with('/'))
    map.insert(QStringLiteral("xesam:url"),
               QString::fromLatin1("file://" + QByteArray::fromStdString(url).toPercentEncoding("/")));
  const double length = media_.duration();
  if (length > 0 && std::isfinite(length))
    map.insert(QStringLiteral("mpris:length"), static_cast<qlonglong>(std::llround(length * 1e6)));
  return map;
}

qlonglong MprisService::positionMicroseconds() const {
  const double seconds = media_.currentPosition();
  return std::isfinite(seconds) && seconds > 0 ? static_cast<qlonglong>(std::llround(seconds * 1e6)) : 0;
}

double MprisService::volume() const { return media_.volume() / 100.0; }

void MprisService::setVolume(double volume) {
  if (std::isfinite(volume)) SetVolume.raise(static_cast<int>(std::lround(std::clamp(volume, 0.0, 1.0) * 100)));
}

// Clients learn of a new state or track from PropertiesChanged; the position
// they read when they need it.
void MprisService::publishChanges() {
  if (!registered_) return;
  QVariantMap changed;
  const QString status = playbackStatus();
  if (status != lastStatus_) changed.insert(QStringLiteral("PlaybackStatus"), lastStatus_ = status);
  const QVariantMap data = metadata();
  if (data != lastMetadata_) changed.insert(QStringLiteral("Metadata"), lastMetadata_ = data);
  if (changed.isEmpty()) return;
  QDBusMessage signal = QDBusMessage::createSignal(kObjectPath, QStringLiteral("org.freedesktop.DBus.Properties"),
                                                   QStringLiteral("PropertiesChanged"));
  signal << QString::fromLatin1(kPlayerInterface) << changed << QStringList();
  bus_.send(signal);
}

}  // namespace qm
