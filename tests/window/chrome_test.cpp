#include <gtest/gtest.h>

#include "support/test_player.h"

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

TEST(Chrome, BarsMoveOnlyANormalWindow) {
  TestPlayer t;
  ASSERT_TRUE(t.load(""));
  t.form().Image38.MouseDown.raise(kLeftButton, 0, 10, 10);
  EXPECT_EQ(t.windows.moves, 1);
  t.windows.setWindowState(t.form(), Form::Maximized);
  t.player().Form3.setVisible(true);
  t.form().Picture4.MouseDown.raise(kRightButton, 0, 10, 10);
  EXPECT_EQ(t.windows.moves, 1);
  EXPECT_FALSE(t.context().Form3.visible());
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

}  // namespace
}  // namespace qm::test
