#pragma once

#include <chrono>

namespace qm {

class Timer;

// A monotonic clock: setting the system's date must not stretch or cut the
// periods measured against "now".
using TimePoint = std::chrono::steady_clock::time_point;

// Time as the player sees it: the ticks of its timers and "now". The program
// runs on Qt's event loop; tests run on a manual clock that they advance.
class Clock {
 public:
  virtual ~Clock() = default;
  virtual TimePoint now() const = 0;
  // Starts (or restarts) the period of an enabled timer with a non-zero interval.
  virtual void arm(Timer& timer) = 0;
  virtual void disarm(Timer& timer) = 0;
  // Lets pending window events and due ticks run once, then returns.
  virtual void processEvents() = 0;
};

}  // namespace qm
