#include "platform/mpv/playback_clock.h"

#include <gtest/gtest.h>

namespace qm {
namespace {

using namespace std::chrono_literals;

TEST(PlaybackClock, RunsBetweenReportsNeverPastTheNextSecondAndKeepsAnExactReadOverAnOlderReport) {
  const PlaybackClock::TimePoint t0{};
  PlaybackClock clock;
  clock.set(4.5, t0);
  EXPECT_DOUBLE_EQ(clock.at(t0 + 300ms), 4.5);  // standing until libmpv plays

  clock.setRunning(true, t0);
  EXPECT_NEAR(clock.at(t0 + 300ms), 4.8, 1e-9);
  // Held up: no report of 5 s yet, so the second shown does not move on.
  EXPECT_LT(clock.at(t0 + 3s), 5.0);
  EXPECT_GT(clock.at(t0 + 3s), 4.99);
  clock.reachedSecond(5, t0 + 3s);
  EXPECT_NEAR(clock.at(t0 + 3500ms), 5.5, 1e-9);

  // Paused and then sped up: it stands, and runs on at the new speed.
  clock.setRunning(false, t0 + 4s);
  EXPECT_NEAR(clock.at(t0 + 9s), 5.999, 0.001);
  clock.set(6.25, t0 + 9s);
  clock.setSpeed(2, t0 + 9s);
  clock.setRunning(true, t0 + 9s);
  EXPECT_NEAR(clock.at(t0 + 9250ms), 6.75, 1e-9);

  // A seek read exactly to just short of 7 s, and libmpv's report of the
  // 6th second arriving after it: the exact position stays.
  clock.setRunning(false, t0 + 10s);
  clock.set(6.9999, t0 + 10s);
  clock.reachedSecond(6, t0 + 10s);
  EXPECT_DOUBLE_EQ(clock.at(t0 + 10s), 6.9999);
  // A report of another second moves it there.
  clock.reachedSecond(2, t0 + 10s);
  EXPECT_DOUBLE_EQ(clock.at(t0 + 10s), 2.0);
}

}  // namespace
}  // namespace qm
