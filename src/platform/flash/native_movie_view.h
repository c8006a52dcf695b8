#pragma once

#include <QPainterPath>
#include <QTimer>
#include <QWidget>
#include <map>
#include <memory>
#include <vector>

#include "platform/swf/native_movie_engine.h"

namespace qm {

// Draws the frame the native Flash engine shows: the stage colour over the
// whole view, the stage fitted into it by the scale mode, and the shapes of
// the frame's display list. While a movie whose frames differ plays, it
// looks at the engine as each frame falls due and repaints when the frame
// shows something else.
class NativeMovieView : public QWidget {
 public:
  NativeMovieView(const NativeMovieEngine& engine, QWidget* parent);

  // Looks at the engine again at once: after a new movie, a scale mode, and
  // a play, stop or move of the timeline.
  void refresh();

 protected:
  void paintEvent(QPaintEvent*) override;
  void resizeEvent(QResizeEvent*) override;

 private:
  struct PreparedPart {
    QPainterPath path;
    const swf::ShapePart* part = nullptr;
  };
  void prepare(const swf::DrawnMovie& movie);
  QTransform stageToView(const swf::DrawnMovie& movie) const;

  const NativeMovieEngine& engine_;
  QTimer frames_;
  std::shared_ptr<const swf::DrawnMovie> prepared_;
  std::map<uint16_t, std::vector<PreparedPart>> shapes_;
  const swf::DisplayList* painted_ = nullptr;
};

}  // namespace qm
