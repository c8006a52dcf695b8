#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>

#include "model/clock.h"
#include "platform/flash_engine.h"
#include "platform/swf/drawn_movie.h"
#include "platform/swf/swf_file.h"

namespace qm {

// The Flash engine for movies drawn without a Flash runtime (see
// swf::readDrawnMovie): shapes, bitmaps, static text and clips of them on a
// timeline, with at most a stop() or play() in their frames (a clip that
// comes to a stop() stays on that frame; the view draws clips). The player's own
// empty movie is one, as are stills and simple animations made by hand.
// Such a movie loads and its timeline plays at the movie's frame rate and
// loops, stopping at a frame whose script says so, as a real Flash control
// plays it; a view draws the frame shown. Any movie with other scripts,
// sounds or anything else fails to load and leaves the engine empty; a later
// engine hosts a real Flash runtime.
//
// Control behaviour, matching the Flash control:
// - setMovie unloads the current movie first, whatever the new one turns out
//   to be, and clears the root variables.
// - The timeline is the frames the file holds (its ShowFrame tags), whatever
//   count its header states. Rates below 0.01 frames per second, the Flash
//   Player's slowest, play at that rate (a rate of 0 among them).
// - A one-frame timeline has nothing to advance: it loads stopped, and Play
//   leaves it so.
// - StopPlay and Stop both halt the timeline on its current frame (hosts pair
//   Stop with a rewind when they want the first frame).
// - GotoFrame moves to a 0-based frame and keeps the play state; a frame
//   outside the timeline fails and changes nothing. The frame's script runs,
//   as it does whenever the timeline comes to a frame.
// - A frame's script may stop or play the timeline, or send it to another
//   frame (whose script runs in turn), stopping there unless it plays on.
// - SetVariable and GetVariable address root variables: plain names, or names
//   under "_root.", "_level0." or "/:". Names are case-sensitive from SWF 7
//   on, as in ActionScript. There are no child clips, so other paths fail.
// - ScaleMode belongs to the control and works with or without a movie.
// - Such a movie has no other script, so FSCommand is never raised.
// The timeline is moved on to the time played when asked, rather than by a
// timer: nothing needs to wake up for a movie whose frames all show the
// same.
class NativeMovieEngine : public FlashEngine {
 public:
  explicit NativeMovieEngine(Clock& clock);

  bool setMovie(const std::string& path) override;
  std::string movie() const override;

  bool Play() override;
  bool StopPlay() override;
  bool Stop() override;
  bool GotoFrame(long frame) override;
  std::optional<long> TotalFrames() const override;
  std::optional<long> FrameNum() const override;
  bool IsPlaying() const override;
  int ScaleMode() const override { return scaleMode_; }
  bool setScaleMode(int mode) override;
  bool SetVariable(const std::string& name, const std::string& value) override;
  std::optional<std::string> GetVariable(const std::string& name) const override;

  // Leaves the engine empty.
  void unload();
  // Loads the first frame of a movie that `file` holds and a Flash runtime
  // plays, still, to show while the runtime starts; false, and empty, when
  // that frame cannot be drawn here (see swf::readFirstFrame).
  bool loadFirstFrame(const std::string& path, const swf::SwfFile& file);
  // Whether a movie holds nothing but what this engine plays.
  static bool playsNatively(const swf::SwfFile& file);
  // Why the last setMovie failed, kNone after a successful load.
  swf::SwfError lastError() const { return lastError_; }
  // Whether the last failure was a readable movie that needs a Flash runtime.
  bool lastMovieNeedsRuntime() const { return lastMovieNeedsRuntime_; }
  // Whether a movie of more than one frame has come to its last frame and
  // stopped there by its own stop(), rather than by StopPlay: the end of a
  // movie that does not loop.
  bool restsAtEnd() const;
  // Milliseconds between frames of the loaded movie.
  int frameInterval() const { return intervalMs_; }
  // Frames at the movie's rate since it loaded: the time of its clips,
  // which play on whatever the main timeline does, as in Flash.
  uint64_t clockFrames() const;
  // Frames at the movie's rate the clip at `depth` of the frame shown has
  // played: since the main timeline placed it (it plays on while the
  // timeline stands still, and through moves to frames that have it too),
  // or since the movie loaded for a clip there from the start.
  uint64_t clipFramesPassed(uint16_t depth) const;
  // Milliseconds until the main timeline or the clips move to their next
  // frame.
  int untilNextFrame() const;
  // The loaded movie's stage colour (0xRRGGBB), under what it draws.
  std::optional<uint32_t> stageColour() const;
  // The loaded movie's shapes and frames; null without a movie.
  std::shared_ptr<const swf::DrawnMovie> drawing() const { return movie_ ? movie_->drawing : nullptr; }
  // What the current frame shows; null without a movie. Frames that change
  // nothing give the same list.
  const swf::DisplayList* shownFrame() const;

 private:
  struct LoadedMovie {
    std::string path;
    long totalFrames = 1;
    uint8_t version = 0;
    std::shared_ptr<const swf::DrawnMovie> drawing;
  };

  // What a load needs of a movie, kept for the file last loaded: the player
  // reloads its empty movie before every media file it opens.
  struct NativeMovieFacts {
    std::string path;
    std::string identity;  // size, change time and inode of the file read
    uint8_t version = 0;
    int intervalMs = 0;
    std::shared_ptr<const swf::DrawnMovie> drawing;
  };
  // The main timeline as it runs: moved on frame by frame when asked, up to
  // now, each frame's script run as the timeline comes to it.
  struct Run {
    long frame = 0;
    bool playing = false;
    long steps = 0;  // frames moved since playStart_
    // When each clip of the frame shown was placed, in frames of the
    // movie's clock, by depth.
    std::map<uint16_t, uint64_t> placedAt;
  };
  void start(const NativeMovieFacts& facts);
  void setPlaying(bool playing);
  void catchUp() const;
  void enter(long frame, TimePoint at) const;
  uint64_t clockFramesAt(TimePoint at) const;
  long currentFrame() const;
  long framesPlayed() const;
  std::optional<std::string> rootVariableKey(const std::string& name) const;

  Clock& clock_;
  std::optional<LoadedMovie> movie_;
  // Caught up whenever asked; while playing the timeline moves one frame
  // per interval since playStart_.
  mutable Run run_;
  mutable TimePoint playStart_;
  TimePoint loaded_;
  int intervalMs_ = 0;
  bool stoppedByCall_ = false;
  int scaleMode_ = 0;
  std::map<std::string, std::string> variables_;
  swf::SwfError lastError_ = swf::SwfError::kNone;
  bool lastMovieNeedsRuntime_ = false;
  std::optional<NativeMovieFacts> lastNativeMovie_;
};

}  // namespace qm
