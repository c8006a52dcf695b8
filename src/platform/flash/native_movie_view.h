#pragma once

#include <QImage>
#include <QPainterPath>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <vector>

#include "platform/swf/native_movie_engine.h"

namespace qm {

// Draws the frame the native Flash engine shows: the stage colour over the
// whole view, the stage fitted into it by the scale mode, and the shapes of
// the frame's display list, clips within clips. While a movie whose frames
// differ plays, or one whose clips change, it looks at the engine as each
// frame falls due and repaints when the frame shows something else.
class NativeMovieView : public QWidget {
 public:
  NativeMovieView(const NativeMovieEngine& engine, QWidget* parent);

  // Looks at the engine again at once: after a new movie, a scale mode, and
  // a play, stop or move of the timeline.
  void refresh();
  // Calls `then` once, at the end of the next paint of a frame of a movie,
  // when the frame has reached the window.
  void afterNextPaint(std::function<void()> then) { afterPaint_ = std::move(then); }
  // With `letterbox`, what lies outside the stage is black rather than the
  // stage's colour, as Ruffle shows a movie.
  void setLetterbox(bool letterbox) {
    if (letterbox != letterbox_) update();
    letterbox_ = letterbox;
  }

  struct PreparedPart {
    QPainterPath path;
    const swf::ShapePart* part = nullptr;
  };

 protected:
  void paintEvent(QPaintEvent*) override;
  void resizeEvent(QResizeEvent*) override;

 private:
  struct MorphAtRatio {
    uint16_t ratio = 0;
    std::unique_ptr<swf::Shape> shape;
    std::vector<PreparedPart> parts;  // pointing into shape
  };
  void prepare(const swf::DrawnMovie& movie);
  QTransform stageToView(const swf::DrawnMovie& movie) const;
  // Where a clip's timeline is: `elapsed` frames have passed on it, it
  // shows `frame`, come to `sinceEntered` frames ago.
  struct ClipTime {
    uint64_t elapsed = 0;
    uint64_t frame = 0;
    uint64_t sinceEntered = 0;
  };
  // Draws a display list and, within its clips, theirs: the main timeline's
  // without a time (the engine knows its clips'), a clip's with its own.
  void drawList(QPainter& painter, const swf::DisplayList& list, const QTransform& transform,
                const swf::ColourTransform& colour, std::optional<ClipTime> time);
  std::pair<const swf::DisplayList*, ClipTime> clipFrame(const swf::Placement& placed, const swf::Frames& frames,
                                                         std::optional<ClipTime> time) const;
  bool clipsStill(const swf::DisplayList& list, std::optional<ClipTime> time) const;
  void addMaskArea(QPainterPath& area, const swf::Placement& placed, const QTransform& transform,
                   std::optional<ClipTime> time);
  const std::vector<PreparedPart>& morphAt(uint16_t id, const swf::MorphShape& morph, uint16_t ratio);
  void drawShape(QPainter& painter, const std::vector<PreparedPart>& parts, const swf::ColourTransform& colour);
  void fillWithBitmap(QPainter& painter, const QPainterPath& path, const swf::BitmapFill& fill,
                      const swf::ColourTransform& colour);

  const NativeMovieEngine& engine_;
  QTimer frames_;
  std::shared_ptr<const swf::DrawnMovie> prepared_;
  std::map<uint16_t, std::vector<PreparedPart>> shapes_;
  std::map<uint16_t, QImage> bitmaps_;
  struct TintedBitmap {
    swf::ColourTransform colour;
    QImage image;
  };
  std::map<uint16_t, TintedBitmap> tinted_;
  std::map<uint16_t, MorphAtRatio> morphs_;
  const swf::DisplayList* painted_ = nullptr;
  uint64_t paintedClock_ = 0;
  std::function<void()> afterPaint_;
  bool letterbox_ = false;
};

}  // namespace qm
