#include "support/event_wait.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

namespace qm::live {

bool pumpUntil(const std::function<bool()>& done, int timeoutMs) {
  QElapsedTimer clock;
  clock.start();
  while (!done()) {
    if (clock.elapsed() >= timeoutMs) return done();
    QEventLoop loop;
    QTimer::singleShot(10, &loop, &QEventLoop::quit);
    loop.exec();
  }
  return true;
}

void pumpFor(int ms) {
  QElapsedTimer clock;
  clock.start();
  pumpUntil([&] { return clock.elapsed() >= ms; }, ms + 1000);
}

}  // namespace qm::live
