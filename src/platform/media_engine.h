#pragma once

#include <string>
#include <vector>

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

// A sound or subtitle track of the open file.
struct MediaTrack {
  enum class Kind { Audio, Subtitle };
  Kind kind = Kind::Audio;
  int id = 0;            // the engine's number for it, from 1
  std::string title;     // as the file names it; may be empty
  std::string language;  // a language tag ("chi", "zh-CN"); may be empty
  bool selected = false;
  bool external = false;  // a subtitle file beside the media, or one added
};

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

  // The open file's sound and subtitle tracks, once it has loaded. An
  // engine finds the subtitle files beside a video itself (the same name, or
  // the same name with a language tag: "movie.zh.srt").
  virtual std::vector<MediaTrack> tracks() const { return {}; }
  // Plays that track; a subtitle id of 0 shows no subtitles.
  virtual bool selectTrack(MediaTrack::Kind kind, int id) {
    (void)kind;
    (void)id;
    return false;
  }
  // Loads a subtitle file as a track of the open file (or of the file still
  // opening, once it has loaded) and shows it. Its text may be in any of the
  // encodings subtitle files come in.
  virtual bool addSubtitles(const std::string& path) {
    (void)path;
    return false;
  }
  // The speed playback runs at, 1 normal; sound keeps its pitch. It holds
  // for the files that follow; fast forward runs above it and play()
  // returns to it.
  virtual double speed() const { return 1; }
  virtual bool setSpeed(double factor) {
    (void)factor;
    return false;
  }
  // Saves the video's frame on show, at the video's own size, as a PNG
  // file; FrameSaved tells how it went.
  virtual bool saveFrame(const std::string& path) {
    (void)path;
    return false;
  }
  Event<std::string, bool> FrameSaved;
  // A short text over the video for a moment.
  virtual void showText(const std::string& text) { (void)text; }
  // What the file's tags name it; empty when they do not.
  virtual std::string mediaTitle() const { return {}; }

  // Raised on the user-interface thread with the new play state.
  Event<int> PlayStateChange;
  // Raised as each open begins, with its URL; a position set now is where
  // the file starts. Opens that follow each other within one turn (a walk
  // through a folder) each raise it, while the play state stays opening.
  Event<std::string> Opening;
  // Raised as a file that had started is left for another, closed or
  // stopped before its end: its URL, where it was, and its length.
  Event<std::string, double, double> FileLeft;
};

// Longer than any media lasts (31,700 years), and well inside a long.
inline constexpr double kLongestMediaSeconds = 1e12;

// Formats a position or a length the way the engine's texts show it.
std::string formatMediaTime(double seconds);

}  // namespace qm
