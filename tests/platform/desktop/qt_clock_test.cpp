#include "platform/desktop/qt_clock.h"

#include <gtest/gtest.h>

#include <QTimer>
#include <algorithm>
#include <chrono>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "model/timer.h"
#include "support/event_wait.h"

namespace qm {
namespace {

using live::pumpUntil;

// The order in which timers ticked. Qt runs due timers in the order they
// fall due, so a loaded machine delays ticks but does not reorder them: a
// plain Qt timer beside the clock tells "too early" and "after it should
// have stopped" without reading a clock.
class QtClockTest : public ::testing::Test {
 protected:
  void log(std::initializer_list<Timer*> timers) {
    for (Timer* timer : timers) timer->Tick.connect([this, name = timer->name()] { ticks.push_back(name); });
  }
  void reference(int ms, const std::string& name) {
    QTimer::singleShot(ms, &context, [this, name] { ticks.push_back(name); });
  }
  long count(const std::string& name) const { return std::count(ticks.begin(), ticks.end(), name); }
  bool waitFor(const std::string& name, long times = 1) {
    return pumpUntil([&] { return count(name) >= times; }, 10000);
  }

  QtClock clock;
  std::vector<std::string> ticks;
  QObject context;
};

TEST_F(QtClockTest, EnabledTimerTicksUntilDisabled) {
  Timer timer("Timer8", clock, 20);
  log({&timer});
  reference(10, "half");
  timer.setEnabled(true);
  ASSERT_TRUE(waitFor("Timer8", 3));
  EXPECT_EQ(ticks.front(), "half") << "a tick came before its interval";
  timer.setEnabled(false);
  const long before = count("Timer8");
  reference(100, "later");
  ASSERT_TRUE(waitFor("later"));
  EXPECT_EQ(count("Timer8"), before);
}

TEST_F(QtClockTest, SettingTheIntervalStartsThePeriodAgain) {
  Timer first("Timer3", clock, 100), second("Timer6", clock, 100);
  log({&first, &second});
  first.setEnabled(true);
  second.setEnabled(true);
  // No event runs meanwhile, so neither can tick before the first starts again.
  std::this_thread::sleep_for(std::chrono::milliseconds(30));
  first.setInterval(100);
  ASSERT_TRUE(waitFor("Timer3"));
  EXPECT_EQ(ticks.front(), "Timer6");
}

TEST_F(QtClockTest, OneShotSwitchesItselfOffInItsTick) {
  Timer delay("Timer2", clock, 10);
  log({&delay});
  delay.Tick.connect([&] {
    delay.setEnabled(false);
    reference(60, "later");
  });
  delay.setEnabled(true);
  ASSERT_TRUE(waitFor("later"));
  EXPECT_EQ(count("Timer2"), 1);
  delay.setEnabled(true);
  EXPECT_TRUE(waitFor("Timer2", 2)) << "an ended one-shot starts again when enabled";
}

// A tick that switches its own timer off and another one on: the other
// keeps its own period and target, even when it reuses what the first let go.
TEST_F(QtClockTest, TimerSwitchedOnFromAnotherTimersTickKeepsItsOwnPeriod) {
  Timer first("Timer6", clock, 10), second("Timer1", clock, 300);
  log({&first, &second});
  first.Tick.connect([&] {
    first.setEnabled(false);
    second.setEnabled(true);
    reference(150, "half");
  });
  // Switched on and off many times in one pass, as a walk over a folder does.
  for (int i = 0; i < 1000; ++i) {
    second.setEnabled(true);
    second.setEnabled(false);
  }
  first.setEnabled(true);
  ASSERT_TRUE(waitFor("Timer1"));
  second.setEnabled(false);
  EXPECT_EQ(ticks, (std::vector<std::string>{"Timer6", "half", "Timer1"}));
}

TEST_F(QtClockTest, DestroyedTimerNeverFires) {
  auto timer = std::make_unique<Timer>("Timer4", clock, 10);
  log({timer.get()});
  timer->setEnabled(true);
  timer.reset();
  reference(60, "later");
  ASSERT_TRUE(waitFor("later"));
  EXPECT_EQ(ticks, std::vector<std::string>{"later"});
}

}  // namespace
}  // namespace qm
