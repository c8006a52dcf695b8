#include <gtest/gtest.h>

#include "skin_strip.h"
#include "slider_doubles.h"

namespace qm {
namespace {

using test::pixelAt;

constexpr QRgb kBack = qRgb(0x30, 0x30, 0x30);

class SeekBarDrawing : public ::testing::Test {
 protected:
  void SetUp() override { skin.configure(bar); }

  // First and last column of row 8 painted in a thumb frame's colour.
  std::pair<int, int> thumbColumns(QRgb frame) const {
    int first = -1, last = -1;
    for (int x = 0; x < bar.surface().width(); ++x)
      if (pixelAt(bar, x, 8) == frame) last = x, first = first < 0 ? x : first;
    return {first, last};
  }

  test::ManualClock clock;
  test::FakeWindows windows;
  test::SeekSkin skin;
  tVate bar{"tVate1", nullptr, clock, windows};
  static constexpr int kWidth = 619;  // 9290 twips
  static constexpr int kRightPieceAt = kWidth - 17;
};

TEST_F(SeekBarDrawing, ThumbAtValueZeroSitsAtPixelFifteen) {
  ASSERT_EQ(bar.surface().size(), QSize(kWidth, 17));
  EXPECT_FLOAT_EQ(bar.CmdCenter(), 345.1f);
  EXPECT_FLOAT_EQ(bar.CmdLeft(), 225.1f);
  for (int y = 0; y < 17; ++y)
    for (int x = 0; x < 40; ++x) {
      // Through the thumb's magenta the track shows: the left piece to 17,
      // the filled part to the centre at pixel 23, then the rest.
      QRgb track = x < 17 ? skin.left : x < 23 ? skin.played : skin.rest;
      bool onBand = y >= 4 && y <= 12 && x >= 15 && x <= 30;
      ASSERT_EQ(pixelAt(bar, x, y), onBand ? skin.frames[0] : track) << x << "," << y;
    }
  EXPECT_EQ(pixelAt(bar, kRightPieceAt - 1, 0), skin.rest);
  EXPECT_EQ(pixelAt(bar, kRightPieceAt, 0), skin.right);
}

TEST_F(SeekBarDrawing, OutOfRangeValuesDrawAtTheEnds) {
  bar.setValue(150);
  EXPECT_EQ(bar.Value(), 150);
  // At Max the thumb bites two pixels into the right end piece.
  EXPECT_EQ(thumbColumns(skin.frames[0]), std::make_pair(kRightPieceAt - 14, kRightPieceAt + 1));
  bar.setValue(-5);
  EXPECT_EQ(thumbColumns(skin.frames[0]), std::make_pair(15, 30));

  bar.setValue(50);
  bar.setMax(-5);  // becomes 1, and the value is clamped to it
  EXPECT_EQ(bar.Max(), 1);
  EXPECT_EQ(thumbColumns(skin.frames[0]).second, kRightPieceAt + 1);

  bar.setMax(0);  // no position: the thumb stays far left and nothing is filled
  EXPECT_FLOAT_EQ(bar.CmdCenter(), -1.0f);
  EXPECT_EQ(thumbColumns(skin.frames[0]).first, 0);
  for (int x = 0; x < kWidth; ++x) ASSERT_NE(pixelAt(bar, x, 0), skin.played) << x;
}

TEST_F(SeekBarDrawing, EachMouseStateShowsItsThumbFrame) {
  bar.surfaceMouseMove(0, 0, 345, 100);
  EXPECT_EQ(thumbColumns(skin.frames[1]), std::make_pair(15, 30));
  bar.surfaceMouseDown(kLeftButton, 0, 345, 100);
  EXPECT_EQ(thumbColumns(skin.frames[2]), std::make_pair(15, 30));
  bar.surfaceMouseUp(kLeftButton, 0, 345, 100);
  bar.setEnabled(false);
  bar.setValue(0);
  EXPECT_EQ(thumbColumns(skin.frames[3]), std::make_pair(15, 30));
}

TEST_F(SeekBarDrawing, ResizeAndBorderRedrawTheWholeSurface) {
  bar.setWidth(3000);
  EXPECT_EQ(bar.surface().width(), 200);
  EXPECT_EQ(pixelAt(bar, 199, 0), skin.right);
  ASSERT_TRUE(bar.setBorderStyle(1));
  EXPECT_EQ(pixelAt(bar, 0, 0), qRgb(0, 0, 0));
  EXPECT_EQ(pixelAt(bar, 199, 16), qRgb(0, 0, 0));
  EXPECT_EQ(thumbColumns(skin.frames[0]), std::make_pair(16, 31));
  double seenX = -1;  // the mouse, too, counts from inside the border
  bar.MouseDown.connect([&](int, int, double x, double) { seenX = x; });
  bar.surfaceMouseDown(kRightButton, 0, 16 * 15, 0);
  EXPECT_DOUBLE_EQ(seenX, 15 * 15);
  ASSERT_TRUE(bar.setAppearance(1));  // a 3D border is two pixels: dark outside top left
  EXPECT_EQ(pixelAt(bar, 0, 5), qRgb(128, 128, 128));
  EXPECT_EQ(thumbColumns(skin.frames[0]), std::make_pair(17, 32));
  bar.setHeight(0);
  EXPECT_TRUE(bar.surface().isNull());
}

// Other track styles on a 20 x 10 pixel bar: one pixel per gradient band,
// thumb hidden, value halfway (centre at pixel column 10).
class TrackStyles : public ::testing::Test {
 protected:
  void SetUp() override {
    bar.setGeometry(0, 0, 300, 150);
    bar.setIsShowCmd(false);
    bar.setValue(50);
  }
  void colours(int style, Colour gotTop, Colour gotBottom, Colour top, Colour bottom) {
    bar.setStyle(style);
    bar.setGotTopColor(gotTop), bar.setGotBottomColor(gotBottom), bar.setTopColor(top), bar.setBottomColor(bottom);
  }
  // Checks every pixel: want(x, y) for the columns left of the centre, right(x, y) after it.
  template <class Left, class Right>
  void expectPixels(Left left, Right right) {
    for (int y = 0; y < 10; ++y)
      for (int x = 0; x < 20; ++x) ASSERT_EQ(pixelAt(bar, x, y), x < 10 ? left(x, y) : right(x, y)) << x << "," << y;
  }

