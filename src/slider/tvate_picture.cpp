#include <cmath>

#include "slider/int16.h"
#include "slider/picture_ops.h"
#include "slider/tvate.h"

namespace qm {

namespace {

std::optional<int> measure(int pixels) {
  auto back = pixelsFromHimetric(himetricFromPixels(pixels));
  if (!fitsInt16(back)) return std::nullopt;
  return static_cast<int>(back);
}

// The 16-bit twips width of a piece; a missing piece measures 0.
std::optional<std::int16_t> twipsWidth(const Picture& piece) {
  auto pixels = tVate::GetPictureWidth(piece);
  if (!pixels) return std::nullopt;
  return mul16(*pixels, kTwipsPerPixel);
}

}  // namespace

std::optional<int> tVate::GetPictureWidth(const Picture& picture) {
  if (!picture || picture->isNull()) return 0;
  return measure(picture->width());
}

std::optional<int> tVate::GetPictureHeight(const Picture& picture) {
  if (!picture || picture->isNull()) return 0;
  return measure(picture->height());
}

Picture tVate::PicToPic(const Picture& picture, int leftSrc, int topSrc, int widthSrc, int heightSrc) {
  if (!picture) return nullptr;
  return cutPicture(*picture, leftSrc, topSrc, widthSrc, heightSrc);
}

bool tVate::setPicture(const Picture& strip, int lP_Width, int rP_Width, int lmP_Width, int rmP_Width, int cP_Width,
                       int cmp_Height, int cmp_Top) {
  for (int argument : {lP_Width, rP_Width, lmP_Width, rmP_Width, cP_Width, cmp_Height, cmp_Top})
    if (!fitsInt16(argument)) return false;
  auto height = GetPictureHeight(strip);
  if (!height) return false;
  if (*height == 0) return true;
  const int h = *height;

  // The strip reads left end, right end, filled middle, rest middle, thumb.
  // Offsets are 16-bit sums, taken only for the pieces actually cut.
  leftPicture_ = lP_Width != 0 ? PicToPic(strip, 0, 0, lP_Width, h) : nullptr;
  rightPicture_ = rP_Width != 0 ? PicToPic(strip, lP_Width, 0, rP_Width, h) : nullptr;
  if (lmP_Width != 0) {
    auto x = add16(lP_Width, rP_Width);
    if (!x) return false;
    playedPicture_ = PicToPic(strip, *x, 0, lmP_Width, h);
  } else {
    playedPicture_ = nullptr;
  }
  if (rmP_Width != 0) {
    auto x = add16(lP_Width, rP_Width);
    if (x) x = add16(*x, lmP_Width);
    if (!x) return false;
    restPicture_ = PicToPic(strip, *x, 0, rmP_Width, h);
  } else {
    restPicture_ = nullptr;
  }
  cmdHeight_ = static_cast<std::int16_t>(cmp_Height != 0 ? cmp_Height : h);
  if (cP_Width != 0) {
    auto x = add16(lP_Width, rP_Width);
    if (x) x = add16(*x, lmP_Width);
    if (x) x = add16(*x, rmP_Width);
    auto frames = mul16(cP_Width, 4);
    if (!x || !frames) return false;
    cmdPicture_ = PicToPic(strip, *x, 0, *frames, h);
  } else {
    cmdPicture_ = nullptr;
  }

  auto allFrames = twipsWidth(cmdPicture_);
  if (!allFrames) return false;
  cmdWidth_ = static_cast<std::int16_t>(std::nearbyint(*allFrames / 4.0));
  auto left = twipsWidth(leftPicture_);
  if (!left) return false;
  leftWidth_ = *left;
  auto right = twipsWidth(rightPicture_);
  if (!right) return false;
  rightWidth_ = *right;
  cmdTop_ = static_cast<std::int16_t>(cmp_Top);
  redraw();
  return true;
}

}  // namespace qm
