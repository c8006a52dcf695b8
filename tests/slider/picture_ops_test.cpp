#include "slider/picture_ops.h"

#include <gtest/gtest.h>

#include "slider/tvate.h"

namespace qm {
namespace {

QImage pattern(int w, int h) {
  QImage image(w, h, QImage::Format_RGB32);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) image.setPixel(x, y, qRgb(x * 7 % 256, y * 11 % 256, (x + y) % 256));
  return image;
}

TEST(PictureOps, CutMakesAnOwnedRgbCopyOfTheRectangle) {
  QImage source = pattern(120, 30);
  Picture piece = cutPicture(source, 10, 5, 100, 20);
  ASSERT_TRUE(piece);
  EXPECT_EQ(tVate::GetPictureWidth(piece), 100);
  EXPECT_EQ(tVate::GetPictureHeight(piece), 20);
  EXPECT_EQ(piece->pixel(99, 19), source.pixel(109, 24));
  source.fill(Qt::white);
  EXPECT_EQ(piece->pixel(0, 0), pattern(120, 30).pixel(10, 5));

  EXPECT_EQ(cutPicture(source, 0, 0, 0, 8), nullptr);
  EXPECT_EQ(cutPicture(source, 0, 0, -3, 8), nullptr);
  EXPECT_EQ(cutPicture(source, 118, 0, 4, 1)->pixel(3, 0), qRgb(0, 0, 0));  // beyond the source: black

  QImage translucent(1, 1, QImage::Format_ARGB32);
  translucent.setPixel(0, 0, qRgba(255, 0, 255, 0));
  EXPECT_EQ(cutPicture(translucent, 0, 0, 1, 1)->pixel(0, 0), qRgb(255, 0, 255));
}

TEST(PictureOps, EveryPixelSizeReadsBackFromHimetric) {
  for (int pixels = 0; pixels <= 32767; ++pixels)
    ASSERT_EQ(pixelsFromHimetric(himetricFromPixels(pixels)), pixels) << pixels;
  EXPECT_EQ(tVate::GetPictureWidth(nullptr), 0);
  EXPECT_EQ(tVate::GetPictureWidth(std::make_shared<const QImage>(32768, 1, QImage::Format_RGB32)), std::nullopt);
}

class MaskedDraw : public ::testing::Test {
 protected:
  static constexpr QRgb kDest = qRgb(1, 2, 3);
  QImage dest{10, 10, QImage::Format_RGB32};
  void SetUp() override { dest.fill(kDest); }
};

TEST_F(MaskedDraw, WithoutTheKeyColourTheRectangleIsCopied) {
  Picture picture = std::make_shared<const QImage>(pattern(6, 6));
  drawMaskedPicture(picture, dest, 1, 2, 4, 3, 5, 6, 0xFF00FF);
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 10; ++x) {
      bool inside = x >= 5 && x < 9 && y >= 6 && y < 9;
      ASSERT_EQ(dest.pixel(x, y), inside ? picture->pixel(x - 4, y - 4) : kDest) << x << "," << y;
    }
}

TEST_F(MaskedDraw, AllKeyColourLeavesTheDestination) {
  QImage magenta(6, 6, QImage::Format_RGB32);
  magenta.fill(qRgb(255, 0, 255));
  QImage before = dest.copy();
  drawMaskedPicture(std::make_shared<const QImage>(magenta), dest, 0, 0, 6, 6, 2, 2, 0xFF00FF);
  EXPECT_EQ(dest, before);
}

TEST_F(MaskedDraw, OnlyAnExactMatchOfTheBlueGreenRedKeyIsTransparent) {
  const QRgb shown[] = {qRgb(0x10, 0x22, 0x33), qRgb(0x11, 0x23, 0x33), qRgb(0x11, 0x22, 0x34), qRgb(0x33, 0x22, 0x11)};
  QImage picture(5, 1, QImage::Format_RGB32);
  picture.setPixel(0, 0, qRgb(0x11, 0x22, 0x33));
  for (int i = 0; i < 4; ++i) picture.setPixel(i + 1, 0, shown[i]);
  drawMaskedPicture(std::make_shared<const QImage>(picture), dest, 0, 0, 5, 1, 0, 0, 0x332211);
  EXPECT_EQ(dest.pixel(0, 0), kDest);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(dest.pixel(i + 1, 0), shown[i]);
}

TEST_F(MaskedDraw, ClipsToBothImages) {
  Picture picture = std::make_shared<const QImage>(pattern(4, 4));
  drawMaskedPicture(picture, dest, 2, 2, 4, 4, -1, 8, 0xFF00FF);
  // Only source columns 2..3 exist, and column 2 lands left of the destination.
  EXPECT_EQ(dest.pixel(0, 9), picture->pixel(3, 3));
  EXPECT_EQ(dest.pixel(1, 8), kDest);
  EXPECT_EQ(dest.pixel(0, 7), kDest);
}

}  // namespace
}  // namespace qm