  test::ManualClock clock;
  test::FakeWindows windows;
  tVate bar{"bar", nullptr, clock, windows};
};

TEST_F(TrackStyles, GradientBandsRoundTiesToEvenAndStopShortOfTheBottomColour) {
  colours(1, 0x0000FF, 0x000000, 0x000000, 0xC80000);  // red falling, blue rising to 200
  const int reds[] = {255, 230, 204, 178, 153, 128, 102, 76, 51, 26};
  expectPixels([&](int, int y) { return qRgb(reds[y], 0, 0); }, [](int, int y) { return qRgb(0, 0, 20 * y); });
}

TEST_F(TrackStyles, EqualColoursFillSolidAndSystemColoursDrawNothing) {
  colours(0, 0x00FF00, 0x00FF00, 0x8000000F, 0x000000);
  expectPixels([](int, int) { return qRgb(0, 255, 0); }, [](int, int) { return kBack; });
}

TEST_F(TrackStyles, ClippedSkinShowsTwoFullBarPicturesOneToOne) {
  QImage strip(40, 10, QImage::Format_RGB32);
  for (int x = 0; x < 40; ++x)
    for (int y = 0; y < 10; ++y) strip.setPixel(x, y, x < 20 ? qRgb(x * 10, 0, 0) : qRgb(0, 0, (x - 20) * 10));
  bar.setStyle(3);
  ASSERT_TRUE(bar.setPicture(test::picture(strip), 0, 0, 20, 20, 0));
  expectPixels([](int x, int) { return qRgb(x * 10, 0, 0); }, [](int x, int) { return qRgb(0, 0, x * 10); });
}

TEST_F(TrackStyles, CaptionIsCentredAndDrawnOnlyByARedraw) {
  bar.setGeometry(0, 0, 3000, 300);  // 200 x 20 pixels
  colours(1, 0, 0, 0, 0);
  QImage plain = bar.surface().copy();
  bar.setCaption("播放 50%");
  EXPECT_EQ(bar.surface(), plain);
  bar.setValue(50);
  int left = 1000, right = -1, top = 1000, bottom = -1;
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 200; ++x)
      if (pixelAt(bar, x, y) != qRgb(0, 0, 0))
        left = std::min(left, x), right = std::max(right, x), top = std::min(top, y), bottom = std::max(bottom, y);
  ASSERT_GT(right - left, 20) << "no caption drawn";
  EXPECT_NEAR((left + right) / 2.0, 99.5, 2.0);
  EXPECT_NEAR((top + bottom) / 2.0, 9.5, 3.0);
}

}  // namespace
}  // namespace qm
