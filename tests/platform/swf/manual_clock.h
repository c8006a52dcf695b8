#pragma once

#include <algorithm>
#include <chrono>
#include <map>

#include "platform/clock.h"
#include "platform/timer.h"

namespace qm::test {

// A clock that moves only when the test advances it, firing each armed timer
// at the end of every period it passes, earliest first.
class ManualClock : public Clock {
 public:
  TimePoint now() const override { return now_; }
  void arm(Timer& timer) override { due_[&timer] = now_ + std::chrono::milliseconds(timer.interval()); }
  void disarm(Timer& timer) override { due_.erase(&timer); }
  void processEvents() override { advance(std::chrono::milliseconds(0)); }

  void advance(std::chrono::milliseconds by) {
    const TimePoint end = now_ + by;
    while (true) {
      auto next =
          std::min_element(due_.begin(), due_.end(), [](const auto& a, const auto& b) { return a.second < b.second; });
      if (next == due_.end() || next->second > end) break;
      Timer* timer = next->first;
      now_ = next->second;
      // The next period starts now; a tick that rearms or disarms overrides it.
      next->second += std::chrono::milliseconds(std::max(1, timer->interval()));
      timer->fire();
    }
    now_ = end;
  }

  bool armed(const Timer& timer) const { return due_.count(const_cast<Timer*>(&timer)) != 0; }
  size_t armedCount() const { return due_.size(); }

 private:
  TimePoint now_{};
  std::map<Timer*, TimePoint> due_;
};

}  // namespace qm::test
