#include "player/position.h"

#include <gtest/gtest.h>

#include "support/test_player.h"

namespace qm::test {
namespace {

class Position : public ::testing::Test {
 protected:
  void start(const std::string& name) {
    t.makeMedia({name});
    ASSERT_TRUE(t.load(""));
    t.form().File1.setPath(t.mediaFolder);
    t.form().File1.setPattern("*.*");
    t.form().File1.setListIndex(0);
  }
  // A point `share` of the way along the seek bar, in twips.
  double along(double share) { return t.form().tVate1.width() * share; }
  TestPlayer t;
};

TEST_F(Position, TimeDisplayFollowsTheMediaEngine) {
  start("a.mp3");
  t.media->setDuration(200);
  t.media->setPosition(50);
  t.clock.advance(50);
  EXPECT_EQ(t.form().tVate1.Value(), 25);
  EXPECT_EQ(t.form().Label1.caption(), "00:50");
  EXPECT_EQ(t.form().Label2.caption(), "/03:20");
  // No length yet: the bar keeps its value, the labels still follow.
  t.media->setDuration(0);
  t.media->setPosition(3);
  t.clock.advance(50);
  EXPECT_EQ(t.form().tVate1.Value(), 25);
  EXPECT_EQ(t.form().Label1.caption(), "00:03");
  // Closed, the engine has no length: the total is left as it was.
  t.media->setDuration(200);
  t.clock.advance(50);
  t.form().WindowsMediaPlayer1.engine().close();
  t.clock.advance(50);
  EXPECT_EQ(t.form().Label2.caption(), "/03:20");
}

TEST_F(Position, AValueAboveTheRangeStartsOver) {
  start("a.mp3");
  t.form().tVate1.setValue(150);
  t.clock.advance(50);
  EXPECT_EQ(t.form().tVate1.Value(), 0);
}

TEST_F(Position, FlashMovieShowsFrames) {
  start("m.swf");
  t.flash->frame = 99;
  t.clock.advance(50);
  EXPECT_EQ(t.form().Label1.caption(), "100/100");
  EXPECT_EQ(t.form().Label2.caption(), "/100%");
  EXPECT_EQ(t.form().tVate1.Value(), 100);
  // A movie of one frame has no position: the bar keeps its value.
  t.flash->totalFrames = 1;
  t.flash->frame = 0;
  t.clock.advance(50);
  EXPECT_EQ(t.form().tVate1.Value(), 100);
  EXPECT_EQ(t.form().Label1.caption(), "1/1");
}

// A movie whose frames the runtime does not know yet starts from an empty
// display, not from the times of the video before it.
TEST_F(Position, AMovieAfterAVideoStartsFromAnEmptyDisplay) {
  t.makeMedia({"a.mp4", "m.swf"});
  ASSERT_TRUE(t.load(""));
  Form1& f = t.form();
  f.File1.setPath(t.mediaFolder);
  f.File1.setListIndex(0);
  t.media->setDuration(300);
  t.media->setPosition(56);
  t.clock.advance(50);
  ASSERT_EQ(f.Label1.caption(), "00:56");
  t.flash->framesKnown = false;
  f.KeyDown.raise(kKeyPageDown, 0);
  ASSERT_EQ(f.File1.fileName(), "m.swf");
  t.clock.advance(50);
  EXPECT_EQ(f.Label1.caption(), "0/0");
  EXPECT_EQ(f.Label2.caption(), "/0%");
  EXPECT_EQ(f.tVate1.Value(), 0);
}

TEST_F(Position, FlashVideoReadsThePlayerMovie) {
  start("v.flv");
  t.flash->SetVariable("curent1", "30");
  t.flash->SetVariable("total1", "120");
  t.flash->SetVariable("curentvar", "00:30");
  t.flash->SetVariable("timevar", "/02:00");
  t.clock.advance(50);
  EXPECT_EQ(t.form().tVate1.Value(), 25);
  EXPECT_EQ(t.form().Label1.caption(), "00:30");
  EXPECT_EQ(t.form().Label2.caption(), "/02:00");
  t.flash->SetVariable("total1", "loading");
  t.flash->SetVariable("curent1", "60");
  t.clock.advance(50);
  EXPECT_EQ(t.form().tVate1.Value(), 25);
}

TEST_F(Position, HoldingTheBarPausesAndTheReleasePlaysFromTheThumb) {
  start("a.mp3");
  t.media->setDuration(20);
  t.media->setState(play_state::Playing);
  tVate& bar = t.form().tVate1;
  ASSERT_EQ(bar.Value(), 0);
  bar.surfaceMouseDown(kLeftButton, 0, along(0.25), 100);
  EXPECT_FALSE(t.form().Timer8.enabled()) << "the time display would pull the thumb back";
  EXPECT_EQ(t.media->playState(), play_state::Paused);
  const int held = bar.Value();
  EXPECT_GT(held, 0);
  EXPECT_LT(held, bar.Max() / 2);
  bar.surfaceMouseUp(kLeftButton, 0, along(0.25), 100);
  EXPECT_DOUBLE_EQ(t.media->currentPosition(), 20.0 * held / bar.Max());
  EXPECT_EQ(t.media->playState(), play_state::Playing);
  EXPECT_TRUE(t.form().Timer8.enabled());
}

TEST_F(Position, LeftAndRightSeekFiveSecondsWithinTheFile) {
  start("a.mp3");
  t.media->setDuration(12);
  t.media->setPosition(4);
  auto after = [&](int key) {
    t.form().KeyDown.raise(key, 0);
    return t.media->currentPosition();
  };
  EXPECT_EQ(after(kKeyRight), 9);
  EXPECT_EQ(after(kKeyRight), 12);
  EXPECT_EQ(after(kKeyLeft), 7);
  after(kKeyLeft);
  EXPECT_EQ(after(kKeyLeft), 0);
  // Paused, it stops short of the end, where the file would end unwatched.
  t.form().Image4.Click.raise();
  after(kKeyRight);
  after(kKeyRight);
  EXPECT_EQ(after(kKeyRight), 11.5);
}

TEST_F(Position, ReleaseOnAPausedFileStillPlays) {
  start("a.mp3");
  t.media->setDuration(200);
  t.form().Image4.Click.raise();
  t.form().tVate1.setValue(25);
  seekBarUp(t.context());
  EXPECT_DOUBLE_EQ(t.media->currentPosition(), 50.0);
  EXPECT_EQ(t.media->playState(), play_state::Playing);
  // It plays on as after the play button: the list moves on at its end.
  EXPECT_FALSE(t.form().PausedFlag());
  EXPECT_TRUE(t.form().Timer4.enabled());
}

TEST_F(Position, RightPressOnlyStopsTheDisplay) {
  start("a.mp3");
  t.media->setDuration(100);
  t.form().tVate1.setValue(40);
  t.media->calls.clear();
  t.form().tVate1.surfaceMouseDown(kRightButton, 0, along(0.8), 100);
  EXPECT_FALSE(t.form().Timer8.enabled());
  EXPECT_TRUE(t.media->calls.empty());
  EXPECT_EQ(t.form().tVate1.Value(), 40);
  t.form().tVate1.surfaceMouseUp(kRightButton, 0, along(0.8), 100);
  EXPECT_DOUBLE_EQ(t.media->currentPosition(), 40.0);
  EXPECT_TRUE(t.form().Timer8.enabled());
}

TEST_F(Position, SeekingFlashVideoAndFlashMovies) {
  start("v.flv");
  t.flash->SetVariable("total1", "120");
  t.form().tVate1.setValue(25);
  seekBarDown(t.context(), kLeftButton);
  EXPECT_EQ(t.flash->GetVariable("kkk"), "30");
  EXPECT_EQ(t.flash->GetVariable("testVar2"), "vbdown");
  t.flash->SetVariable("total1", "n/a");  // keeps the last target
  seekBarUp(t.context());
  EXPECT_EQ(t.flash->GetVariable("kkk"), "30");
  EXPECT_EQ(t.flash->GetVariable("testVar2"), "vbplay");
}

TEST_F(Position, SeekingAFlashMovieGoesToTheFrame) {
  start("m.swf");
  t.form().tVate1.setValue(50);  // 49.5 rounds to the even 50
  seekBarDown(t.context(), kLeftButton);
  EXPECT_EQ(t.flash->frame, 50);
  EXPECT_FALSE(t.flash->IsPlaying());
  seekBarUp(t.context());
  EXPECT_TRUE(t.flash->IsPlaying());
}

TEST(NumberText, AsThePlayerMovieReadsIt) {
  EXPECT_EQ(numberText(30), "30");
  EXPECT_EQ(numberText(12.5), "12.5");
  EXPECT_EQ(numberText(1.0 / 3), "0.333333333333333");
  EXPECT_FALSE(parseNumber("").has_value());
  EXPECT_FALSE(parseNumber("12abc").has_value());
  EXPECT_EQ(parseNumber(" 4.5 "), 4.5);
}

}  // namespace
}  // namespace qm::test
