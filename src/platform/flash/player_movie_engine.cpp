#include "platform/flash/player_movie_engine.h"

#include <QWidget>
#include <cmath>
#include <cstdio>

#include "platform/flash/movie_root_name.h"
#include "platform/flash/player_movie_bar.h"
#include "platform/player_movie_protocol.h"

namespace qm {
namespace {

constexpr int kFrameMs = 83;  // the movie's 12 frames per second

std::string seconds(double value) {
  char text[40];
  std::snprintf(text, sizeof text, "%.3f", std::isfinite(value) && value > 0 ? value : 0.0);
  return text;
}

std::optional<double> number(const std::string& text) {
  char* end = nullptr;
  const double value = std::strtod(text.c_str(), &end);
  if (text.empty() || *end || !std::isfinite(value)) return std::nullopt;
  return value;
}

}  // namespace

PlayerMovieEngine::PlayerMovieEngine(Clock& clock, MpvEngine::Options options)
    : options_(std::move(options)), frames_("player movie frames", clock, kFrameMs) {
  frames_.Tick.connect([this] { onFrame(); });
}

PlayerMovieEngine::~PlayerMovieEngine() {
  frames_.setEnabled(false);
  delete view_.data();
}

// The video's engine and its view come with the first file: the movie
// loaded without one (the stop button's reset) runs nothing.
MpvEngine& PlayerMovieEngine::ensureMedia() {
  if (!media_) media_ = std::make_unique<MpvEngine>(MpvEngine::Video::Shown, options_);
  if (view_ && area_ && !bar_->hasVideo()) bar_->placeIn(view_, media_->createView(*area_, view_));
  return *media_;
}

QWidget* PlayerMovieEngine::view(Control& area, QWidget* parent) {
  if (view_) return view_;
  area_ = &area;
  auto* box = new QWidget(parent);
  box->setAutoFillBackground(true);
  box->setStyleSheet("background:#000");
  bar_ = new PlayerMovieBar(box);
  bar_->command = [this](const std::string& cmd) { FSCommand.raise(cmd, std::string()); };
  bar_->pauseToggled = [this] { togglePause(); };
  bar_->seekTo = [this](double fraction) { seekFraction(fraction); };
  bar_->placeIn(box, media_ ? media_->createView(area, box) : nullptr);
  view_ = box;
  return box;
}

bool PlayerMovieEngine::load(const std::string& path) {
  unload();
  path_ = path;
  variables_ = {{player_movie::kPosition, "0"},
                {player_movie::kLength, "0"},
                {player_movie::kPositionText, "00:00"},
                {player_movie::kLengthText, "/00:00"}};
  return true;
}

void PlayerMovieEngine::unload() {
  frames_.setEnabled(false);
  if (media_ && fileStarted_) media_->close();
  path_.clear();
  variables_.clear();
  fileStarted_ = false;
  endSent_ = false;
}

bool PlayerMovieEngine::Play() {
  if (path_.empty()) return false;
  if (media_ && fileStarted_ && media_->playState() == play_state::Paused) media_->play();
  return true;
}

bool PlayerMovieEngine::StopPlay() {
  if (path_.empty()) return false;
  if (media_ && fileStarted_) media_->pause();
  return true;
}

bool PlayerMovieEngine::Stop() {
  if (path_.empty()) return false;
  if (media_ && fileStarted_) media_->stop();
  return true;
}

bool PlayerMovieEngine::GotoFrame(long frame) { return !path_.empty() && frame == 0; }

std::optional<long> PlayerMovieEngine::TotalFrames() const {
  if (path_.empty()) return std::nullopt;
  return 1;
}

std::optional<long> PlayerMovieEngine::FrameNum() const {
  if (path_.empty()) return std::nullopt;
  return 0;
}

bool PlayerMovieEngine::setScaleMode(int mode) {
  if (mode < 0 || mode > 2) return false;
  scaleMode_ = mode;
  return true;
}

bool PlayerMovieEngine::SetVariable(const std::string& name, const std::string& value) {
  if (path_.empty()) return false;
  const std::string key = movieRootName(name);
  if (key.empty()) return false;
  // The same file told again (the open and the next-video step both tell
  // it) plays on rather than starting over.
  const bool sameFile = key == player_movie::kFile && fileStarted_ && variables_[key] == value;
  variables_[key] = value;
  if (key == player_movie::kFile && !sameFile) {
    fileStarted_ = ensureMedia().setURL(value);
    endSent_ = false;
    frames_.setEnabled(fileStarted_);
  } else if (key == player_movie::kControl && media_ && fileStarted_) {
    if (value == player_movie::kPlay) {
      seekToTarget();
      media_->play();
    } else if (value == player_movie::kPause) {
      media_->pause();
    } else if (value == player_movie::kSeekBarDown) {
      media_->pause();
      seekToTarget();
    }
  }
  return true;
}

void PlayerMovieEngine::seekToTarget() {
  const auto found = variables_.find(player_movie::kSeekTarget);
  if (found == variables_.end()) return;
  const std::optional<double> target = number(found->second);
  if (!target || *target < 0) return;
  if (std::abs(*target - media_->currentPosition()) < 0.001) return;
  media_->setCurrentPosition(*target);
}

std::optional<std::string> PlayerMovieEngine::GetVariable(const std::string& name) const {
  if (path_.empty()) return std::nullopt;
  const auto found = variables_.find(movieRootName(name));
  if (found == variables_.end()) return std::nullopt;
  return found->second;
}

void PlayerMovieEngine::togglePause() {
  if (!media_ || !fileStarted_) return;
  if (media_->playState() == play_state::Paused)
    media_->play();
  else
    media_->pause();
}

void PlayerMovieEngine::seekFraction(double fraction) {
  if (!media_ || !fileStarted_ || !(media_->duration() > 0)) return;
  media_->setCurrentPosition(std::clamp(fraction, 0.0, 1.0) * media_->duration());
}

void PlayerMovieEngine::onFrame() {
  if (!media_ || !fileStarted_) return;
  const double position = media_->currentPosition(), length = media_->duration();
  variables_[player_movie::kPosition] = seconds(position);
  variables_[player_movie::kLength] = seconds(length);
  variables_[player_movie::kPositionText] = formatMediaTime(position);
  variables_[player_movie::kLengthText] = "/" + formatMediaTime(length);
  if (bar_) bar_->showTime(position, length, media_->playState() == play_state::Paused);
  const int state = media_->playState();
  // Stopped only once the file ended or failed; the engine is never Stopped
  // while the file still opens.
  if (state == play_state::Stopped && !endSent_) {
    endSent_ = true;
    FSCommand.raise(player_movie::kEnded, std::string());
  }
}

}  // namespace qm
