#include "platform/desktop/qt_clock.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <memory>

#include "model/timer.h"

namespace qm {
namespace {

// Runs the event loop for a while, as the program's own loop would.
void runFor(int ms) {
  QEventLoop loop;
  QTimer::singleShot(ms, &loop, &QEventLoop::quit);
  loop.exec();
}

class QtClockTest : public ::testing::Test {
 protected:
  QtClock clock;
  QElapsedTimer elapsed;
  std::vector<qint64> ticks;
};

TEST_F(QtClockTest, EnabledTimerTicksUntilDisabled) {
  Timer timer("Timer8", clock, 20);
  timer.Tick.connect([&] { ticks.push_back(elapsed.elapsed()); });
  elapsed.start();
  timer.setEnabled(true);
  runFor(300);
  ASSERT_GE(ticks.size(), 3u);
  EXPECT_GE(ticks.front(), 19);
  timer.setEnabled(false);
  const std::size_t before = ticks.size();
  runFor(100);
  EXPECT_EQ(ticks.size(), before);
}

TEST_F(QtClockTest, SettingTheIntervalStartsThePeriodAgain) {
  Timer timer("Timer3", clock, 200);
  timer.Tick.connect([&] { ticks.push_back(elapsed.elapsed()); });
  elapsed.start();
  timer.setEnabled(true);
  runFor(150);
  const qint64 rearmedAt = elapsed.elapsed();
  timer.setInterval(200);
  runFor(450);
  ASSERT_FALSE(ticks.empty());
  // Qt may fire a coarse timer up to 5 % early, never earlier; both clocks
  // count whole milliseconds, which may cost one more.
  EXPECT_GE(ticks.front(), rearmedAt + 189);
}

TEST_F(QtClockTest, OneShotSwitchesItselfOffInItsTick) {
  Timer delay("Timer2", clock, 10);
  delay.Tick.connect([&] {
    ticks.push_back(0);
    delay.setEnabled(false);
  });
  delay.setEnabled(true);
  runFor(120);
  EXPECT_EQ(ticks.size(), 1u);
  delay.setEnabled(true);
  runFor(60);
  EXPECT_EQ(ticks.size(), 2u) << "an ended one-shot starts again when enabled";
}

// A tick that switches its own timer off and another one on: the other
// keeps its own period and target, even when it reuses what the first let go.
TEST_F(QtClockTest, TimerSwitchedOnFromAnotherTimersTickKeepsItsOwnPeriod) {
  Timer first("Timer6", clock, 10);
  Timer second("Timer1", clock, 300);
  int firstTicks = 0;
  first.Tick.connect([&] {
    ++firstTicks;
    first.setEnabled(false);
    second.setEnabled(true);
  });
  second.Tick.connect([&] { ticks.push_back(elapsed.elapsed()); });
  // Switched on and off many times in one pass, as a walk over a folder does.
  for (int i = 0; i < 1000; ++i) {
    second.setEnabled(true);
    second.setEnabled(false);
  }
  elapsed.start();
  first.setEnabled(true);
  runFor(200);
  EXPECT_EQ(firstTicks, 1);
  EXPECT_TRUE(ticks.empty()) << "the second timer fired after " << ticks.front() << " ms";
  runFor(300);
  EXPECT_EQ(firstTicks, 1);
  EXPECT_EQ(ticks.size(), 1u);
}

TEST_F(QtClockTest, DestroyedTimerNeverFires) {
  int fired = 0;
  auto timer = std::make_unique<Timer>("Timer4", clock, 10);
  timer->Tick.connect([&] { ++fired; });
  timer->setEnabled(true);
  timer.reset();
  runFor(60);
  EXPECT_EQ(fired, 0);
}

}  // namespace
}  // namespace qm
