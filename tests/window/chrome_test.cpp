#include <gtest/gtest.h>

#include "forms/form1_geometry.h"
#include "support/test_player.h"
#include "window/list_panel.h"

namespace qm::test {
namespace {

TEST(Chrome, CloseButtonAndExitItemCloseTheWindow) {
  TestPlayer t;
  ASSERT_TRUE(t.load(""));
  int closes = 0;
  t.form().closeRequested.connect([&closes] { ++closes; });
  t.player().Form3.setVisible(true);
  t.windows.counter = -2;
  t.form().Image18.Click.raise();
  EXPECT_EQ(closes, 1);
  EXPECT_FALSE(t.context().Form3.visible());
  EXPECT_GE(t.windows.counter, 0);
  t.form().BUT3.Click.raise();
  EXPECT_EQ(closes, 2);
}

// The bars move the window by the pointer's way from the press, from where
// the pointer is when each move is read; where the compositor places the
// windows, the press hands the move to it.
TEST(Chrome, BarsMoveOnlyANormalWindow) {
  TestPlayer t;
  ASSERT_TRUE(t.load(""));
  Form1& f = t.form();
  const Twips left = f.left(), top = f.top();
  t.windows.cursorX = static_cast<int>((left + f.Image38.left() + 150) / 15);
  t.windows.cursorY = static_cast<int>((top + f.Image38.top() + 150) / 15);
  f.Image38.MouseDown.raise(kLeftButton, 0, 150, 150);
  t.windows.cursorX += 80;
  t.windows.cursorY += 20;
  f.Image38.MouseMove.raise(kLeftButton, 0, 150, 150);
  f.Image38.MouseUp.raise(kLeftButton, 0, 150, 150);
  EXPECT_NEAR(f.left(), left + 80 * 15, 15);
  EXPECT_NEAR(f.top(), top + 20 * 15, 15);
  EXPECT_EQ(t.windows.moves, 0);
  t.windows.placing = false;
  f.Label5.MouseDown.raise(kLeftButton, 0, 10, 10);  // the title text is part of its bar
  EXPECT_EQ(t.windows.moves, 1);
  t.windows.setWindowState(t.form(), Form::Maximized);
  t.player().Form3.setVisible(true);
  t.form().Picture4.MouseDown.raise(kRightButton, 0, 10, 10);
  EXPECT_EQ(t.windows.moves, 1);
  EXPECT_FALSE(t.context().Form3.visible());
}

// A drag of the bare background moves the window by the form's place, or,
// where the compositor places the windows, through the window system's move.
TEST(Chrome, BackgroundDragMovesTheWindowWhereverTheCompositorPlacesIt) {
  TestPlayer t;
  ASSERT_TRUE(t.load(""));
  Form1& f = t.form();
  const Twips left = f.left(), top = f.top();
  f.MouseMove.raise(0, 0, 1500, 1500);
  f.MouseDown.raise(kLeftButton, 0, 1500, 1500);
  f.MouseMove.raise(kLeftButton, 0, 1800, 1650);
  EXPECT_EQ(f.left(), left + 300);
  EXPECT_EQ(f.top(), top + 150);
  EXPECT_EQ(t.windows.moves, 0);
  f.MouseUp.raise(kLeftButton, 0, 1800, 1650);

  t.windows.placing = false;
  f.MouseDown.raise(kLeftButton, 0, 1500, 1500);
  f.MouseMove.raise(kLeftButton, 0, 1800, 1650);
  f.MouseMove.raise(kLeftButton, 0, 2100, 1800);
  EXPECT_EQ(f.left(), left + 300) << "the form keeps the place the window has";
  EXPECT_EQ(f.top(), top + 150);
  EXPECT_GE(t.windows.moves, 1);
}

TEST(Chrome, RightClickOnTheVideoPopsUpTheMenu) {
  TestPlayer t;
  ASSERT_TRUE(t.load(""));
  t.form().Timer3.setEnabled(true);
  t.form().WindowsMediaPlayer1.MouseDown.raise(kLeftButton, 0, 5, 5);
  EXPECT_EQ(t.windows.popups, 0);
  t.form().WindowsMediaPlayer1.MouseDown.raise(kRightButton, 0, 5, 5);
  EXPECT_EQ(t.windows.popups, 1);
  EXPECT_FALSE(t.form().Timer3.enabled());
}

// Its last rows and its scroll bar's lower end must not lie under the bottom
// bar, however the panel was laid out.
TEST(Chrome, TheFileListEndsInsideThePanel) {
  TestPlayer t;
  ASSERT_TRUE(t.load(""));
  Form1& f = t.form();
  auto overhang = [&] { return f.File1.top() + f.File1.height() - f.Frame1.height(); };
  EXPECT_LE(overhang(), 0) << "at start";
  if (f.Frame1.visible()) toggleListPanel(f);
  toggleListPanel(f);
  EXPECT_LE(overhang(), 0) << "shown by its tab";
  f.setHeight(f.height() + 3000);
  f.Resize.raise();
  EXPECT_LE(overhang(), 0) << "after a resize";
}

TEST(Chrome, EdgeDragIsPutBackToTheSmallestSizeOnRelease) {
  TestPlayer t;
  ASSERT_TRUE(t.load(""));
  Form1& f = t.form();
  const Twips W = f.width(), H = f.height();
  // Into the corner's sizing strips, then drag the corner far up and left.
  f.MouseMove.raise(0, 0, W - 60, H - 60);
  EXPECT_EQ(f.mousePointer(), 8);
  f.MouseDown.raise(kLeftButton, 0, W - 60, H - 60);
  f.MouseMove.raise(kLeftButton, 0, 5000, 1500);
  EXPECT_EQ(f.width(), 5000);
  EXPECT_EQ(f.height(), 1500);
  f.MouseUp.raise(kLeftButton, 0, 5000, 1500);
  EXPECT_EQ(f.width(), 5200);
  EXPECT_EQ(f.height(), 1560);
  EXPECT_EQ(f.Picture4.top(), 1560 - 983) << "the layout followed the size";

  // The right border is an edge too: its strip sizes the width only.
  const Twips left = f.left();
  f.Image36.MouseMove.raise(0, 0, 60, 300);
  EXPECT_EQ(f.mousePointer(), 9);
  f.Image36.MouseDown.raise(kLeftButton, 0, 60, 300);
  f.Image36.MouseMove.raise(kLeftButton, 0, 60 + 1500, 300);
  f.Image36.MouseUp.raise(kLeftButton, 0, 60 + 1500, 300);
  EXPECT_EQ(f.width(), 5200 - 60 + 1500) << "the edge follows the pointer";
  EXPECT_EQ(f.left(), left);
  EXPECT_EQ(t.windows.moves, 0) << "a press in the sizing strip is not a move";
}

TEST(Chrome, GripNeverMakesTheWindowNarrowerThanTheSmallestWidth) {
  TestPlayer t;
  ASSERT_TRUE(t.load(""));
  Form1& f = t.form();
  f.setLeft(1500);
  f.setTop(1500);
  f.Picture7.MouseDown.raise(kLeftButton, 0, 5, 5);
  t.windows.cursorX = (1500 + 5100) / 15;  // 5100 wide: refused
  t.windows.cursorY = (1500 + 3000) / 15;
  f.Picture7.MouseMove.raise(kLeftButton, 0, 5, 5);
  EXPECT_EQ(f.width(), geometry::kDesignWidth);
  EXPECT_EQ(f.height(), 3000);
  f.Picture7.MouseUp.raise(kLeftButton, 0, 5, 5);
  t.windows.cursorX = (1500 + 8000) / 15;
  f.Picture7.MouseMove.raise(0, 0, 5, 5);
  EXPECT_EQ(f.width(), geometry::kDesignWidth) << "no drag after the release";
}

TEST(Chrome, PointerHidesTwelveSecondsAfterArmingAndComesBackOnAMoveWhenMaximised) {
  TestPlayer t;
  ASSERT_TRUE(t.load(""));
  Form1& f = t.form();
  f.WindowsMediaPlayer1.MouseMove.raise(0, 0, 100, 100);  // not maximised: never shows
  t.windows.counter = -1;
  f.WindowsMediaPlayer1.MouseMove.raise(0, 0, 300, 300);
  EXPECT_LT(t.windows.counter, 0);
  f.Image3.MouseMove.raise(0, 0, 5, 5);  // a transport button always shows it
  EXPECT_GE(t.windows.counter, 0);

  f.Image16.Click.raise();
  ASSERT_TRUE(f.Timer3.enabled());
  t.clock.advance(11900);
  EXPECT_GE(t.windows.counter, 0);
  t.clock.advance(200);
  EXPECT_LT(t.windows.counter, 0);
  EXPECT_FALSE(f.Timer3.enabled());
  f.WindowsMediaPlayer1.MouseMove.raise(0, 0, 101, 100);  // within one unit of the reference
  EXPECT_LT(t.windows.counter, 0);
  f.WindowsMediaPlayer1.MouseMove.raise(0, 0, 150, 100);
  EXPECT_GE(t.windows.counter, 0);
  EXPECT_TRUE(f.Timer3.enabled());
}

TEST(Chrome, SystemMenuButtonOpensTheMenuWindowUnderItAndClosesIt) {
  TestPlayer t;
  ASSERT_TRUE(t.load(""));
  Form1& f = t.form();
  f.Image21.Click.raise();
  ASSERT_TRUE(t.context().Form3.visible());
  EXPECT_EQ(t.context().Form3.top(), f.top() + 450);
  EXPECT_EQ(t.context().Form3.left(), f.left() + f.Image21.left());
  f.Image21.Click.raise();
  EXPECT_FALSE(t.context().Form3.visible());
}

TEST(Chrome, HelpItemOpensTheHelpFileOfTheProgramFolder) {
  TestPlayer t;
  ASSERT_TRUE(t.load(""));
  t.form().BUT10.Click.raise();
  ASSERT_EQ(t.help.shown.size(), 1u);
  EXPECT_EQ(t.help.shown[0].first, t.programFile("dorl.chm"));
  EXPECT_EQ(t.help.shown[0].second, "help.htm");
  t.form().BUT11.Click.raise();
  EXPECT_TRUE(t.context().frmAbout.visible());
}

}  // namespace
}  // namespace qm::test
