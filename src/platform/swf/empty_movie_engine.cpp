#include "platform/swf/empty_movie_engine.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <string_view>

#include "platform/swf/swf_tags.h"

namespace qm {
namespace {

// Tags that neither draw, sound nor run anything.
constexpr uint16_t kNothingToShow[] = {
    swf::tag::kEnd,        swf::tag::kShowFrame,    swf::tag::kSetBackgroundColor, swf::tag::kProductInfo,
    swf::tag::kFrameLabel, swf::tag::kScriptLimits, swf::tag::kFileAttributes,     swf::tag::kMetadata,
};

}  // namespace

bool EmptyMovieEngine::showsNothing(const swf::SwfFile& file) {
  return std::all_of(file.tags.begin(), file.tags.end(), [](const swf::Tag& tag) {
    return std::find(std::begin(kNothingToShow), std::end(kNothingToShow), tag.code) != std::end(kNothingToShow);
  });
}

namespace {

long countFrames(const swf::SwfFile& file) {
  const auto shown = std::count_if(file.tags.begin(), file.tags.end(),
                                   [](const swf::Tag& tag) { return tag.code == swf::tag::kShowFrame; });
  // Without any ShowFrame the End tag closes the one frame.
  return std::max<long>(1, shown);
}

// The timer has whole milliseconds; 12 fps becomes 83 ms, close enough for a
// movie that shows nothing. The 8.8 rate tops out below 256 fps, so only the
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

EmptyMovieEngine::EmptyMovieEngine(Clock& clock) : clock_(clock) {}

bool EmptyMovieEngine::setMovie(const std::string& path) {
  unload();
  lastError_ = swf::SwfError::kNone;
  lastMovieHadContent_ = false;

  const std::string identity = swf::fileIdentity(path);
  if (lastEmptyMovie_ && !identity.empty() && lastEmptyMovie_->path == path && lastEmptyMovie_->identity == identity) {
    start(*lastEmptyMovie_);
    return true;
  }
  swf::SwfReadResult read = swf::readSwfFile(path);
  if (!read.ok()) {
    lastError_ = read.error;
    return false;
  }
  if (!showsNothing(read.file)) {
    lastMovieHadContent_ = true;
    return false;
  }
  lastEmptyMovie_ = EmptyMovieFacts{path,
                                    identity,
                                    countFrames(read.file),
                                    read.file.version,
                                    frameIntervalMs(read.file),
                                    swf::stageColour(read.file)};
  start(*lastEmptyMovie_);
  return true;
}

void EmptyMovieEngine::start(const EmptyMovieFacts& facts) {
  movie_ = LoadedMovie{facts.path, facts.totalFrames, facts.version, facts.stageColour};
  frame_ = 0;
  playing_ = false;
  intervalMs_ = facts.intervalMs;
  setPlaying(true);
}

std::string EmptyMovieEngine::movie() const { return movie_ ? movie_->path : std::string(); }

std::optional<uint32_t> EmptyMovieEngine::stageColour() const {
  if (!movie_) return std::nullopt;
  return movie_->stageColour;
}

bool EmptyMovieEngine::Play() {
  if (!movie_) return false;
  setPlaying(true);
  return true;
}

bool EmptyMovieEngine::StopPlay() {
  if (!movie_) return false;
  setPlaying(false);
  return true;
}

bool EmptyMovieEngine::Stop() { return StopPlay(); }

bool EmptyMovieEngine::GotoFrame(long frame) {
  if (!movie_ || frame < 0 || frame >= movie_->totalFrames) return false;
  frame_ = frame;
  playStart_ = clock_.now();
  return true;
}

std::optional<long> EmptyMovieEngine::TotalFrames() const {
  if (!movie_) return std::nullopt;
  return movie_->totalFrames;
}

std::optional<long> EmptyMovieEngine::FrameNum() const {
  if (!movie_) return std::nullopt;
  return currentFrame();
}

bool EmptyMovieEngine::IsPlaying() const { return playing_; }

bool EmptyMovieEngine::setScaleMode(int mode) {
  if (mode < 0 || mode > 2) return false;
  scaleMode_ = mode;
  return true;
}

bool EmptyMovieEngine::SetVariable(const std::string& name, const std::string& value) {
  const std::optional<std::string> key = rootVariableKey(name);
  if (!key) return false;
  variables_[*key] = value;
  return true;
}

std::optional<std::string> EmptyMovieEngine::GetVariable(const std::string& name) const {
  const std::optional<std::string> key = rootVariableKey(name);
  if (!key) return std::nullopt;
  const auto found = variables_.find(*key);
  if (found == variables_.end()) return std::nullopt;
  return found->second;
}

void EmptyMovieEngine::unload() {
  setPlaying(false);
  movie_.reset();
  frame_ = 0;
  variables_.clear();
}

// The frame is worked out from the time played when asked, rather than
// counted by a timer: nothing in the player needs to wake up 12 times a
// second for a movie that shows nothing.
long EmptyMovieEngine::currentFrame() const {
  if (!movie_ || !playing_ || intervalMs_ <= 0) return frame_;
  const auto played = std::chrono::duration_cast<std::chrono::milliseconds>(clock_.now() - playStart_).count();
  return (frame_ + std::max<long long>(0, played) / intervalMs_) % movie_->totalFrames;
}

void EmptyMovieEngine::setPlaying(bool playing) {
  frame_ = currentFrame();
  playing_ = playing && movie_ && movie_->totalFrames > 1;
  playStart_ = clock_.now();
}

std::optional<std::string> EmptyMovieEngine::rootVariableKey(const std::string& name) const {
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
