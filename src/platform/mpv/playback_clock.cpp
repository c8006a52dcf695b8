#include "platform/mpv/playback_clock.h"

#include <algorithm>
#include <cmath>

namespace qm {

void PlaybackClock::set(double seconds, TimePoint now) {
  base_ = seconds;
  baseTime_ = now;
}

void PlaybackClock::reachedSecond(double second, TimePoint now) {
  const double known = at(now);
  // Outside it, the second starts: it was just reached, or a seek landed
  // in it and an exact read follows.
  set(known >= second && known < second + 1 ? known : second, now);
}

void PlaybackClock::setRunning(bool running, TimePoint now) {
  if (running == running_) return;
  base_ = at(now);
  baseTime_ = now;
  running_ = running;
}

void PlaybackClock::setSpeed(double speed, TimePoint now) {
  base_ = at(now);
  baseTime_ = now;
  speed_ = speed;
}

double PlaybackClock::at(TimePoint now) const {
  if (!running_) return base_;
  const double elapsed = std::chrono::duration<double>(now - baseTime_).count();
  const double run = base_ + std::max(0.0, elapsed) * speed_;
  // Just short of the next whole second: the second shown changes when
  // libmpv says it has been reached.
  const double nextSecond = std::floor(base_) + 1;
  return std::min(run, std::nextafter(nextSecond, base_));
}

}  // namespace qm
