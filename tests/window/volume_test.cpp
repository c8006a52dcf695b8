#include <gtest/gtest.h>

#include "support/test_player.h"

namespace qm::test {
namespace {

class Volume : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(t.load("")); }
  // A point `share` of the way along the bar, in twips.
  double along(double share) { return t.form().volume.width() * share; }
  TestPlayer t;
};

TEST_F(Volume, MenuLevelsAreFixedAndMarkOneItem) {
  Form1& f = t.form();
  f.BUT9A.Click.raise();
  f.BUT9A.Click.raise();
  EXPECT_EQ(t.media->volume(), 90);
  EXPECT_TRUE(f.BUT9A.checked());
  EXPECT_FALSE(f.BUT9B.checked());
  f.BUT9C.Click.raise();
  EXPECT_TRUE(t.media->mute());
  EXPECT_TRUE(f.BUT9C.checked());
  f.BUT9B.Click.raise();
  EXPECT_EQ(t.media->volume(), 10);
  EXPECT_FALSE(t.media->mute());
  EXPECT_FALSE(f.BUT9C.checked());
  EXPECT_EQ(f.volume.Value(), 10) << "the bar shows the level the menu picked";
}

// From the left end to past the right end: silence to full, the thumb under
// the pointer on the way, the engine one position behind until the release.
TEST_F(Volume, DraggingTheBarTrailsOnePositionThenLandsOnTheValue) {
  tVate& bar = t.form().volume;
  ASSERT_EQ(bar.Value(), 50);
  bar.surfaceMouseDown(kLeftButton, 0, 0, 60);
  EXPECT_EQ(bar.Value(), 0);
  EXPECT_EQ(t.media->volume(), 50);
  bar.surfaceMouseMove(kLeftButton, 0, along(0.6), 60);
  const int middle = bar.Value();
  EXPECT_GT(middle, 0);
  EXPECT_LT(middle, bar.Max());
  EXPECT_NEAR(bar.CmdCenter(), along(0.6), kTwipsPerPixel);
  EXPECT_EQ(t.media->volume(), 0);
  bar.surfaceMouseMove(kLeftButton, 0, along(1.2), 60);
  EXPECT_EQ(bar.Value(), bar.Max());
  EXPECT_EQ(t.media->volume(), middle);
  bar.surfaceMouseUp(kLeftButton, 0, along(1.2), 60);
  bar.surfaceClick();
  EXPECT_EQ(t.media->volume(), 100);
}

TEST_F(Volume, RightPressOrDragWritesNothing) {
  tVate& bar = t.form().volume;
  t.media->setVolume(33);
  bar.surfaceMouseDown(kRightButton, 0, along(0.9), 60);
  EXPECT_EQ(t.media->volume(), 33);
  bar.surfaceMouseMove(kRightButton, 0, along(0.7), 60);
  EXPECT_EQ(t.media->volume(), 33);
  EXPECT_EQ(bar.Value(), 50);
}

TEST_F(Volume, ChannelButtonsAndMenuKeepTheirOwnMarks) {
  Form1& f = t.form();
  f.Image44.Click.raise();
  EXPECT_EQ(t.media->balance(), 100);
  EXPECT_EQ(f.Image44.picture(), f.Image47.picture());
  EXPECT_EQ(f.Image42.picture(), f.Image48.picture());
  EXPECT_EQ(f.Image43.picture(), f.Image49.picture());
  f.BUT13A.Click.raise();
  EXPECT_EQ(t.media->balance(), -100);
  EXPECT_EQ(f.Image44.picture(), f.Image47.picture());
  EXPECT_TRUE(f.BUT13A.checked());
  f.BUT13C.Click.raise();
  EXPECT_EQ(t.media->balance(), 0);
  EXPECT_FALSE(f.BUT13A.checked());
}

TEST_F(Volume, PointerOverTheThumbUsesTheSliderCursor) {
  tVate& bar = t.form().volume;
  bar.surfaceMouseMove(0, 0, bar.CmdCenter(), 60);
  EXPECT_EQ(bar.cMousePointer(), 99);
  bar.surfaceMouseMove(0, 0, along(0.05), 60);
  EXPECT_EQ(bar.cMousePointer(), 0);
}

TEST_F(Volume, UpDownTheWheelAndMStepTheBarAndMute) {
  Form1& f = t.form();
  t.makeMedia({"a.mp4"});
  f.File1.setListIndex(0);  // the video shows
  // Turns the wheel over the middle of a control.
  auto wheelOver = [&f](const Control& c, int notches) {
    double x = c.width() / 2, y = c.height() / 2;
    for (const Control* at = &c; at != &f; at = at->parent()) {
      x += at->left();
      y += at->top();
    }
    f.MouseWheel.raise(notches, x, y);
  };
  // The bar and the engine agree.
  auto level = [&] { return std::pair{f.volume.Value(), t.media->volume()}; };
  auto after = [&](int key, int times = 1) {
    for (int i = 0; i < times; ++i) f.KeyDown.raise(key, 0);
    return level();
  };
  EXPECT_EQ(after(kKeyUp), std::pair(55, 55));
  EXPECT_EQ(after(kKeyDown, 2), std::pair(45, 45));
  EXPECT_EQ(after(kKeyUp, 20), std::pair(100, 100));
  wheelOver(f.WindowsMediaPlayer1, -2);
  EXPECT_EQ(level(), std::pair(90, 90));
  wheelOver(f.volume, -1);
  EXPECT_EQ(level(), std::pair(85, 85));
  wheelOver(f.Image38, -1);
  EXPECT_EQ(level(), std::pair(85, 85)) << "the wheel over the title bar";
  after(kKeyM);
  EXPECT_TRUE(t.media->mute() && f.BUT9C.checked());
  EXPECT_EQ(t.media->texts.back(), "静音");
  EXPECT_EQ(after(kKeyM), std::pair(85, 85));
  EXPECT_FALSE(t.media->mute() || f.BUT9C.checked());
  EXPECT_EQ(t.media->texts.back(), "取消静音");
}

TEST_F(Volume, TheBarEndsAMute) {
  Form1& f = t.form();
  f.BUT9C.Click.raise();
  ASSERT_TRUE(t.media->mute());
  tVate& bar = f.volume;
  bar.surfaceMouseDown(kLeftButton, 0, along(0.7), 60);
  bar.surfaceMouseUp(kLeftButton, 0, along(0.7), 60);
  bar.surfaceClick();
  EXPECT_FALSE(t.media->mute()) << "a volume picked on the bar is heard";
  EXPECT_FALSE(f.BUT9C.checked());
}

}  // namespace
}  // namespace qm::test
