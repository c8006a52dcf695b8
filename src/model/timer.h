#pragma once

#include <string>

#include "model/event.h"
#include "model/clock.h"

namespace qm {

// A window timer: an interval in milliseconds and an enabled state. It ticks
// every interval while enabled; an interval of 0 never ticks, so a disabled
// or zero-interval timer can serve as a plain flag. A one-shot delay switches
// itself off in its tick. A tick never re-enters itself: a handler that lets
// pending events run does not see its own timer fire again.
class Timer {
 public:
  Timer(std::string name, Clock& clock, int intervalMs = 0);
  ~Timer();
  Timer(const Timer&) = delete;
  Timer& operator=(const Timer&) = delete;

  const std::string& name() const { return name_; }
  int interval() const { return interval_; }
  // Setting the interval restarts the period of an enabled timer.
  void setInterval(int ms);
  bool enabled() const { return enabled_; }
  // Enabling a disabled timer starts its period; enabling an enabled timer
  // changes nothing.
  void setEnabled(bool on);
  // Whether the clock should count this timer down.
  bool running() const { return enabled_ && interval_ > 0; }

  // Called by the clock when a period has passed.
  void fire();

  Event<> Tick;

 private:
  std::string name_;
  Clock& clock_;
  int interval_ = 0;
  bool enabled_ = false;
  bool inTick_ = false;
};

}  // namespace qm
