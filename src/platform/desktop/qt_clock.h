#pragma once

#include <QObject>
#include <QTimer>
#include <unordered_map>

#include "model/clock.h"

namespace qm {

// The program's clock: each running timer is a QTimer on Qt's event loop.
class QtClock : public Clock {
 public:
  QtClock() = default;
  ~QtClock() override;
  QtClock(const QtClock&) = delete;
  QtClock& operator=(const QtClock&) = delete;

  TimePoint now() const override;
  void arm(Timer& timer) override;
  void disarm(Timer& timer) override;
  void processEvents() override;

 private:
  // Owns the QTimers; a QTimer let go from inside its own timeout is
  // deleted once that timeout has returned.
  QObject owner_;
  std::unordered_map<Timer*, QTimer*> timers_;
};

}  // namespace qm
