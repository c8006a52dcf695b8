#include <gtest/gtest.h>

#include <functional>

#include "skin_strip.h"
#include "slider/property_bag.h"
#include "slider_doubles.h"

namespace qm {
namespace {

using Keys = std::vector<std::string>;

class SliderModel : public ::testing::Test {
 protected:
  test::ManualClock clock;
  test::FakeWindows windows;
  tVate bar{"tVate1", nullptr, clock, windows};
  test::EventLog log{bar};
  test::SeekSkin skin;
};

// Each property write: whether it draws again; every one tells the host.
TEST_F(SliderModel, WhichWritesRedraw) {
  Picture picture = skin.strip();
  const std::pair<std::function<void()>, bool> writes[] = {
      {[&] { bar.setStyle(1); }, true},
      {[&] { bar.setCanMove(true); }, true},
      {[&] { bar.setTopColor(1); }, true},
      {[&] { bar.setBottomColor(1); }, true},
      {[&] { bar.setGotTopColor(1); }, true},
      {[&] { bar.setGotBottomColor(1); }, true},
      {[&] { bar.setMax(50); }, true},
      {[&] { bar.setIsShowCmd(false); }, true},
      {[&] { bar.setBkPicture(picture); }, true},
      {[&] { bar.setCaption("x"); }, false},
      {[&] { bar.setcMouseIcon(picture); }, false},
      {[&] { bar.setcMousePointer(99); }, false},
      {[&] { bar.setBite_LP(3); }, false},
      {[&] { bar.setAppearance(1); }, false},
  };
  for (size_t i = 0; i < std::size(writes); ++i) {
    log.clear();
    writes[i].first();
    EXPECT_EQ(log.redraws, writes[i].second ? 1 : 0) << "write " << i;
    EXPECT_EQ(log.notified, 1) << "write " << i;
    EXPECT_TRUE(log.changes.empty()) << "write " << i;
  }
}

TEST_F(SliderModel, ValueIsStoredUncheckedAndAlwaysRaisesChanged) {
  bar.setMax(40);
  // The same value again is not drawn again, unless what the drawing shows
  // besides it changed meanwhile.
  const std::pair<int, int> writes[] = {{7, 1}, {7, 0}, {-20, 1}, {900, 1}, {900, 0}};
  for (auto [value, redraws] : writes) {
    log.clear();
    bar.setValue(value);
    EXPECT_EQ(bar.Value(), value);
    EXPECT_EQ(log.redraws, redraws) << value;
    EXPECT_EQ(log.changes, (std::vector<std::pair<int, int>>{{value, 40}}));
  }
  bar.setCaption("50%");
  bar.setValue(900);
  EXPECT_EQ(log.redraws, 1);
  bar.setEnabled(false);
  bar.setValue(900);
  EXPECT_EQ(log.redraws, 2);
}

TEST_F(SliderModel, ValueWritesAreDroppedWhileTheUserDrags) {
  skin.configure(bar);
  bar.surfaceMouseDown(kLeftButton, 0, 4642.5, 100);  // halfway along the travel
  ASSERT_EQ(bar.Value(), 50);
  log.clear();
  bar.setValue(80);
  EXPECT_EQ(bar.Value(), 50);
  EXPECT_EQ(log.redraws, 0);
  EXPECT_TRUE(log.names.empty());
  EXPECT_EQ(log.notified, 1);
  bar.surfaceMouseUp(kLeftButton, 0, 4642.5, 100);
  bar.setValue(80);
  EXPECT_EQ(bar.Value(), 80);
}

TEST_F(SliderModel, SixteenBitFieldsRefuseOverflow) {
  EXPECT_TRUE(bar.setBite_LP(2));
  EXPECT_EQ(bar.Bite_LP(), 2);
  EXPECT_TRUE(bar.setBite_RP(-2184));
  log.clear();
  EXPECT_FALSE(bar.setBite_LP(2185));
  EXPECT_FALSE(bar.setBite_RP(-2185));
  EXPECT_FALSE(bar.setcMousePointer(32768));
  EXPECT_FALSE(bar.setBorderStyle(2));
  EXPECT_EQ(bar.Bite_LP(), 2);
  EXPECT_EQ(bar.Bite_RP(), -2184);
  EXPECT_EQ(log.notified, 0);
}

TEST_F(SliderModel, SetPictureCutsTheStrip) {
  Picture strip = skin.strip();
  ASSERT_TRUE(bar.setPicture(strip, 17, 17, 1, 1, 16));
  EXPECT_EQ(bar.LeftWidth(), 255);
  EXPECT_EQ(bar.RightWidth(), 255);
  EXPECT_EQ(bar.CmdWidth(), 240);
  EXPECT_EQ(bar.CmdHeight(), 17);
  EXPECT_EQ(bar.RightPicture()->pixel(16, 0), skin.right);
  EXPECT_EQ(bar.RestPicture()->pixel(0, 0), skin.rest);
  EXPECT_EQ(bar.CmdPicture()->pixel(16 * 3, 8), skin.frames[3]);

  log.clear();
  EXPECT_TRUE(bar.setPicture(nullptr, 1, 1, 1, 1, 1));  // no picture: nothing changes
  EXPECT_EQ(bar.CmdWidth(), 240);
  EXPECT_EQ(log.redraws, 0);

  EXPECT_TRUE(bar.setPicture(strip, 0, 17, 1, 1, 0, 9, 4));
  EXPECT_EQ(bar.CmdPicture(), nullptr);
  EXPECT_EQ(bar.CmdWidth(), 0);
  EXPECT_EQ(bar.LeftWidth(), 0);
  EXPECT_EQ(bar.CmdHeight(), 9);
  EXPECT_EQ(bar.CmdTop(), 4);
}

TEST_F(SliderModel, SetPictureOverflowKeepsThePiecesAlreadyCut) {
  Picture strip = skin.strip();
  ASSERT_TRUE(bar.setPicture(strip, 17, 17, 1, 1, 16));
  EXPECT_FALSE(bar.setPicture(strip, 3, 3, 1, 1, 8192));  // four frames of 8192 pixels
  EXPECT_EQ(bar.LeftPicture()->width(), 3);
  EXPECT_EQ(bar.CmdPicture()->width(), 64);
  EXPECT_EQ(bar.LeftWidth(), 255);
  EXPECT_FALSE(bar.setPicture(strip, 2185, 1, 1, 1, 2));  // the thumb is measured before the ends
  EXPECT_EQ(bar.CmdWidth(), 30);
  EXPECT_EQ(bar.LeftWidth(), 255);
}

TEST_F(SliderModel, SavedStateLeavesOutDefaultsAndKeepsItsOrder) {
  PropertyBag fresh;
  bar.writeProperties(fresh);
  EXPECT_EQ(fresh.keys(), (Keys{"TopColor", "BottomColor", "GotTopColor", "GotBottomColor", "CanMove"}));

  bar.setStyle(1), bar.setMax(250), bar.setValue(7), bar.setBkPicture(skin.strip());
  bar.setAppearance(1), bar.setBorderStyle(1), bar.setBite_LP(2), bar.setBite_RP(-3), bar.setIsShowCmd(false);
  bar.setCaption("音量");
  PropertyBag full;
  bar.writeProperties(full);
  EXPECT_EQ(full.keys(),
            (Keys{"Style", "Value", "Max", "BKPicture", "Appearance", "BorderStyle", "Bite_LP", "Bite_RP", "IsShowCmd",
                  "TopColor", "BottomColor", "GotTopColor", "GotBottomColor", "Caption", "CanMove"}));
  EXPECT_EQ(full.read<std::int16_t>("Bite_LP"), std::int16_t{30});
  EXPECT_EQ(full.read<std::int16_t>("Bite_RP"), std::int16_t{-45});

  bar.setTopColor(kSliderBackColor), bar.setBottomColor(kSliderBackColor);
  bar.setGotTopColor(0xFF0000), bar.setGotBottomColor(0xFF0000), bar.setCanMove(true);
  PropertyBag some;
  bar.writeProperties(some);
  Keys expected = full.keys();
  expected.erase(expected.begin() + 9, expected.end());
  expected.push_back("Caption");
  EXPECT_EQ(some.keys(), expected);
}

TEST_F(SliderModel, LoadingRestoresWhatWasWrittenAndDefaultsTheRest) {
  skin.configure(bar);
  bar.setValue(64), bar.setCaption("x"), bar.setBorderStyle(1), bar.setGotTopColor(0x112233);
  PropertyBag bag;
  bar.writeProperties(bag);

  tVate copy("copy", nullptr, clock, windows);
  copy.setGeometry(0, 0, 9290, 255);
  test::EventLog copyLog(copy);
  copy.readProperties(bag);
  EXPECT_EQ(copyLog.redraws, 1);
  EXPECT_EQ(copyLog.notified + copyLog.changes.size(), 0u);
  PropertyBag again;
  copy.writeProperties(again);
  EXPECT_EQ(again.entries(), bag.entries());
  EXPECT_EQ(copy.surface().pixel(0, 0), qRgb(0, 0, 0));  // the restored border

  PropertyBag odd;
  odd.write("Max", std::string("lots"));
  copy.readProperties(odd);
  EXPECT_EQ(copy.Max(), 100);  // the default writing leaves out
  EXPECT_TRUE(copy.CanMove());
  EXPECT_EQ(copy.TopColor(), kSliderBackColor);
  EXPECT_EQ(copy.GotTopColor(), 0xFF0000u);
}

}  // namespace
}  // namespace qm
