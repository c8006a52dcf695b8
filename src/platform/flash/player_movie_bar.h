#pragma once

#include <QWidget>
#include <functional>
#include <string>

class QPushButton;
class QSlider;

namespace qm {

// The player movie's own control bar along the bottom of the video:
// play/pause, a seek bar, and the presentation buttons that the movie sends
// to the player as commands.
class PlayerMovieBar : public QWidget {
 public:
  explicit PlayerMovieBar(QWidget* parent);

  std::function<void(const std::string&)> command;
  std::function<void()> pauseToggled;
  std::function<void(double)> seekTo;  // fraction of the length

  // Keeps the video (once there is one) filling `box` and the bar along its
  // bottom.
  void placeIn(QWidget* box, QWidget* video);
  bool hasVideo() const { return video_ != nullptr; }
  // The position, length and pause state of the frame just shown.
  void showTime(double position, double length, bool paused);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget* video_ = nullptr;
  QPushButton* playPause_;
  QSlider* seek_;
};

}  // namespace qm
