#include "platform/desktop/mpris_adaptors.h"

#include "platform/desktop/mpris_service.h"

namespace qm {

MprisRootAdaptor::MprisRootAdaptor(QObject* parent, MprisService& service)
    : QDBusAbstractAdaptor(parent), service_(service) {}

void MprisRootAdaptor::Raise() { service_.raise(); }
void MprisRootAdaptor::Quit() { service_.quit(); }

MprisPlayerAdaptor::MprisPlayerAdaptor(QObject* parent, MprisService& service)
    : QDBusAbstractAdaptor(parent), service_(service) {}

QString MprisPlayerAdaptor::playbackStatus() const { return service_.playbackStatus(); }
QVariantMap MprisPlayerAdaptor::metadata() const { return service_.metadata(); }
double MprisPlayerAdaptor::volume() const { return service_.volume(); }
void MprisPlayerAdaptor::setVolume(double volume) { service_.setVolume(volume); }
qlonglong MprisPlayerAdaptor::position() const { return service_.positionMicroseconds(); }

void MprisPlayerAdaptor::Next() { service_.Next.raise(); }
void MprisPlayerAdaptor::Previous() { service_.Previous.raise(); }
void MprisPlayerAdaptor::Pause() { service_.Pause.raise(); }
void MprisPlayerAdaptor::PlayPause() { service_.PlayPause.raise(); }
void MprisPlayerAdaptor::Stop() { service_.Stop.raise(); }
void MprisPlayerAdaptor::Play() { service_.Play.raise(); }

void MprisPlayerAdaptor::Seek(qlonglong offset) {
  service_.SeekBy.raise(static_cast<double>(offset) / 1e6);
  emit Seeked(service_.positionMicroseconds());
}

// A position for another track than the one playing, before its start or
// past its end is ignored, as clients expect: a widget's stale or rounded
// value must not end the track.
void MprisPlayerAdaptor::SetPosition(const QDBusObjectPath& track, qlonglong position) {
  const QVariantMap metadata = service_.metadata();
  if (track != metadata.value(QStringLiteral("mpris:trackid")).value<QDBusObjectPath>()) return;
  const QVariant length = metadata.value(QStringLiteral("mpris:length"));
  if (position < 0 || (length.isValid() && position > length.toLongLong())) return;
  service_.SeekTo.raise(static_cast<double>(position) / 1e6);
  emit Seeked(service_.positionMicroseconds());
}

}  // namespace qm
