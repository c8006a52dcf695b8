#pragma once

#include <optional>
#include <string>

#include "model/control.h"
#include "model/event.h"
#include "platform/thumbnail_decoder.h"

namespace qm {

struct PlayerContext;

// The picture above the seek bar while the pointer rests on it: a small
// frame of the playing video at the time a press there would seek to, with
// that time. Only a video in the media engine has one (not music, pictures
// or Flash). The popup showing it follows `changed`.
//
// The decoder works on one request at a time; while it does, only the
// newest pointer position waits, so a pointer sweeping the bar never piles
// up work behind the playing video.
class SeekPreview {
 public:
  static constexpr int kPictureWidth = 160;

  SeekPreview(PlayerContext& p, ThumbnailDecoder& decoder);

  bool shown() const { return shown_; }
  const Picture& picture() const { return picture_; }
  // The pointer's time, as the time labels write it.
  const std::string& timeText() const { return timeText_; }
  // Where the pointer is: twips from the left of the bar's drawing area.
  double pointerX() const { return pointerX_; }

  // Raised when shown(), picture(), timeText() or pointerX() changed.
  Event<> changed;

 private:
  struct Request {
    std::string path;
    double seconds = 0;
    bool operator==(const Request&) const = default;
  };

  void pointerMoved(int button, double x);
  void answered(const Thumbnail& thumbnail);
  void ask(const Request& request);
  void send(const Request& request);
  void hide();
  // The file whose pictures hovering shows now, if any.
  std::optional<std::string> previewedFile() const;

  PlayerContext& p_;
  ThumbnailDecoder& decoder_;
  bool hovering_ = false;
  bool busy_ = false;  // a request is with the decoder
  std::optional<Request> lastSent_;
  std::optional<Request> waiting_;
  std::string withoutVideo_;  // the decoder found no pictures in this file

  bool shown_ = false;
  Picture picture_;
  std::string timeText_;
  double pointerX_ = 0;
};

}  // namespace qm
