#include "support/manual_clock.h"

namespace qm::test {

void ManualClock::arm(Timer& timer) { due_[&timer] = now_ + std::chrono::milliseconds(timer.interval()); }

void ManualClock::disarm(Timer& timer) { due_.erase(&timer); }

void ManualClock::processEvents() {
  ++processEventsCalls_;
  fireDue();
}

void ManualClock::fireDue() {
  for (;;) {
    Timer* next = nullptr;
    TimePoint when = now_;
    for (auto& [timer, due] : due_)
      if (due <= now_ && (!next || due < when)) {
        next = timer;
        when = due;
      }
    if (!next) return;
    // Re-arm before the tick so a tick that switches its timer off wins.
    due_[next] = when + std::chrono::milliseconds(next->interval());
    next->fire();
  }
}

void ManualClock::advance(int ms) {
  const TimePoint end = now_ + std::chrono::milliseconds(ms);
  for (;;) {
    Timer* next = nullptr;
    TimePoint when = end;
    for (auto& [timer, due] : due_)
      if (due <= end && (!next || due < when)) {
        next = timer;
        when = due;
      }
    if (!next) break;
    now_ = when;
    due_[next] = when + std::chrono::milliseconds(next->interval());
    next->fire();
  }
  now_ = end;
}

}  // namespace qm::test
