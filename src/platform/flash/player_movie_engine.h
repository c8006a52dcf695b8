#pragma once

#include <QPointer>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "model/clock.h"
#include "model/timer.h"
#include "platform/flash_engine.h"
#include "platform/mpv/mpv_engine.h"

class QWidget;

namespace qm {

class Control;
class PlayerMovieBar;

// Our player movie, run natively: it plays the .flv named by "testVar" on a
// media engine of its own, drawn in the Flash area under a small control
// bar. The media engine is made when the first video starts.
//
// The protocol, as the movie keeps it:
// - "testVar" set: the file starts.
// - "testVar2": "vbplay" seeks to "kkk" when it changed and plays, "vbpause"
//   pauses, "vbdown" pauses and seeks to "kkk" (the seek bar held down).
// - "kkk": seek target in seconds, the unit of "total1".
// - Kept current every frame (12 per second): "curent1" and "total1", the
//   position and length in seconds as decimal text with three decimals
//   ("12.345"); "curentvar", the position as "mm:ss" ("h:mm:ss" from an
//   hour on); "timevar", the length in the same form after a "/" ("/03:25"),
//   so the total label shows it as it shows a media file's.
// - At the end of the file (or when it cannot be played) the command
//   "oknext" is sent once.
// - The bar's buttons send "full", "juyuan", "yanshen", "normal", "close".
// The movie's own timeline is one frame that loops: IsPlaying reads true
// while it is loaded.
class PlayerMovieEngine : public FlashEngine {
 public:
  PlayerMovieEngine(Clock& clock, MpvEngine::Options options);
  ~PlayerMovieEngine() override;

  // The video with the bar over it, made on first use, a child of `parent`.
  QWidget* view(Control& area, QWidget* parent);

  bool load(const std::string& path);
  void unload();

  bool setMovie(const std::string& path) override { return load(path); }
  std::string movie() const override { return path_; }
  bool Play() override;
  bool StopPlay() override;
  bool Stop() override;
  bool GotoFrame(long frame) override;
  std::optional<long> TotalFrames() const override;
  std::optional<long> FrameNum() const override;
  bool IsPlaying() const override { return !path_.empty(); }
  int ScaleMode() const override { return scaleMode_; }
  bool setScaleMode(int mode) override;
  bool SetVariable(const std::string& name, const std::string& value) override;
  std::optional<std::string> GetVariable(const std::string& name) const override;

  // The engine playing the video, or null before the first video.
  MpvEngine* media() const { return media_.get(); }
  // What the bar's buttons do.
  void togglePause();
  void seekFraction(double fraction);

 private:
  MpvEngine& ensureMedia();
  void onFrame();
  void seekToTarget();

  MpvEngine::Options options_;
  std::unique_ptr<MpvEngine> media_;
  QPointer<QWidget> view_;
  Control* area_ = nullptr;
  PlayerMovieBar* bar_ = nullptr;
  Timer frames_;
  std::string path_;
  int scaleMode_ = 0;
  std::map<std::string, std::string> variables_;
  bool fileStarted_ = false;
  bool endSent_ = false;
};

}  // namespace qm
