#pragma once

#include <string>

#include "model/event.h"

namespace qm {

// Play states as a media player control reports them.
namespace play_state {
inline constexpr int Undefined = 0;  // nothing open, or closed
inline constexpr int Stopped = 1;    // stopped, ended, or failed to play
inline constexpr int Paused = 2;
inline constexpr int Playing = 3;
inline constexpr int ScanForward = 4;
inline constexpr int ScanReverse = 5;
inline constexpr int Transitioning = 9;  // a new file is opening
}  // namespace play_state

// A media engine: plays one file at a time (video, audio, or a still picture
// that stays shown until the next open). The player relies on: writing a path
// to the URL starts it; playState reads Stopped once playback has ended or
// failed, never Stopped while a new file is still opening, and something other
// than Stopped while closed. Calls that cannot be carried out return false.
class MediaEngine {
 public:
  virtual ~MediaEngine() = default;

  virtual bool setURL(const std::string& path) = 0;
  // A hint that setURL(path) is coming: an engine may start opening the
  // file, silently and unseen, so that it plays sooner. Nothing is reported
  // for it until setURL; the same hint again changes nothing. An engine
  // that cannot open ahead ignores it.
  virtual void preload(const std::string& path) { (void)path; }
  virtual std::string URL() const = 0;
  virtual void close() = 0;
  virtual int playState() const = 0;

  virtual bool play() = 0;
  virtual bool pause() = 0;
  virtual bool stop() = 0;
  virtual bool fastForward() = 0;
  virtual bool fastReverse() = 0;

  // Seconds from the start of the file.
  virtual double currentPosition() const = 0;
  virtual bool setCurrentPosition(double seconds) = 0;
  // "mm:ss", or "h:mm:ss" from an hour on; empty when nothing is open.
  virtual std::string currentPositionString() const = 0;
  // Length in seconds, 0 while unknown (a still picture, a file still opening).
  virtual double duration() const = 0;
  virtual std::string durationString() const = 0;

  // 0..100
  virtual int volume() const = 0;
  virtual bool setVolume(int volume) = 0;
  virtual bool mute() const = 0;
  virtual bool setMute(bool on) = 0;
  // -100 full left .. 0 centre .. 100 full right
  virtual int balance() const = 0;
  virtual bool setBalance(int balance) = 0;

  virtual bool enabled() const = 0;
  virtual void setEnabled(bool on) = 0;

  // Raised on the user-interface thread with the new play state.
  Event<int> PlayStateChange;
};

// Formats a position or a length the way the engine's texts show it.
std::string formatMediaTime(double seconds);

}  // namespace qm
