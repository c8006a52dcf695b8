#pragma once

#include <string>

#include "model/control.h"
#include "model/event.h"

namespace qm {

// One answer of a thumbnail decoder.
struct Thumbnail {
  // The request it answers.
  std::string path;
  double seconds = 0;
  // The frame, `width` pixels wide with the video's shape; null when none
  // could be made.
  Picture picture;
  // False when the file holds no video to take pictures of (music, a
  // picture, a file that does not open): asking again is of no use.
  bool hasVideo = true;
  // The second answer to a request: the frame at the time itself, where
  // the first gave the key frame before it.
  bool exact = false;
};

// Small pictures of a video file at chosen times, made away from the
// user-interface thread so that asking never holds up the window or the
// playing video. The first answer may be the nearest key frame before the
// time; the exact frame then follows unless a newer request came first.
class ThumbnailDecoder {
 public:
  virtual ~ThumbnailDecoder() = default;

  // Asks for the frame of `path` at `seconds`, `width` pixels wide. Every
  // request is answered through Decoded, unless a newer request arrives
  // before its decoding began: the newer one replaces it. A key frame short
  // of the time is followed by a second, exact answer.
  virtual void request(const std::string& path, double seconds, int width) = 0;
  // Lets go of the file decoded last (and of a request still waiting); the
  // next request opens its file again.
  virtual void release() = 0;

  // Raised on the user-interface thread.
  Event<const Thumbnail&> Decoded;
};

}  // namespace qm
