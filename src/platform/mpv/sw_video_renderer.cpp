#include "platform/mpv/sw_video_renderer.h"

#include <mpv/client.h>
#include <mpv/render.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace qm {

namespace {

// libmpv's SIMD paths want the pointer and every line on 64 bytes; anything
// less makes it copy the whole frame.
constexpr std::size_t kAlign = 64;
// Bytes in memory are B, G, R, unused: on a little-endian machine that is the
// 0xffRRGGBB layout of QImage::Format_RGB32.
constexpr char kPixelFormat[] = "bgr0";

void onUpdate(void* fn) { (*static_cast<std::function<void()>*>(fn))(); }

void freePixels(void* p) { std::free(p); }

}  // namespace

SoftwareVideoRenderer::SoftwareVideoRenderer(mpv_handle* mpv, std::function<void()> frameDue)
    : frameDue_(std::make_unique<std::function<void()>>(std::move(frameDue))) {
  mpv_render_param params[] = {
      {MPV_RENDER_PARAM_API_TYPE, const_cast<char*>(MPV_RENDER_API_TYPE_SW)},
      {MPV_RENDER_PARAM_INVALID, nullptr},
  };
  if (!mpv || mpv_render_context_create(&context_, mpv, params) < 0) {
    context_ = nullptr;
    return;
  }
  mpv_render_context_set_update_callback(context_, onUpdate, frameDue_.get());
}

SoftwareVideoRenderer::~SoftwareVideoRenderer() {
  if (!context_) return;
  // After this returns libmpv calls the callback no more.
  mpv_render_context_set_update_callback(context_, nullptr, nullptr);
  mpv_render_context_free(context_);
}

void SoftwareVideoRenderer::allocate(QSize size) {
  size_ = size;
  stride_ = (static_cast<std::size_t>(size.width()) * 4 + kAlign - 1) / kAlign * kAlign;
  pixels_ = static_cast<unsigned char*>(std::aligned_alloc(kAlign, stride_ * size.height()));
  if (!pixels_) {
    size_ = QSize();
    image_ = QImage();
    return;
  }
  image_ = QImage(pixels_, size.width(), size.height(), static_cast<qsizetype>(stride_), QImage::Format_RGB32,
                  freePixels, pixels_);
  fillBlack();
}

bool SoftwareVideoRenderer::render() {
  if (!context_ || !pixels_) return false;
  int size[2] = {size_.width(), size_.height()};
  std::size_t stride = stride_;
  mpv_render_param params[] = {
      {MPV_RENDER_PARAM_SW_SIZE, size},      {MPV_RENDER_PARAM_SW_FORMAT, const_cast<char*>(kPixelFormat)},
      {MPV_RENDER_PARAM_SW_STRIDE, &stride}, {MPV_RENDER_PARAM_SW_POINTER, pixels_},
      {MPV_RENDER_PARAM_INVALID, nullptr},
  };
  if (mpv_render_context_render(context_, params) < 0) return false;
  blank_ = false;
  // The unused byte is left undefined by libmpv, but Format_RGB32 promises
  // 0xff there and Qt's scaling paths read it as alpha. Lines are padded to
  // whole blocks of kAlign bytes, so the pass runs in blocks of fixed length,
  // which the compiler turns into vector code.
  constexpr std::size_t kBlock = kAlign / sizeof(std::uint32_t);
  auto* pixel = reinterpret_cast<std::uint32_t*>(pixels_);
  const std::size_t count = stride_ / sizeof(std::uint32_t) * size_.height();
  for (std::size_t block = 0; block < count; block += kBlock)
    for (std::size_t i = 0; i < kBlock; ++i) pixel[block + i] |= 0xff000000u;
  return true;
}

bool SoftwareVideoRenderer::renderIfDue() {
  if (!context_) return false;
  // Asking is required after every callback, even when no frame is drawn.
  const bool due = mpv_render_context_update(context_) & MPV_RENDER_UPDATE_FRAME;
  return due && render();
}

void SoftwareVideoRenderer::setSize(QSize size) {
  if (size != size_ && !size.isEmpty()) allocate(size);
}

// Opening file after file (walking a whole folder) clears each time; a frame
// that is black already is left as it is.
bool SoftwareVideoRenderer::clear() {
  if (blank_) return false;
  fillBlack();
  return true;
}

// Written in place rather than through QImage::fill, which would detach
// image_ from pixels_ while a copy of it is held.
void SoftwareVideoRenderer::fillBlack() {
  if (!pixels_) return;
  for (int y = 0; y < size_.height(); ++y) {
    auto* line = reinterpret_cast<std::uint32_t*>(pixels_ + stride_ * y);
    std::fill(line, line + size_.width(), 0xff000000u);
  }
  blank_ = true;
}

}  // namespace qm
