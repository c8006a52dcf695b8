#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/flash_engine.h"
#include "platform/media_engine.h"
#include "platform/thumbnail_decoder.h"
#include "platform/web_view.h"

namespace qm::test {

// A media engine that records what it was told. A new URL opens
// (Transitioning) until the test says it plays, ends or fails.
class FakeMediaEngine : public MediaEngine {
 public:
  bool setURL(const std::string& path) override;
  std::string URL() const override { return url_; }
  void close() override;
  int playState() const override { return state_; }
  bool play() override;
  bool pause() override;
  bool stop() override;
  bool fastForward() override;
  bool fastReverse() override;
  double currentPosition() const override { return position_; }
  bool setCurrentPosition(double s) override;
  std::string currentPositionString() const override { return url_.empty() ? "" : formatMediaTime(position_); }
  double duration() const override { return duration_; }
  std::string durationString() const override { return url_.empty() ? "" : formatMediaTime(duration_); }
  int volume() const override { return volume_; }
  bool setVolume(int v) override;
  bool mute() const override { return mute_; }
  bool setMute(bool on) override;
  int balance() const override { return balance_; }
  bool setBalance(int b) override;
  bool enabled() const override { return enabled_; }
  void setEnabled(bool on) override;
  std::vector<MediaTrack> tracks() const override { return trackList; }
  bool selectTrack(MediaTrack::Kind kind, int id) override;
  bool addSubtitles(const std::string& path) override;
  double speed() const override { return speed_; }
  bool setSpeed(double factor) override;
  bool saveFrame(const std::string& path) override;
  void showText(const std::string& text) override { texts.push_back(text); }
  std::string mediaTitle() const override { return title; }

  // Test controls.
  void setState(int state);  // raises PlayStateChange
  void finish() { setState(play_state::Stopped); }
  void setDuration(double s) { duration_ = s; }
  void setPosition(double s) { position_ = s; }

  std::vector<std::string> calls;  // "url <path>", "play", "pause", "close" ...
  std::vector<std::string> urls;   // every URL written
  std::vector<MediaTrack> trackList;
  std::vector<std::string> subtitleFiles, savedFrames, texts;
  std::string title;

 private:
  std::string url_;
  int state_ = play_state::Undefined;
  double position_ = 0, duration_ = 0;
  int volume_ = 50, balance_ = 0;
  bool mute_ = false, enabled_ = true;
  double speed_ = 1;
  void reportLeaving();
};

// A Flash engine whose movies all load (unless listed as failing) and play
// until the test ends them.
class FakeFlashEngine : public FlashEngine {
 public:
  bool setMovie(const std::string& path) override;
  std::string movie() const override { return movie_; }
  void expectMovie(const std::string& path) override { expected = path; }
  bool Play() override;
  bool StopPlay() override;
  bool Stop() override;
  bool GotoFrame(long frame) override;
  std::optional<long> TotalFrames() const override;
  std::optional<long> FrameNum() const override;
  bool IsPlaying() const override { return !movie_.empty() && playing_; }
  int ScaleMode() const override { return scaleMode_; }
  bool setScaleMode(int mode) override;
  bool SetVariable(const std::string& name, const std::string& value) override;
  std::optional<std::string> GetVariable(const std::string& name) const override;

  void endMovie() { playing_ = false; }

  std::set<std::string> failing;    // paths that do not load
  std::vector<std::string> calls;   // "movie <path>", "Play", "set testVar=<v>" ...
  std::vector<std::string> movies;  // every path loaded
  std::string expected;             // the newest expectMovie
  long totalFrames = 100;
  long frame = 0;
  bool framesKnown = true;  // false: the runtime has not read the movie yet

 private:
  std::string movie_;
  bool playing_ = false;
  int scaleMode_ = 0;
  std::map<std::string, std::string> vars_;
};

class FakeWebView : public WebView {
 public:
  bool Navigate(const std::string& url) override;
  bool Stop() override;
  bool Quit() override;
  std::vector<std::string> calls;
};

// A thumbnail decoder that holds every request until the test answers it.
class FakeThumbnailDecoder : public ThumbnailDecoder {
 public:
  struct Asked {
    std::string path;
    double seconds = 0;
    int width = 0;
  };
  void request(const std::string& path, double seconds, int width) override { asked.push_back({path, seconds, width}); }
  void release() override { ++releases; }

  // Answers the oldest request not answered yet: a grey picture of the
  // asked width, or none for a file without video. False when none waits.
  bool answer(bool hasVideo = true);
  size_t waiting() const { return asked.size() - answered; }

  std::vector<Asked> asked;
  size_t answered = 0;
  int releases = 0;
};

}  // namespace qm::test
