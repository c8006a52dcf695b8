#include "platform/desktop/qt_clock.h"

#include <QCoreApplication>

#include "model/timer.h"

namespace qm {

QtClock::~QtClock() {
  for (auto& [timer, qtimer] : timers_) qtimer->stop();
}

TimePoint QtClock::now() const { return std::chrono::steady_clock::now(); }

// Arming an armed timer starts its period again.
void QtClock::arm(Timer& timer) {
  QTimer*& qtimer = timers_[&timer];
  if (!qtimer) {
    if (idle_.empty()) {
      qtimer = new QTimer(&owner_);
    } else {
      qtimer = idle_.back();
      idle_.pop_back();
    }
    Timer* target = &timer;
    QObject::connect(qtimer, &QTimer::timeout, [target] { target->fire(); });
  }
  qtimer->start(timer.interval());
}

// A tick may switch its own timer off, or a timer may be destroyed by the
// handler of its tick, so the QTimer is only stopped and cut off here.
void QtClock::disarm(Timer& timer) {
  auto found = timers_.find(&timer);
  if (found == timers_.end()) return;
  QTimer* qtimer = found->second;
  timers_.erase(found);
  qtimer->stop();
  QObject::disconnect(qtimer, nullptr, nullptr, nullptr);
  idle_.push_back(qtimer);
}

void QtClock::processEvents() { QCoreApplication::processEvents(); }

}  // namespace qm
