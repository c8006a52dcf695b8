#pragma once

#include <chrono>

namespace qm {

// Where playback stands between libmpv's reports of it. libmpv is asked for
// the position in whole seconds, so it reports once a second rather than at
// every frame or block of sound, each report waking the program's thread.
// In between the clock runs on at the playing speed from the last position
// known, and never past the next whole second, which libmpv reports when it
// is reached: a file held up (a slow disk, a stream waiting) cannot run ahead
// by more than that.
class PlaybackClock {
 public:
  using TimePoint = std::chrono::steady_clock::time_point;

  // The position at `now`: read exactly, or a new file's start.
  void set(double seconds, TimePoint now);
  // libmpv reports the position is within `second` (its whole seconds). A
  // position known more closely and still within it is kept: a report may
  // come after an exact read it is older than.
  void reachedSecond(double second, TimePoint now);
  // Playback moves on (playing) or stands (paused, seeking, waiting). This
  // is libmpv's, whatever file it plays: it may not change between files.
  void setRunning(bool running, TimePoint now);
  void setSpeed(double speed, TimePoint now);

  double at(TimePoint now) const;

 private:
  double base_ = 0;
  TimePoint baseTime_{};
  bool running_ = false;
  double speed_ = 1;
};

}  // namespace qm
