#pragma once

#include <QPointer>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <chrono>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "platform/swf/host_movie.h"
#include "platform/web/web_engine_module.h"

class QWidget;
class QWebEngineProfile;
class QWebEngineView;
class QJsonObject;

namespace qm {

class PageFiles;

// Movies with something to show, run by Ruffle inside a Qt WebEngine view.
// The web engine is started on the first movie only (or by warmUp, when the
// player expects one), so a player that never meets a real Flash movie never
// pays for it; it then stays, so the next movie starts warm.
//
// The page gets the newest movie of a turn of the event loop, at its end.
// Each load builds a new Ruffle in the page, which takes longer than
// anything else a warm movie waits for, so a movie opened again before its
// first frame, unchanged on disk and not steered by a call since (Stop,
// GotoFrame, SetVariable), is left to go on.
//
// An AVM1 movie is loaded by a host movie of ours (host_movie.h) that gives
// the frame and variable operations the runtime lacks. The page asks the
// host for the timeline every 50 ms and the engine keeps the latest answer,
// so the getters never wait on the web engine: right after a load, or a
// moment after GotoFrame, they read the state last reported. AVM2 movies are
// loaded directly: they play, with the frame count of their header, no
// current frame, and no variables.
//
// The page is the player's own, in a profile of its own kept in memory,
// served through PageFiles (no port). What a movie reaches: its own timeline,
// the host movie, fscommand (reported to the engine's FSCommand) and loads
// of the files the page is served. What it does not: any function of the
// page (ExternalInterface.call), javascript: URLs, another page in the view
// or in a new window (getURL does nothing), and anything beyond the page's
// origin; see the page's content security policy in ruffle_page.h.
//
// When the web engine's page process ends (a crash, or killed), the movie
// is unloaded and the page loads again in a new process.
//
// IsPlaying reads false once a movie of more than one frame has rested on
// its last frame for a while (stopped at its end), and when the runtime
// could not load the movie. A movie held by StopPlay elsewhere (the seek bar
// held down) still reads as playing: the end watch asks IsPlaying every
// second and would otherwise skip a movie the user is only seeking in.
class RuffleEngine : public RuffleRuntime {
 public:
  // `ruffleFolder` holds ruffle.js and its files.
  explicit RuffleEngine(std::string ruffleFolder);
  ~RuffleEngine() override;

  // Where the web view goes once it exists.
  void setViewParent(QWidget* parent) override;
  // The web view, or null while the web engine has not been needed.
  QWidget* view() const override;

  bool load(const std::string& path, const swf::SwfFile& file) override;
  void unload() override;
  void warmUp() override;

  bool setMovie(const std::string& path) override;
  std::string movie() const override { return path_; }
  bool Play() override;
  bool StopPlay() override;
  bool Stop() override { return StopPlay(); }
  bool GotoFrame(long frame) override;
  std::optional<long> TotalFrames() const override;
  std::optional<long> FrameNum() const override;
  bool IsPlaying() const override;
  int ScaleMode() const override { return scaleMode_; }
  bool setScaleMode(int mode) override;
  bool SetVariable(const std::string& name, const std::string& value) override;
  std::optional<std::string> GetVariable(const std::string& name) const override;

 private:
  // The movie the page was last told to load.
  struct PageMovie {
    std::string path;      // empty: none
    std::string identity;  // the file's when it was loaded
    int serial = 0;
    bool started = false;  // it reported its first frame
    bool steered = false;  // a call other than Play reached it
    bool failed = false;
    long frames = 0;  // as the runtime read them
    int scaleMode = 0;
  };

  bool ensureWebEngine();
  void clearMovie();
  bool pageLoadsUnchanged(const std::string& path) const;
  void behind();
  void syncPage();
  void loadInPage(const std::string& path, bool driven, const swf_writer::HostStage& stage);
  void forgetPageFiles();
  void steer(const QString& script);
  void loadPage();
  void onPageProcessGone();
  void run(const QString& script);
  void onPageReady(bool ok);
  void onMessage(const QString& text);
  void onState(const QString& state);
  void onJson(const QJsonObject& message);

  std::string ruffleFolder_;
  std::unique_ptr<QWebEngineProfile> profile_;
  PageFiles* files_ = nullptr;  // the profile's
  QPointer<QWidget> parent_;
  // Owned by the screen once placed there: the screen may delete it first.
  QPointer<QWebEngineView> view_;
  bool pageReady_ = false;
  QString pendingScript_;  // the load waiting for the page
  int serial_ = 0;
  PageMovie page_;
  // The engine's movie reaches the page at the end of the turn, and the
  // calls made for it after it.
  bool pageBehind_ = false;
  QTimer syncPage_;
  QStringList afterSync_;
  bool steersAfterSync_ = false;
  bool warm_ = false;  // the runtime has been readied in this page

  std::string path_;
  bool driven_ = false;
  swf_writer::HostStage stage_;
  bool failed_ = false;
  bool stoppedByCall_ = false;
  long totalFrames_ = 0;
  std::optional<long> frame_;
  std::chrono::steady_clock::time_point frameSince_;
  int frameIntervalMs_ = 83;
  int scaleMode_ = 0;
  std::map<std::string, std::string> variables_;
};

}  // namespace qm
