// The player started on a clip: its window and the video in it.
#include <gtest/gtest.h>

#include "e2e/player_run.h"
#include "e2e/window_places.h"
#include "support/event_wait.h"
#include "support/image_checks.h"
#include "support/media_files.h"

namespace qm::e2e {
namespace {

using namespace live;

TEST(PlayerWindow, OpensAtTheDesignSizeAndShowsMovingVideo) {
  PlayerRun run;
  ASSERT_TRUE(run.ready());
  const std::string clip = makeTestClip(run.scratch("media") + "/clip.mp4", 5, 640, 360);
  ASSERT_FALSE(clip.empty());

  // How soon it shows is the first-frame benchmark's figure; here only
  // that it does.
  ASSERT_TRUE(run.start({QString::fromStdString(clip)}));
  const auto window = run.waitForWindow(15000);
  ASSERT_TRUE(window) << "no window\n" << run.output();
  QRect geometry;
  pumpUntil(
      [&] {
        geometry = windowGeometry(*window);
        return geometry.size() == QSize(kWindowWidth, kWindowHeight);
      },
      15000);
  EXPECT_EQ(geometry.size(), QSize(kWindowWidth, kWindowHeight));

  // The frames change: a later picture of the display area differs from the
  // first, and neither is black.
  const QRect area = kVideoArea.translated(settledGeometry(*window).topLeft());
  QImage first;
  ASSERT_TRUE(pumpUntil(
      [&] {
        first = grabScreen(area);
        return nonBlackShare(first) > 0.5;
      },
      15000))
      << "the display area stayed black\n"
      << run.output();
  QImage second;
  EXPECT_TRUE(pumpUntil(
      [&] {
        second = grabScreen(area);
        return changedShare(first, second) > 0.005;
      },
      15000))
      << "the video does not move";
  EXPECT_GT(nonBlackShare(second), 0.5);
  EXPECT_TRUE(run.running());
}

}  // namespace
}  // namespace qm::e2e
