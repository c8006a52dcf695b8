#pragma once

#include <QImage>
#include <QSize>
#include <cstddef>
#include <functional>
#include <memory>

struct mpv_handle;
struct mpv_render_context;

namespace qm {

// Draws the player's video on the CPU (libmpv's software render API) into a
// picture the screen can paint. On a machine without a GPU this costs far
// less than GL through a software rasteriser.
//
// Threading: `frameDue` is called on one of libmpv's threads and must only
// schedule work; everything else is called on the user-interface thread.
class SoftwareVideoRenderer {
 public:
  // Must be created before the first file is loaded.
  SoftwareVideoRenderer(mpv_handle* mpv, std::function<void()> frameDue);
  ~SoftwareVideoRenderer();
  SoftwareVideoRenderer(const SoftwareVideoRenderer&) = delete;
  SoftwareVideoRenderer& operator=(const SoftwareVideoRenderer&) = delete;

  // False when libmpv refused the render context; no frames come then.
  bool ok() const { return context_ != nullptr; }

  // The picture's size; a new size starts black. libmpv scales the video
  // into it keeping its aspect, on black.
  void setSize(QSize size);
  // Called after `frameDue`: renders the new frame if libmpv has one.
  // True when the picture changed.
  bool renderIfDue();
  // Draws the current frame again (after a resize).
  bool render();
  // Replaces the picture by black (nothing is playing any more).
  // Blacks the frame out; false when it was black already (nothing to repaint).
  bool clear();

  QSize size() const { return size_; }
  // Black until the first frame. A copy stays valid after a resize (it keeps
  // the old pixels alive) but shows later frames drawn at the same size.
  const QImage& image() const { return image_; }

 private:
  void allocate(QSize size);
  void fillBlack();
  bool blank_ = false;  // the frame is all black

  mpv_render_context* context_ = nullptr;
  std::unique_ptr<std::function<void()>> frameDue_;  // stable address for the C callback
  unsigned char* pixels_ = nullptr;                  // owned by image_ and its copies
  std::size_t stride_ = 0;
  QSize size_;
  QImage image_;
};

}  // namespace qm
