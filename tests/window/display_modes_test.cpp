// The display modes on the real sizes: the design size of the normal window
// and the screen of the test window system.
#include <gtest/gtest.h>

#include "forms/form1_geometry.h"
#include "support/test_player.h"

namespace qm::test {
namespace {

struct Rect {
  Twips left, top, width, height;
  bool operator==(const Rect&) const = default;
};
void PrintTo(const Rect& r, std::ostream* os) { *os << r.left << "," << r.top << " " << r.width << "x" << r.height; }

Rect rectOf(const Control& c) { return {c.left(), c.top(), c.width(), c.height()}; }

std::vector<std::string> marked(Form1& f) {
  std::vector<std::string> names;
  for (MenuItem* item : {&f.BUT0, &f.BUT1, &f.BUT17, &f.BUT2})
    if (item->checked()) names.push_back(item->name());
  return names;
}

TEST(DisplayModes, ZoomSizesFromTheAreaBetweenTheBarsAndCentresInTheWindow) {
  TestPlayer t;
  ASSERT_TRUE(t.load(""));
  Form1& f = t.form();
  ASSERT_EQ(f.width(), geometry::kDesignWidth);
  ASSERT_EQ(f.height(), geometry::kDesignHeight);
  f.BUT8D.Click.raise();
  EXPECT_EQ(rectOf(f.WindowsMediaPlayer1), (Rect{(9510 - 18540) / 2.0, (6795 - 10290) / 2.0, 18540, 10290}));
  f.BUT8A.Click.raise();
  EXPECT_EQ(rectOf(f.WindowsMediaPlayer1), (Rect{(9510 - 4635) / 2.0, (6795 - 2572.5) / 2.0, 4635, 2572.5}));
  f.BUT8B.Click.raise();
  EXPECT_EQ(rectOf(f.WindowsMediaPlayer1), (Rect{120, 645, 9270, 5145})) << "100 % is not centred";
  EXPECT_TRUE(f.BUT8B.checked());
  EXPECT_FALSE(f.BUT8A.checked() || f.BUT8C.checked() || f.BUT8D.checked());
  EXPECT_EQ(marked(f), std::vector<std::string>{"BUT2"}) << "zoom leaves the mode alone";
}

TEST(DisplayModes, TheaterAndStretchCoverTheScreenAndGoBackToTheNormalWindow) {
  TestPlayer t;
  ASSERT_TRUE(t.load(""));
  Form1& f = t.form();
  const Rect normal = rectOf(f);
  const Twips W = t.windows.screenWidth(), H = t.windows.screenHeight();

  f.BUT0.Click.raise();
  EXPECT_NE(f.windowState(), Form::Normal);
  EXPECT_EQ(rectOf(f.WindowsMediaPlayer1), (Rect{120, 645, W - 240, H - 1650}));
  EXPECT_TRUE(f.WindowsMediaPlayer1.visible());
  EXPECT_FALSE(f.Picture2.visible() || f.Picture4.visible() || f.Picture7.visible());
  EXPECT_TRUE(f.Timer3.enabled());

  f.BUT17.Click.raise();  // from theater straight to stretch: past the screen's edges, centred
  EXPECT_EQ(marked(f), std::vector<std::string>{"BUT17"});
  const Rect stretched = rectOf(f.WindowsMediaPlayer1);
  EXPECT_LT(stretched.left, 0);
  EXPECT_LT(stretched.top, 0);
  EXPECT_DOUBLE_EQ(stretched.left + stretched.width, W - stretched.left);
  EXPECT_DOUBLE_EQ(stretched.top + stretched.height, H - stretched.top);

  f.BUT17.Click.raise();  // the same item again: native size
  EXPECT_EQ(marked(f), std::vector<std::string>{"BUT2"});
  EXPECT_EQ(f.windowState(), Form::Normal);
  EXPECT_EQ(rectOf(f), normal);
  EXPECT_EQ(rectOf(f.WindowsMediaPlayer1), (Rect{120, 645, normal.width - 240, normal.height - 1620}));
  EXPECT_TRUE(f.Picture2.visible() && f.Picture3.visible() && f.Picture4.visible() && f.Picture5.visible());
  EXPECT_TRUE(f.Picture7.visible());
  t.clock.advance(12100);  // the hide timer the modes armed runs out
  EXPECT_GE(t.windows.counter, 0) << "the pointer stays in the normal window";
}

// A window manager may answer in steps: a size after the state, which the
// layout meets first, must leave the video in the mode's rectangle.
TEST(DisplayModes, TheaterVideoKeepsItsRectangleOnASizeAfterTheState) {
  TestPlayer t;
  ASSERT_TRUE(t.load(""));
  Form1& f = t.form();
  const Twips W = t.windows.screenWidth(), H = t.windows.screenHeight();
  f.BUT0.Click.raise();                                 // the state arrives at once with the screen's size
  f.syncFromScreen(0, 0, W, H - 15, Form::FullScreen);  // and then settles
  EXPECT_EQ(rectOf(f.WindowsMediaPlayer1), (Rect{120, 645, W - 240, H - 15 - 1650}));
}

// Whether the window manager answers late, merges the requests, answers
// twice or not at all, F, F, Esc end in the normal window with its bars and
// its video.
TEST(DisplayModes, QuickTogglesEndInTheNormalWindowWhateverTheWindowManagerAnswers) {
  using Answer = FakeWindowSystem::Answer;
  for (Answer answer : {Answer::Late, Answer::Merged, Answer::Twice, Answer::Never}) {
    SCOPED_TRACE(static_cast<int>(answer));
    TestPlayer t;
    ASSERT_TRUE(t.load(""));
    Form1& f = t.form();
    const Rect normal = rectOf(f);
    t.windows.answer = answer;
    f.KeyDown.raise(kKeyF, 0);
    f.KeyDown.raise(kKeyF, 0);
    t.windows.deliverStates();
    f.KeyDown.raise(kKeyEscape, 0);
    t.windows.deliverStates();
    t.clock.advance(Form1::kWindowStateWaitMs);
    EXPECT_EQ(f.windowState(), Form::Normal);
    EXPECT_EQ(rectOf(f), normal);
    EXPECT_EQ(marked(f), std::vector<std::string>{"BUT2"});
    EXPECT_TRUE(f.WindowsMediaPlayer1.visible());
    EXPECT_EQ(f.WindowsMediaPlayer1.left(), 120);
    EXPECT_EQ(f.WindowsMediaPlayer1.top(), 645);
    EXPECT_GT(f.WindowsMediaPlayer1.height(), normal.height / 2);
    EXPECT_TRUE(f.Picture2.visible() && f.Picture4.visible());
  }
}

// A state that never comes still lets the mode show its video, in the
// window as it is, once the wait is over.
TEST(DisplayModes, AStateThatNeverComesEndsTheWait) {
  TestPlayer t;
  ASSERT_TRUE(t.load(""));
  Form1& f = t.form();
  t.windows.answer = FakeWindowSystem::Answer::Never;
  f.BUT1.Click.raise();
  EXPECT_FALSE(f.WindowsMediaPlayer1.visible());
  t.clock.advance(Form1::kWindowStateWaitMs);
  EXPECT_TRUE(f.WindowsMediaPlayer1.visible());
  EXPECT_EQ(rectOf(f.WindowsMediaPlayer1), (Rect{0, 0, f.width(), f.height()}));
}

TEST(DisplayModes, DoubleClickTogglesFullScreenAndNativeSize) {
  TestPlayer t;
  ASSERT_TRUE(t.load(""));
  Form1& f = t.form();
  const Rect normal = rectOf(f);
  f.WindowsMediaPlayer1.DblClick.raise();
  EXPECT_EQ(marked(f), std::vector<std::string>{"BUT1"});
  EXPECT_EQ(rectOf(f.WindowsMediaPlayer1), (Rect{0, 0, t.windows.screenWidth(), t.windows.screenHeight()}));
  f.WindowsMediaPlayer1.DblClick.raise();
  EXPECT_EQ(marked(f), std::vector<std::string>{"BUT2"});
  EXPECT_EQ(rectOf(f), normal);
  EXPECT_TRUE(f.Image16.visible());
  EXPECT_FALSE(f.Image19.visible());
}

// With nothing in the display area the full-screen button leaves the
// restore button of the full screen as the way back.
TEST(DisplayModes, FullScreenButtonWithNothingShownKeepsAWayBack) {
  TestPlayer t;
  ASSERT_TRUE(t.load(""));
  Form1& f = t.form();
  const Rect normal = rectOf(f);
  f.Image10.Click.raise();
  EXPECT_FALSE(f.Picture2.visible());
  ASSERT_TRUE(f.Frame3.visible() && f.Image11.visible());
  f.Image11.Click.raise();
  EXPECT_EQ(f.windowState(), Form::Normal);
  EXPECT_EQ(rectOf(f), normal);
  EXPECT_TRUE(f.Picture2.visible() && f.Picture4.visible());
  EXPECT_FALSE(f.Frame3.visible());
}

// A Flash movie in full screen fills the screen, stretched to it, with the
// small restore button at the foot of the screen.
TEST(DisplayModes, FullScreenButtonStretchesAFlashMovieOverTheScreen) {
  TestPlayer t;
  t.makeMedia({"a.swf"});
  ASSERT_TRUE(t.load(""));
  Form1& f = t.form();
  f.File1.setPath(t.mediaFolder);
  f.File1.setListIndex(0);
  ASSERT_TRUE(f.ShockwaveFlash1.visible());
  t.windows.answer = FakeWindowSystem::Answer::Twice;  // the state at the old size, then the size
  f.Image10.Click.raise();
  EXPECT_EQ(t.flash->ScaleMode(), 2);
  const Rect screen{0, 0, t.windows.screenWidth(), t.windows.screenHeight()};
  EXPECT_EQ(rectOf(f.ShockwaveFlash1), screen);
  EXPECT_TRUE(f.Frame3.visible() && f.Frame4.visible());
  EXPECT_GT(f.Frame3.top(), t.windows.screenHeight() * 3 / 4) << "the restore button sits at the screen's foot";

  // The player movie's own full screen, from the normal window, as well.
  f.Image11.Click.raise();
  ASSERT_EQ(f.windowState(), Form::Normal);
  f.ShockwaveFlash1.engine().FSCommand.raise("full", "");
  EXPECT_EQ(f.windowState(), Form::Maximized);
  EXPECT_EQ(rectOf(f.ShockwaveFlash1), screen);
  EXPECT_EQ(t.flash->ScaleMode(), 1);
  f.ShockwaveFlash1.engine().FSCommand.raise("normal", "");
  EXPECT_EQ(f.windowState(), Form::Normal);
  EXPECT_TRUE(f.Picture2.visible());
  EXPECT_EQ(f.ShockwaveFlash1.top(), 645);
}

TEST(DisplayModes, MaximiseAndRestoreSwapTheirButtons) {
  TestPlayer t;
  ASSERT_TRUE(t.load(""));
  Form1& f = t.form();
  const Rect normal = rectOf(f);
  ASSERT_TRUE(f.Image19.visible());
  f.Image19.Click.raise();  // right after start-up: only the buttons swap
  EXPECT_EQ(rectOf(f), normal);
  EXPECT_TRUE(f.Image16.visible());
  f.Image16.Click.raise();
  EXPECT_EQ(f.windowState(), Form::Maximized);
  EXPECT_EQ(f.Picture4.top(), t.windows.screenHeight() - geometry::kBottomBarRise);
  EXPECT_TRUE(f.Image19.visible() && !f.Image16.visible());
  EXPECT_TRUE(f.Timer3.enabled());
  f.Image19.Click.raise();
  EXPECT_EQ(rectOf(f), normal);
  EXPECT_FALSE(f.Timer3.enabled());
}

}  // namespace
}  // namespace qm::test
