#include "model/timer.h"

namespace qm {

Timer::Timer(std::string name, Clock& clock, int intervalMs)
    : name_(std::move(name)), clock_(clock), interval_(intervalMs < 0 ? 0 : intervalMs) {}

Timer::~Timer() { clock_.disarm(*this); }

void Timer::setInterval(int ms) {
  interval_ = ms < 0 ? 0 : ms;
  if (running())
    clock_.arm(*this);
  else
    clock_.disarm(*this);
}

void Timer::setEnabled(bool on) {
  if (enabled_ == on) return;
  enabled_ = on;
  if (running())
    clock_.arm(*this);
  else
    clock_.disarm(*this);
}

void Timer::fire() {
  if (!running() || inTick_) return;
  inTick_ = true;
  Tick.raise();
  inTick_ = false;
}

}  // namespace qm
