// The seek bar dragged with the mouse moves the playback position.
#include <gtest/gtest.h>

#include <cmath>

#include "integration/player_rig.h"
#include "integration/slider_points.h"
#include "support/event_wait.h"
#include "support/media_files.h"
#include "support/x_tools.h"

namespace qm::integration {
namespace {

using namespace live;
namespace ps = play_state;

TEST(SeekBar, DraggingTheThumbToAQuarterPlaysOnFromThere) {
  int releases = 0;  // outlives the rig, whose bar counts into it
  PlayerRig rig;
  const std::string folder = rig.folder("long");
  const std::string clip = makeTestClip(folder + "/long.mp4", 20);
  ASSERT_FALSE(clip.empty());
  rig.rememberListFolder(folder);
  ASSERT_TRUE(rig.start());
  Form1& f = rig.form();
  f.File1.setListIndex(0);
  MpvEngine& media = rig.media();
  ASSERT_TRUE(pumpUntil([&] { return media.playState() == ps::Playing && media.currentPosition() > 0.5; }, 10000));
  ASSERT_NEAR(media.duration(), 20, 0.2);

  tVate& bar = f.tVate1;
  bar.MouseUp.connect([&releases](int, int, double, double) { ++releases; });
  const double target = pixelAlong(bar, 0.25);
  const QPoint from = rig.screenPoint(bar, QPointF(thumbPixel(bar), middleRow(bar)));
  const QPoint to = rig.screenPoint(bar, QPointF(target, middleRow(bar)));
  Pointer pointer(40);
  ASSERT_TRUE(pointer.moveTo(from));
  ASSERT_TRUE(pointer.press());
  // While the thumb is held the engine waits.
  EXPECT_TRUE(pumpUntil([&] { return media.playState() == ps::Paused; }, 10000));
  for (int step = 1; step <= 8; ++step) ASSERT_TRUE(pointer.moveTo(from + (to - from) * step / 8));
  ASSERT_TRUE(pumpUntil([&] { return std::abs(thumbPixel(bar) - target) <= 1; }, 10000))
      << "the thumb stays under the pointer: " << thumbPixel(bar) << " for " << target;
  EXPECT_EQ(media.playState(), ps::Paused);
  const double chosen = 20.0 * bar.Value() / bar.Max();
  EXPECT_GT(chosen, 2);
  EXPECT_LT(chosen, 10);
  ASSERT_TRUE(pointer.release());
  ASSERT_TRUE(pumpUntil([&] { return releases > 0; }, 10000));

  EXPECT_TRUE(pumpUntil([&] { return media.playState() == ps::Playing; }, 10000));
  // On a loaded machine libmpv may report the resumed play before the
  // position of the last seek.
  EXPECT_TRUE(pumpUntil([&] { return std::abs(media.currentPosition() - chosen) < 0.5; }, 10000))
      << media.currentPosition() << " for " << chosen;
  const double released = media.currentPosition();
  EXPECT_TRUE(pumpUntil([&] { return media.currentPosition() > released + 0.5; }, 10000)) << "does not play on";

  // The time labels follow the engine's texts.
  EXPECT_TRUE(pumpUntil(
      [&] {
        return f.Label1.caption() == media.currentPositionString() &&
               f.Label2.caption() == "/" + media.durationString();
      },
      10000))
      << f.Label1.caption() << " " << f.Label2.caption();
  EXPECT_EQ(f.Label2.caption(), "/00:20");
}

}  // namespace
}  // namespace qm::integration
