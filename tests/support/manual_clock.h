#pragma once

#include <map>
#include <vector>

#include "model/clock.h"
#include "model/timer.h"

namespace qm::test {

// Time that moves only when the test says so. Armed timers fire in the order
// they fall due; a periodic timer is re-armed one interval after its due time.
class ManualClock : public Clock {
 public:
  TimePoint now() const override { return now_; }
  void arm(Timer& timer) override;
  void disarm(Timer& timer) override;
  // Fires the ticks already due.
  void processEvents() override;

  // Moves time on by `ms`, firing every tick that falls due on the way.
  void advance(int ms);
  bool armed(const Timer& timer) const { return due_.count(const_cast<Timer*>(&timer)) > 0; }
  size_t armedCount() const { return due_.size(); }
  int processEventsCalls() const { return processEventsCalls_; }

 private:
  void fireDue();
  TimePoint now_ = TimePoint(std::chrono::hours(24 * 365 * 50));
  std::map<Timer*, TimePoint> due_;
  int processEventsCalls_ = 0;
};

}  // namespace qm::test
