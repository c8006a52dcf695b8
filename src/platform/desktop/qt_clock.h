#pragma once

#include <QObject>
#include <QTimer>
#include <unordered_map>
#include <vector>

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
  // Owns the QTimers. One switched off is stopped, cut off and kept for the
  // next timer switched on: a handler may switch timers on and off thousands
  // of times in one pass (the list locate opens every entry of a folder), and
  // a QTimer may be let go from inside its own timeout.
  QObject owner_;
  std::unordered_map<Timer*, QTimer*> timers_;
  std::vector<QTimer*> idle_;
};

}  // namespace qm
