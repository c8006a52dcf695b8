#include "platform/swf/native_movie_engine.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <string_view>

namespace qm {
namespace {

// The timer has whole milliseconds; 12 fps becomes 83 ms, close enough for
// the movies drawn here. The 8.8 rate tops out below 256 fps, so only the
// slow end needs a limit.
int frameIntervalMs(const swf::SwfFile& file) {
  const double framesPerSecond = std::max(file.frameRate(), 0.01);
  return static_cast<int>(std::lround(1000.0 / framesPerSecond));
}

// SWF 6 and older look names up without regard to case.
constexpr uint8_t kFirstCaseSensitiveVersion = 7;

char lowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool startsWith(std::string_view text, std::string_view prefix, bool caseSensitive) {
  if (text.size() < prefix.size()) return false;
  for (size_t i = 0; i < prefix.size(); ++i) {
    const char a = caseSensitive ? text[i] : lowerAscii(text[i]);
    if (a != prefix[i]) return false;
  }
  return true;
}

}  // namespace

NativeMovieEngine::NativeMovieEngine(Clock& clock) : clock_(clock) {}

bool NativeMovieEngine::playsNatively(const swf::SwfFile& file) { return swf::readDrawnMovie(file).has_value(); }

bool NativeMovieEngine::setMovie(const std::string& path) {
  unload();
  lastError_ = swf::SwfError::kNone;
  lastMovieNeedsRuntime_ = false;

  const std::string identity = swf::fileIdentity(path);
  if (lastNativeMovie_ && !identity.empty() && lastNativeMovie_->path == path &&
      lastNativeMovie_->identity == identity) {
    start(*lastNativeMovie_);
    return true;
  }
  swf::SwfReadResult read = swf::readSwfFile(path);
  if (!read.ok()) {
    lastError_ = read.error;
    return false;
  }
  std::optional<swf::DrawnMovie> drawing = swf::readDrawnMovie(read.file);
  if (!drawing) {
    lastMovieNeedsRuntime_ = true;
    return false;
  }
  lastNativeMovie_ = NativeMovieFacts{path, identity, read.file.version, frameIntervalMs(read.file),
                                      std::make_shared<const swf::DrawnMovie>(std::move(*drawing))};
  start(*lastNativeMovie_);
  return true;
}

bool NativeMovieEngine::loadFirstFrame(const std::string& path, const swf::SwfFile& file) {
  unload();
  std::optional<swf::DrawnMovie> frame = swf::readFirstFrame(file);
  if (!frame) return false;
  start(NativeMovieFacts{
      path, {}, file.version, frameIntervalMs(file), std::make_shared<const swf::DrawnMovie>(std::move(*frame))});
  return true;
}

void NativeMovieEngine::start(const NativeMovieFacts& facts) {
  movie_ = LoadedMovie{facts.path, static_cast<long>(facts.drawing->frames.size()), facts.version, facts.drawing};
  frame_ = 0;
  stoppedByCall_ = false;
  loaded_ = clock_.now();
  entered_ = loaded_;
  playing_ = false;
  intervalMs_ = facts.intervalMs;
  // The first frame's stop() holds the movie as it loads.
  const auto& stops = facts.drawing->stopFrames;
  setPlaying(std::find(stops.begin(), stops.end(), 0u) == stops.end());
}

std::string NativeMovieEngine::movie() const { return movie_ ? movie_->path : std::string(); }

std::optional<uint32_t> NativeMovieEngine::stageColour() const {
  if (!movie_) return std::nullopt;
  return movie_->drawing->stageColour;
}

const swf::DisplayList* NativeMovieEngine::shownFrame() const {
  if (!movie_) return nullptr;
  return movie_->drawing->frames[static_cast<size_t>(currentFrame())].get();
}

bool NativeMovieEngine::Play() {
  if (!movie_) return false;
  stoppedByCall_ = false;
  setPlaying(true);
  return true;
}

bool NativeMovieEngine::StopPlay() {
  if (!movie_) return false;
  stoppedByCall_ = true;
  setPlaying(false);
  return true;
}

bool NativeMovieEngine::restsAtEnd() const {
  return movie_ && movie_->totalFrames > 1 && !stoppedByCall_ && !IsPlaying() &&
         currentFrame() == movie_->totalFrames - 1;
}

bool NativeMovieEngine::Stop() { return StopPlay(); }

bool NativeMovieEngine::GotoFrame(long frame) {
  if (!movie_ || frame < 0 || frame >= movie_->totalFrames) return false;
  playing_ = IsPlaying();  // a stop() on the way has stopped it
  frame_ = frame;
  playStart_ = entered_ = clock_.now();
  // Going to a frame runs its script: a stop() there holds the timeline.
  const auto& stops = movie_->drawing->stopFrames;
  if (std::find(stops.begin(), stops.end(), static_cast<uint32_t>(frame)) != stops.end()) playing_ = false;
  return true;
}

std::optional<long> NativeMovieEngine::TotalFrames() const {
  if (!movie_) return std::nullopt;
  return movie_->totalFrames;
}

std::optional<long> NativeMovieEngine::FrameNum() const {
  if (!movie_) return std::nullopt;
  return currentFrame();
}

bool NativeMovieEngine::IsPlaying() const { return playing_ && !framesToStop(); }

bool NativeMovieEngine::setScaleMode(int mode) {
  if (mode < 0 || mode > 2) return false;
  scaleMode_ = mode;
  return true;
}

bool NativeMovieEngine::SetVariable(const std::string& name, const std::string& value) {
  const std::optional<std::string> key = rootVariableKey(name);
  if (!key) return false;
  variables_[*key] = value;
  return true;
}

std::optional<std::string> NativeMovieEngine::GetVariable(const std::string& name) const {
  const std::optional<std::string> key = rootVariableKey(name);
  if (!key) return std::nullopt;
  const auto found = variables_.find(*key);
  if (found == variables_.end()) return std::nullopt;
  return found->second;
}

void NativeMovieEngine::unload() {
  setPlaying(false);
  movie_.reset();
  frame_ = 0;
  variables_.clear();
}

long NativeMovieEngine::framesPlayed() const {
  if (!movie_ || !playing_ || intervalMs_ <= 0) return 0;
  const auto played = std::chrono::duration_cast<std::chrono::milliseconds>(clock_.now() - playStart_).count();
  return static_cast<long>(std::max<long long>(0, played) / intervalMs_);
}

// How far the playing timeline has gone to the first frame with a stop()
// on its way, the frame it started from not counted; none while it has not
// come to one.
std::optional<long> NativeMovieEngine::framesToStop() const {
  const long played = framesPlayed();
  if (played == 0) return std::nullopt;
  const long total = movie_->totalFrames;
  std::optional<long> nearest;
  for (uint32_t stop : movie_->drawing->stopFrames) {
    long ahead = (static_cast<long>(stop) - frame_ % total + total) % total;
    if (ahead == 0) ahead = total;
    if (ahead <= played && (!nearest || ahead < *nearest)) nearest = ahead;
  }
  return nearest;
}

long NativeMovieEngine::currentFrame() const {
  if (!movie_ || !playing_ || intervalMs_ <= 0) return frame_;
  return (frame_ + framesToStop().value_or(framesPlayed())) % movie_->totalFrames;
}

uint64_t NativeMovieEngine::clockFrames() const {
  if (!movie_ || intervalMs_ <= 0) return 0;
  const auto since = std::chrono::duration_cast<std::chrono::milliseconds>(clock_.now() - loaded_).count();
  return static_cast<uint64_t>(std::max<long long>(0, since) / intervalMs_);
}

// The sooner of the main timeline's next frame and the clips'.
int NativeMovieEngine::untilNextFrame() const {
  if (intervalMs_ <= 0) return intervalMs_;
  auto untilNext = [this](TimePoint from) {
    const auto since = std::chrono::duration_cast<std::chrono::milliseconds>(clock_.now() - from).count();
    return static_cast<int>(intervalMs_ - std::max<long long>(0, since) % intervalMs_);
  };
  const int clips = untilNext(loaded_);
  return playing_ ? std::min(clips, untilNext(playStart_)) : clips;
}

TimePoint NativeMovieEngine::frameEnteredAt() const {
  const long moved = playing_ ? framesToStop().value_or(framesPlayed()) : 0;
  return moved == 0 ? entered_ : playStart_ + std::chrono::milliseconds(moved * intervalMs_);
}

uint64_t NativeMovieEngine::framesSinceEntered() const {
  if (!movie_ || intervalMs_ <= 0) return 0;
  const auto since = std::chrono::duration_cast<std::chrono::milliseconds>(clock_.now() - frameEnteredAt()).count();
  return static_cast<uint64_t>(std::max<long long>(0, since) / intervalMs_);
}

void NativeMovieEngine::setPlaying(bool playing) {
  entered_ = frameEnteredAt();
  frame_ = currentFrame();
  playing_ = playing && movie_ && movie_->totalFrames > 1;
  playStart_ = clock_.now();
}

std::optional<std::string> NativeMovieEngine::rootVariableKey(const std::string& name) const {
  if (!movie_) return std::nullopt;
  const bool caseSensitive = movie_->version >= kFirstCaseSensitiveVersion;
  std::string_view rest = name;
  for (std::string_view root : {"_root.", "_level0.", "/:"}) {
    if (startsWith(rest, root, caseSensitive)) {
      rest.remove_prefix(root.size());
      break;
    }
  }
  if (rest.empty() || rest.find_first_of("./:") != std::string_view::npos) return std::nullopt;
  std::string key(rest);
  if (!caseSensitive) std::transform(key.begin(), key.end(), key.begin(), lowerAscii);
  return key;
}

}  // namespace qm
