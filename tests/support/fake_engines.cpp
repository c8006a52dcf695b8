#include "support/fake_engines.h"

namespace qm::test {

// A file that had started is left with its place.
void FakeMediaEngine::reportLeaving() {
  if (state_ == play_state::Playing || state_ == play_state::Paused) FileLeft.raise(url_, position_, duration_);
}

bool FakeMediaEngine::setURL(const std::string& path) {
  reportLeaving();
  url_ = path;
  urls.push_back(path);
  calls.push_back("url " + path);
  position_ = 0;
  Opening.raise(path);
  setState(play_state::Transitioning);
  return true;
}

void FakeMediaEngine::close() {
  reportLeaving();
  calls.push_back("close");
  url_.clear();
  setState(play_state::Undefined);
}

bool FakeMediaEngine::play() {
  calls.push_back("play");
  if (url_.empty()) return false;
  setState(play_state::Playing);
  return true;
}

bool FakeMediaEngine::pause() {
  calls.push_back("pause");
  if (url_.empty()) return false;
  setState(play_state::Paused);
  return true;
}

bool FakeMediaEngine::stop() {
  calls.push_back("stop");
  if (url_.empty()) return false;
  reportLeaving();
  setState(play_state::Stopped);
  return true;
}

bool FakeMediaEngine::fastForward() {
  calls.push_back("fastForward");
  return !url_.empty();
}

bool FakeMediaEngine::fastReverse() {
  calls.push_back("fastReverse");
  return !url_.empty();
}

bool FakeMediaEngine::setCurrentPosition(double s) {
  calls.push_back("position " + std::to_string(s));
  if (url_.empty()) return false;
  position_ = s;
  return true;
}

bool FakeMediaEngine::setVolume(int v) {
  if (v < 0 || v > 100) return false;
  volume_ = v;
  return true;
}

bool FakeMediaEngine::setMute(bool on) {
  mute_ = on;
  return true;
}

bool FakeMediaEngine::setBalance(int b) {
  if (b < -100 || b > 100) return false;
  balance_ = b;
  return true;
}

void FakeMediaEngine::setEnabled(bool on) {
  calls.push_back(on ? "enable" : "disable");
  enabled_ = on;
}

bool FakeMediaEngine::selectTrack(MediaTrack::Kind kind, int id) {
  if (url_.empty()) return false;
  for (MediaTrack& track : trackList)
    if (track.kind == kind) track.selected = track.id == id;
  return true;
}

bool FakeMediaEngine::addSubtitles(const std::string& path) {
  if (url_.empty()) return false;
  subtitleFiles.push_back(path);
  return true;
}

bool FakeMediaEngine::setSpeed(double factor) {
  speed_ = factor;
  return true;
}

bool FakeMediaEngine::saveFrame(const std::string& path) {
  if (url_.empty()) return false;
  savedFrames.push_back(path);
  return true;
}

void FakeMediaEngine::setState(int state) {
  if (state_ == state) return;
  state_ = state;
  PlayStateChange.raise(state);
}

bool FakeFlashEngine::setMovie(const std::string& path) {
  calls.push_back("movie " + path);
  movies.push_back(path);
  vars_.clear();
  frame = 0;
  if (failing.count(path)) {
    movie_.clear();
    playing_ = false;
    return false;
  }
  movie_ = path;
  playing_ = true;
  return true;
}

bool FakeFlashEngine::Play() {
  calls.push_back("Play");
  if (movie_.empty()) return false;
  playing_ = true;
  return true;
}

bool FakeFlashEngine::StopPlay() {
  calls.push_back("StopPlay");
  if (movie_.empty()) return false;
  playing_ = false;
  return true;
}

bool FakeFlashEngine::Stop() {
  calls.push_back("Stop");
  if (movie_.empty()) return false;
  playing_ = false;
  return true;
}

bool FakeFlashEngine::GotoFrame(long f) {
  calls.push_back("GotoFrame " + std::to_string(f));
  if (movie_.empty() || f < 0 || f >= totalFrames) return false;
  frame = f;
  return true;
}

std::optional<long> FakeFlashEngine::TotalFrames() const {
  if (movie_.empty() || !framesKnown) return std::nullopt;
  return totalFrames;
}

std::optional<long> FakeFlashEngine::FrameNum() const {
  if (movie_.empty() || !framesKnown) return std::nullopt;
  return frame;
}

bool FakeFlashEngine::setScaleMode(int mode) {
  scaleMode_ = mode;
  return true;
}

bool FakeFlashEngine::SetVariable(const std::string& name, const std::string& value) {
  calls.push_back("set " + name + "=" + value);
  if (movie_.empty()) return false;
  vars_[name] = value;
  return true;
}

std::optional<std::string> FakeFlashEngine::GetVariable(const std::string& name) const {
  if (movie_.empty()) return std::nullopt;
  auto it = vars_.find(name);
  if (it == vars_.end()) return std::nullopt;
  return it->second;
}

bool FakeWebView::Navigate(const std::string& url) {
  calls.push_back("navigate " + url);
  return true;
}

bool FakeWebView::Stop() {
  calls.push_back("stop");
  return true;
}

bool FakeWebView::Quit() {
  calls.push_back("quit");
  return true;
}

bool FakeThumbnailDecoder::answer(bool hasVideo) {
  if (answered == asked.size()) return false;
  const Asked a = asked[answered++];
  Thumbnail t{a.path, a.seconds, nullptr, hasVideo};
  if (hasVideo) {
    QImage picture(a.width, a.width * 9 / 16, QImage::Format_RGB32);
    picture.fill(Qt::gray);
    t.picture = std::make_shared<const QImage>(std::move(picture));
  }
  Decoded.raise(t);
  return true;
}

}  // namespace qm::test
