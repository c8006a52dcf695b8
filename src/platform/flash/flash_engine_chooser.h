#pragma once

#include <QPointer>
#include <QTimer>
#include <chrono>
#include <memory>
#include <optional>
#include <string>

#include "model/clock.h"
#include "platform/flash/pending_ruffle_movie.h"
#include "platform/flash/player_movie_engine.h"
#include "platform/flash_engine.h"
#include "platform/mpv/mpv_engine.h"
#include "platform/qt/content_view_source.h"
#include "platform/swf/native_movie_engine.h"
#include "platform/web/web_engine_module.h"

namespace qm {

class NativeMovieView;

// The Flash engine of the player: one movie at a time, run by the runtime
// that suits what the movie holds.
// - A movie of shapes alone, or with nothing to show (our empty movie): the
//   native timeline, drawn by the player itself.
// - Our player movie (it carries the player movie's mark): the native
//   player of .flv files.
// - Any other SWF: Ruffle in a web view, from the web engine module loaded on
//   the first such movie (without the module such a movie does not load).
// While Ruffle starts on a movie, the movie's first frame, drawn by the
// player itself where it can be, stands in for Ruffle's.
// A file that is not a readable SWF (missing, truncated, a lying header,
// another format) leaves the engine empty and setMovie returns false.
// Whatever the previous movie was, it is unloaded first. Ruffle's page goes
// a while after its last movie, and comes again with the next one; while a
// movie for Ruffle is expected (expectMovie), it starts ahead and stays.
class FlashEngineChooser : public FlashEngine, public ContentViewSource {
 public:
  struct Options {
    std::string ruffleFolder;
    MpvEngine::Options playerMedia;  // libmpv options of the player movie's video
    // How long Ruffle's page is kept once no movie of its own shows: its
    // page process holds some 200 MB.
    std::chrono::milliseconds ruffleKept{30000};
  };
  FlashEngineChooser(Clock& clock, Options options);
  ~FlashEngineChooser() override;

  QWidget* createView(Control& area, QWidget* parent) override;

  bool setMovie(const std::string& path) override;
  std::string movie() const override { return active().movie(); }
  // For a movie for Ruffle the web engine starts and readies Ruffle, and
  // Ruffle's page stays while the hint holds.
  void expectMovie(const std::string& path) override;
  bool Play() override { return redrawn(active().Play()); }
  bool StopPlay() override { return redrawn(active().StopPlay()); }
  bool Stop() override { return redrawn(active().Stop()); }
  bool GotoFrame(long frame) override { return redrawn(active().GotoFrame(frame)); }
  std::optional<long> TotalFrames() const override { return active().TotalFrames(); }
  std::optional<long> FrameNum() const override { return active().FrameNum(); }
  bool IsPlaying() const override;
  int ScaleMode() const override { return scaleMode_; }
  bool setScaleMode(int mode) override;
  bool SetVariable(const std::string& name, const std::string& value) override {
    return active().SetVariable(name, value);
  }
  std::optional<std::string> GetVariable(const std::string& name) const override { return active().GetVariable(name); }

  // For tests and benchmarks.
  // Null until the first movie for Ruffle has its first frame painted.
  RuffleRuntime* ruffle() { return ruffle_.get(); }
  PlayerMovieEngine& playerMovie() { return playerMovie_; }

 private:
  // RufflePending: a movie for Ruffle waits for its first frame, drawn
  // here, to be painted before Ruffle starts.
  enum class Runtime { Native, PlayerMovie, Ruffle, RufflePending };
  FlashEngine& active();
  const FlashEngine& active() const;
  void unloadAll();
  void showRuntime();
  bool ensureRuffle();
  // The movie read, when it is one for Ruffle.
  std::optional<swf::SwfFile> movieForRuffle(const std::string& path) const;
  void keepRuffleWhileNeeded();
  bool loadForRuffle(const std::string& path, swf::SwfFile file);
  bool ruffleMayStart() const;
  void startPendingRuffle();
  void forwardCommands(FlashEngine& engine);
  // The native movie's view looks at its timeline after each command.
  bool redrawn(bool result);

  NativeMovieEngine native_;
  PlayerMovieEngine playerMovie_;
  PendingRuffleMovie pendingRuffle_;
  std::string ruffleFolder_;
  std::unique_ptr<RuffleRuntime> ruffle_;
  QTimer releaseRuffle_;
  QTimer startRuffle_;  // in case the first frame standing in is not painted
  // The newest expectMovie of a turn is weighed once the turn is over: the
  // list locate opens a whole folder's entries in one.
  QTimer weighExpected_;
  std::string expected_;
  Runtime runtime_ = Runtime::Native;
  // The native view shows the movie's first frame until Ruffle's shows.
  bool firstFrameStandsIn_ = false;
  int scaleMode_ = 0;
  Control* area_ = nullptr;
  QPointer<QWidget> box_;
  QPointer<NativeMovieView> nativeView_;
};

}  // namespace qm
