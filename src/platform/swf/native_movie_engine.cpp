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
  stoppedByCall_ = false;
  loaded_ = playStart_ = clock_.now();
  intervalMs_ = facts.intervalMs;
  run_ = Run{};
  run_.playing = movie_->totalFrames > 1;
  for (const swf::Placement& placed : *facts.drawing->frames.front())
    if (facts.drawing->clips.count(placed.characterId)) run_.placedAt[placed.depth] = 0;
  // The first frame's script runs as the movie loads.
  enter(0, loaded_);
  run_.playing = run_.playing && movie_->totalFrames > 1;
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
  catchUp();  // a stop() on the way has stopped it
  playStart_ = clock_.now();
  run_.steps = 0;
  enter(frame, playStart_);
  run_.playing = run_.playing && movie_->totalFrames > 1;
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

bool NativeMovieEngine::IsPlaying() const {
  catchUp();
  return movie_ && run_.playing;
}

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
  movie_.reset();
  run_ = Run{};
  variables_.clear();
}

long NativeMovieEngine::framesPlayed() const {
  if (!movie_ || !run_.playing || intervalMs_ <= 0) return 0;
  const auto played = std::chrono::duration_cast<std::chrono::milliseconds>(clock_.now() - playStart_).count();
  return static_cast<long>(std::max<long long>(0, played) / intervalMs_);
}

// Moves the playing timeline on, frame by frame, to where the time played
// has taken it. Far behind (the program was held up), it drops the frames
// past a bound rather than hold the program up longer, as Flash does.
void NativeMovieEngine::catchUp() const {
  constexpr long kMostSteps = 1 << 16;
  long due = framesPlayed();
  if (due - run_.steps > kMostSteps) {
    const long dropped = due - run_.steps - kMostSteps;
    playStart_ += std::chrono::milliseconds(dropped * intervalMs_);
    due -= dropped;
  }
  while (run_.playing && run_.steps < due) {
    ++run_.steps;
    enter((run_.frame + 1) % movie_->totalFrames, playStart_ + std::chrono::milliseconds(run_.steps * intervalMs_));
  }
}

// Comes to a frame at `at` and runs its script (its moves followed through
// already, see swf::DrawnMovie::scripts); a clip the frame before showed too
// (the same clip, placed by the same tag) keeps its time.
void NativeMovieEngine::enter(long frame, TimePoint at) const {
  const swf::DrawnMovie& drawing = *movie_->drawing;
  const swf::DisplayList& before = *drawing.frames[static_cast<size_t>(run_.frame)];
  run_.frame = frame;
  if (const auto script = drawing.scripts.find(static_cast<uint32_t>(frame)); script != drawing.scripts.end()) {
    if (script->second.play) run_.playing = *script->second.play;
    if (script->second.goTo) run_.frame = static_cast<long>(*script->second.goTo);
  }
  const swf::DisplayList& shown = *drawing.frames[static_cast<size_t>(run_.frame)];
  if (&shown == &before) return;
  std::map<uint16_t, uint64_t> placedAt;
  const uint64_t now = clockFramesAt(at);
  for (const swf::Placement& placed : shown) {
    if (!drawing.clips.count(placed.characterId)) continue;
    const auto was = std::lower_bound(before.begin(), before.end(), placed.depth,
                                      [](const swf::Placement& p, uint16_t depth) { return p.depth < depth; });
    const bool kept = was != before.end() && was->depth == placed.depth && was->characterId == placed.characterId &&
                      was->placedAt == placed.placedAt;
    const auto time = run_.placedAt.find(placed.depth);
    placedAt[placed.depth] = kept && time != run_.placedAt.end() ? time->second : now;
  }
  run_.placedAt = std::move(placedAt);
}

long NativeMovieEngine::currentFrame() const {
  catchUp();
  return run_.frame;
}

uint64_t NativeMovieEngine::clockFramesAt(TimePoint at) const {
  if (!movie_ || intervalMs_ <= 0) return 0;
  const auto since = std::chrono::duration_cast<std::chrono::milliseconds>(at - loaded_).count();
  return static_cast<uint64_t>(std::max<long long>(0, since) / intervalMs_);
}

uint64_t NativeMovieEngine::clockFrames() const { return clockFramesAt(clock_.now()); }

uint64_t NativeMovieEngine::clipFramesPassed(uint16_t depth) const {
  catchUp();
  const auto placed = run_.placedAt.find(depth);
  const uint64_t now = clockFrames();
  return placed == run_.placedAt.end() ? 0 : now - std::min(now, placed->second);
}

// The sooner of the main timeline's next frame and the clips'.
int NativeMovieEngine::untilNextFrame() const {
  if (intervalMs_ <= 0) return intervalMs_;
  auto untilNext = [this](TimePoint from) {
    const auto since = std::chrono::duration_cast<std::chrono::milliseconds>(clock_.now() - from).count();
    return static_cast<int>(intervalMs_ - std::max<long long>(0, since) % intervalMs_);
  };
  const int clips = untilNext(loaded_);
  return IsPlaying() ? std::min(clips, untilNext(playStart_)) : clips;
}

void NativeMovieEngine::setPlaying(bool playing) {
  catchUp();
  run_.playing = playing && movie_ && movie_->totalFrames > 1;
  run_.steps = 0;
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
