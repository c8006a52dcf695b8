#include <gtest/gtest.h>

#include "skin_strip.h"
#include "slider_doubles.h"

namespace qm {
namespace {

using Names = std::vector<std::string>;

class SliderMouse : public ::testing::Test {
 protected:
  void SetUp() override {
    skin.configure(bar);
    log.clear();
  }
  // The pointer x (twips) that a drag turns into `value` on the seek bar:
  // 8595 twips of travel starting at 345.
  static double xFor(double value) { return value * 8595 / 100 + 345; }

  test::ManualClock clock;
  test::FakeWindows windows;
  test::SeekSkin skin;
  tVate bar{"tVate1", nullptr, clock, windows};
  test::EventLog log{bar};
};

TEST_F(SliderMouse, PressDragReleaseAndLeaveRaiseEventsInOrder) {
  bar.surfaceMouseDown(kLeftButton, 0, xFor(40), 100);
  EXPECT_EQ(log.names, (Names{"MouseDown", "MouseMove", "Changed", "MouseOverCmd"}));
  EXPECT_EQ(bar.Value(), 40);

  log.clear();
  bar.surfaceMouseMove(kLeftButton, 0, xFor(60), 100);
  bar.surfaceMouseMove(kLeftButton, 0, xFor(70), 100);
  EXPECT_EQ(log.names, (Names{"MouseMove", "Changed", "MouseOverCmd", "MouseMove", "Changed", "MouseOverCmd"}));
  EXPECT_EQ(log.changes.back(), std::make_pair(70, 100));

  log.clear();
  bar.surfaceMouseUp(kLeftButton, 0, xFor(70), 100);
  EXPECT_EQ(log.names, (Names{"MouseUp", "MouseOverCmd"}));
  EXPECT_FALSE(bar.IsDown());

  // The hover timer asks every 10 ms and notices the pointer leaving at once.
  log.clear();
  clock.advance(100);
  EXPECT_EQ(windows.overQueries, 10);
  EXPECT_EQ(log.redraws, 0);
  windows.pointerOver = false;
  clock.advance(10);
  EXPECT_EQ(log.names, (Names{"MouseOutCmd"}));
  EXPECT_FALSE(bar.IsOver());
  EXPECT_FALSE(bar.Timer1().enabled());
}

TEST_F(SliderMouse, PointerOnTheThumbIsTestedStrictlyOnX) {
  // The thumb spans 225.1 to 465.1 twips at value 0.
  const std::pair<double, const char*> cases[] = {
      {225.1, "MouseOutCmd"}, {226, "MouseOverCmd"}, {465, "MouseOverCmd"}, {465.2, "MouseOutCmd"}};
  for (auto [x, expected] : cases) {
    log.clear();
    bar.surfaceMouseMove(0, 0, x, 9999);
    EXPECT_EQ(log.names, (Names{"MouseMove", expected})) << x;
  }
}

TEST_F(SliderMouse, DragValueRoundsTiesToEvenAndClamps) {
  bar.setMax(8595);  // one value per twip of travel
  const std::pair<double, int> cases[] = {{345 + 2.5, 2}, {345 + 3.5, 4}, {0, 0}, {1e6, 8595}};
  for (auto [x, expected] : cases) {
    bar.surfaceMouseDown(kLeftButton, 0, x, 0);
    EXPECT_EQ(bar.Value(), expected) << x;
    bar.surfaceMouseUp(kLeftButton, 0, x, 0);
  }
}

TEST_F(SliderMouse, OnlyTheLeftButtonAloneMovesTheValue) {
  bar.surfaceMouseDown(kRightButton, 0, xFor(50), 100);
  EXPECT_EQ(log.names, (Names{"MouseDown"}));
  bar.surfaceMouseMove(kLeftButton | kRightButton, 0, xFor(50), 100);
  EXPECT_EQ(bar.Value(), 0);
  EXPECT_TRUE(log.changes.empty());
}

TEST_F(SliderMouse, AFixedBarReportsTheMouseButNeverMoves) {
  bar.setCanMove(false);
  log.clear();
  bar.surfaceMouseDown(kLeftButton, 0, xFor(50), 100);
  bar.surfaceMouseMove(kLeftButton, 0, xFor(80), 100);
  EXPECT_EQ(log.names, (Names{"MouseDown", "MouseMove", "MouseMove"}));
  EXPECT_EQ(log.redraws, 0);
  EXPECT_EQ(bar.Value(), 0);
  bar.surfaceMouseUp(kLeftButton, 0, xFor(80), 100);
  EXPECT_EQ(log.names.back(), "MouseUp");
  EXPECT_EQ(test::pixelAt(bar, 20, 8), skin.frames[0]);
}

TEST_F(SliderMouse, HiddenThumbRaisesNoThumbEventsAndWidensTheTravel) {
  bar.setIsShowCmd(false);
  log.clear();
  // 8835 twips of travel from 225: value 50 halfway.
  bar.surfaceMouseDown(kLeftButton, 0, 225 + 8835 / 2.0, 0);
  EXPECT_EQ(log.names, (Names{"MouseDown", "MouseMove", "Changed"}));
  EXPECT_EQ(bar.Value(), 50);
  for (int x = 0; x < bar.surface().width(); ++x)
    for (QRgb frame : skin.frames) ASSERT_NE(test::pixelAt(bar, x, 8), frame) << x;
}

TEST_F(SliderMouse, ABarWithNoTravelKeepsItsValue) {
  bar.setWidth(255 + 255 + 240 - 60);  // end pieces and thumb, less the bites
  bar.setValue(30);
  log.clear();
  bar.surfaceMouseDown(kLeftButton, 0, 300, 0);
  EXPECT_EQ(bar.Value(), 30);
  EXPECT_TRUE(log.changes.empty());
  EXPECT_EQ(log.redraws, 1);
}

TEST_F(SliderMouse, DisabledBarTakesNoInputButStillEndsADrag) {
  bar.surfaceMouseDown(kLeftButton, 0, xFor(20), 0);
  bar.setEnabled(false);
  log.clear();
  bar.surfaceMouseMove(kLeftButton, 0, xFor(90), 0);
  bar.surfaceClick();
  bar.surfaceDblClick();
  EXPECT_TRUE(log.names.empty());
  bar.surfaceMouseUp(kLeftButton, 0, xFor(90), 0);
  EXPECT_EQ(log.names, (Names{"MouseUp"}));  // a disabled thumb raises no thumb events
  bar.setValue(5);
  EXPECT_EQ(bar.Value(), 5);
}

}  // namespace
}  // namespace qm
