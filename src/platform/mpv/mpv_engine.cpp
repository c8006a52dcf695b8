#include "platform/mpv/mpv_engine.h"

#include <mpv/client.h>

#include <QMetaObject>
#include <QObject>
#include <algorithm>
#include <charconv>
#include <clocale>
#include <cmath>
#include <filesystem>
#include <system_error>
#include <utility>

#include "model/media_types.h"
#include "platform/mpv/balance_filter.h"
#include "platform/mpv/decoder_threads.h"
#include "platform/mpv/media_view.h"
#include "platform/mpv/midi_stream.h"
#include "platform/mpv/picture_decode_scale.h"
#include "platform/mpv/reduced_png.h"
#include "platform/mpv/sw_video_renderer.h"

namespace qm {

namespace {

// Written with a dot whatever the locale: libmpv parses it so.
std::string decimal(double value) {
  char text[32];
  auto end = std::to_chars(text, text + sizeof text, value).ptr;
  return std::string(text, end);
}

// The skin's font family, for subtitles and texts over the video.
constexpr const char* kTextFont = "WenQuanYi Micro Hei";

// How long a still picture in a file named as media shows before it ends.
constexpr int kStillInMediaSeconds = 5;

bool namedAsPicture(const std::string& path) {
  const std::string extension = std::filesystem::path(path).extension().string();
  return !extension.empty() && kindOfExtension(extension.substr(1)) == MediaKind::Picture;
}

// libmpv's per-file options, "name=value,name=value".
std::string joinOptions(const std::vector<std::string>& options) {
  std::string joined;
  for (const std::string& option : options) joined += (joined.empty() ? "" : ",") + option;
  return joined;
}

}  // namespace

MpvEngine::MpvEngine(Video video, Options extraOptions, Startup startup)
    : video_(video), extraOptions_(std::move(extraOptions)), receiver_(std::make_unique<QObject>()) {
  if (startup == Startup::Now) startMpv();
}

bool MpvEngine::startMpv() {
  if (mpv_) return true;
  if (startFailed_) return false;
  startFailed_ = true;  // until it has worked
  // libmpv refuses to start under a locale that writes numbers with a comma,
  // and QApplication adopts the user's locale.
  std::setlocale(LC_NUMERIC, "C");
  mpv_ = mpv_create();
  if (!mpv_) return false;
  setOptions(video_, extraOptions_);
  if (mpv_initialize(mpv_) < 0) {
    mpv_terminate_destroy(mpv_);
    mpv_ = nullptr;
    return false;
  }
  startFailed_ = false;
  addMidiProtocol(mpv_);
  addReducedPngProtocol(mpv_);
  observeProperties();
  mpv_set_wakeup_callback(mpv_, &MpvEngine::onWakeup, this);
  // The render context must exist before the first file is loaded, or
  // libmpv picks no video output for it.
  if (video_ == Video::Shown) renderer_ = std::make_unique<SoftwareVideoRenderer>(mpv_, [this] { onFrameDue(); });
  // Unless the options given name the count themselves.
  const bool threadsGiven = std::any_of(extraOptions_.begin(), extraOptions_.end(),
                                        [](const auto& option) { return option.first == "vd-lavc-threads"; });
  if (video_ == Video::Shown && !threadsGiven) decoderThreads_ = std::make_unique<DecoderThreads>(mpv_);
  return true;
}

MpvEngine::~MpvEngine() {
  if (mpv_) mpv_set_wakeup_callback(mpv_, nullptr, nullptr);
  renderer_.reset();  // frees the render context while the player still runs
  decoderThreads_.reset();
  if (mpv_) mpv_terminate_destroy(mpv_);
  receiver_.reset();  // drops calls still queued for this engine
}

void MpvEngine::setOptions(Video video, const Options& extra) {
  const Options own = {
      {"idle", "yes"},
      {"keep-open", "no"},
      {"image-display-duration", "inf"},  // a still picture stays until the next open
      {"hr-seek", "yes"},                 // seeks land where asked, not on a key frame
      {"input-default-bindings", "no"},
      {"input-vo-keyboard", "no"},
      {"osc", "no"},
      {"osd-level", "0"},  // nothing drawn over the video
      {"terminal", "no"},
      {"config", "no"},  // the user's mpv.conf must not change the engine
      {"load-scripts", "no"},
      {"load-auto-profiles", "no"},  // no Lua state just for the user's profiles
      {"ytdl", "no"},
      {"load-stats-overlay", "no"},
      {"load-osd-console", "no"},
      {"audio-display", "no"},            // no cover art as video
      {"audio-fallback-to-null", "yes"},  // without a sound card files still play in time
      {"volume", std::to_string(volume_)},
      {"mute", mute_ ? "yes" : "no"},
      {"af", balanceFilter(balance_)},
      {"vo", video == Video::Shown ? "libmpv" : "null"},
      {"vid", video == Video::Shown ? "auto" : "no"},
      // Frames are drawn on the user-interface thread; do not let libmpv
      // hold it until the frame's display time.
      {"video-timing-offset", "0"},
      // Colour conversion and scaling on one thread: slicing each frame over
      // threads costs 40 % more CPU per frame for a gain in time too small
      // to matter at the sizes a window shows.
      {"zimg-threads", "1"},
      // Moving video is scaled bilinear (widened when it shrinks, so it does
      // not alias): about a third less CPU per frame than lanczos, the same
      // filter mpv's own GPU output uses by default. Still pictures, drawn
      // once and looked at, keep lanczos (see loadCommand).
      {"zimg-scaler", "bilinear"},
      // The engine loads the subtitle files beside a video itself, with
      // their text in UTF-8 whatever it was written in.
      {"sub-auto", "no"},
      // The skin's font family; libass takes another font with the glyphs
      // for those it lacks.
      {"sub-font", kTextFont},
      {"osd-font", kTextFont},
  };
  // An option this libmpv does not know is skipped; the rest still apply.
  for (const auto& [name, value] : own) mpv_set_option_string(mpv_, name.c_str(), value.c_str());
  for (const auto& [name, value] : extra) mpv_set_option_string(mpv_, name.c_str(), value.c_str());
}

// --- sending to libmpv -------------------------------------------------------

bool MpvEngine::command(std::vector<std::string> args, std::uint64_t tag) {
  if (!mpv_) return false;
  std::vector<const char*> argv;
  for (const std::string& a : args) argv.push_back(a.c_str());
  argv.push_back(nullptr);
  return mpv_command_async(mpv_, tag, argv.data()) >= 0;
}

bool MpvEngine::setFlag(const char* name, bool value) {
  int flag = value ? 1 : 0;
  return mpv_ && mpv_set_property_async(mpv_, 0, name, MPV_FORMAT_FLAG, &flag) >= 0;
}

bool MpvEngine::setDouble(const char* name, double value) {
  return mpv_ && mpv_set_property_async(mpv_, 0, name, MPV_FORMAT_DOUBLE, &value) >= 0;
}

bool MpvEngine::setString(const char* name, const std::string& value) {
  const char* text = value.c_str();
  return mpv_ && mpv_set_property_async(mpv_, 0, name, MPV_FORMAT_STRING, &text) >= 0;
}

std::optional<std::int64_t> MpvEngine::counter(const char* name) const {
  std::int64_t value = 0;
  if (!mpv_ || mpv_get_property(mpv_, name, MPV_FORMAT_INT64, &value) < 0) return std::nullopt;
  return value;
}

// --- opening and transport ---------------------------------------------------

bool MpvEngine::setURL(const std::string& path) {
  if (!startMpv()) return false;
  reportLeaving();
  if (path.empty()) {
    close();
    return true;
  }
  if (adoptPreload(path) || restartOpenFile(path)) return true;
  url_ = path;
  failed_ = false;
  duration_ = 0;
  return startFile();
}

void MpvEngine::preload(const std::string& path) {
  // MIDI is left out: its stream is made when the file is opened.
  if (path.empty() || isMidiPath(path) || !startMpv() || phase_ != Phase::Closed) return;
  std::error_code ec;
  const std::filesystem::path absolute = std::filesystem::absolute(path, ec);
  if (ec || !std::filesystem::is_regular_file(absolute, ec) || preloadPath_ == absolute.string()) return;
  preloadPath_ = absolute.string();
  opened_ = openedFile(preloadPath_);
  preloadTicket_ = ++loadTicket_;
  preloadRestarted_ = false;
  entryId_ = -1;
  setFlag("pause", true);
  if (!command(loadCommand(preloadPath_), preloadTicket_)) preloadPath_.clear();
}

// The file opened ahead becomes the open file, reported as any other open
// is: opening, then playing as soon as libmpv showed its first frame.
bool MpvEngine::adoptPreload(const std::string& path) {
  if (!preloading()) return false;
  std::error_code ec;
  const bool same = std::filesystem::absolute(path, ec).string() == preloadPath_ && !ec;
  preloadPath_.clear();
  if (!same) return false;
  const std::uint64_t ticket = loadTicket_;
  url_ = path;
  failed_ = false;
  paused_ = false;
  speed_ = userSpeed_;
  position_.setSpeed(speed_, std::chrono::steady_clock::now());
  pauseWanted_ = false;
  pendingSeek_ = -1;
  phase_ = Phase::Opening;
  setFlag("pause", false);
  Opening.raise(url_);
  if (ticket != loadTicket_) return true;
  publishState();
  // A state handler may have opened something else meanwhile; a file still
  // opening is reported playing when libmpv starts it, as any other.
  if (ticket != loadTicket_ || !preloadRestarted_) return true;
  phase_ = Phase::Started;
  seekPending();
  // Its first frame was blanked while nothing showed it.
  if (hasVideo()) {
    renderer_->render();
    frameChanged.raise();
  }
  publishState();
  return true;
}

// A new open starts from the beginning at normal speed, whatever the file
// before did.
void MpvEngine::beginOpen() {
  tracks_.clear();
  title_.clear();
  pendingSubtitles_.clear();
  phase_ = Phase::Opening;
  position_.set(0, std::chrono::steady_clock::now());
  pendingSeek_ = -1;
  paused_ = false;
  speed_ = userSpeed_;
  position_.setSpeed(speed_, std::chrono::steady_clock::now());
  pauseWanted_ = false;
}

bool MpvEngine::startFile() {
  preloadPath_.clear();
  const std::uint64_t ticket = ++loadTicket_;
  beginOpen();
  entryId_ = -1;
  clearFrame();
  Opening.raise(url_);
  if (ticket != loadTicket_) return true;
  publishState();
  if (ticket != loadTicket_) return true;  // a state handler opened something else

  std::error_code ec;
  const std::filesystem::path absolute = std::filesystem::absolute(url_, ec);
  // libmpv would play a folder's files as a play list; the engine plays
  // files only. An absolute path is also never taken for a network URL.
  if (ec || std::filesystem::is_directory(absolute, ec)) {
    queueStop();  // what played goes, as with any open, unless the turn takes it back
    fail();
    publishState();
    return false;
  }
  queueLoad(absolute.string());
  return true;
}

std::optional<MpvEngine::OpenedFile> MpvEngine::openedFile(const std::string& absolutePath) {
  std::error_code ec;
  OpenedFile file{absolutePath, std::filesystem::last_write_time(absolutePath, ec), 0};
  if (!ec) file.size = std::filesystem::file_size(absolutePath, ec);
  if (ec) return std::nullopt;
  return file;
}

// The list locate opens the command-line file again just after it started.
// An open of the file that is playing, unchanged on disk, starts it over
// from the beginning and is reported as any open is (opening, then playing
// once libmpv has moved there), without libmpv probing and loading it a
// second time. Pictures are loaded again as before.
bool MpvEngine::restartOpenFile(const std::string& path) {
  if (phase_ != Phase::Started || queued_ != Queued::Nothing || !holdsUnchanged(path)) return false;
  const std::uint64_t ticket = ++loadTicket_;
  url_ = path;
  beginOpen();
  Opening.raise(url_);
  if (ticket != loadTicket_) return true;
  publishState();
  if (ticket != loadTicket_) return true;  // a state handler opened something else
  readTracksAndTitle();
  // A place asked for as it opened (a file going on where it was left).
  startOver(pendingSeek_ >= 0 ? pendingSeek_ : 0);
  pendingSeek_ = -1;
  return true;
}

// libmpv keeps the file and moves to `seconds`; the seek's restart reports
// the file playing.
void MpvEngine::startOver(double seconds) {
  setStartFlags();
  if (!seekTo(seconds)) {
    fail();
    publishState();
  }
}

// The list locate walks a folder in one turn, opening entries on its way
// and, when the file that plays is the first of its folder, ending on it
// after a folder's empty entry. The file libmpv holds, unchanged on disk,
// is taken back here instead of being stopped, probed and loaded again.
bool MpvEngine::takeBackHeld(const std::string& path) {
  if (!holdsUnchanged(path)) return false;
  entryId_ = held_->entryId;
  readDuration();
  readTracksAndTitle();
  if (held_->started) {
    startOver(pendingSeek_ >= 0 ? pendingSeek_ : 0);
    pendingSeek_ = -1;
  } else {
    // Still opening: it starts from the beginning, and a seek asked
    // meanwhile is sent once it has loaded.
    setStartFlags();
  }
  return true;
}

// Pictures are loaded again rather than taken back.
bool MpvEngine::holdsUnchanged(const std::string& path) const {
  if (!held_ || namedAsPicture(path)) return false;
  std::error_code ec;
  const std::filesystem::path absolute = std::filesystem::absolute(path, ec);
  return !ec && openedFile(absolute.string()) == held_->file;
}

// An open plays at normal speed, unless a pause was asked while it opened.
void MpvEngine::setStartFlags() {
  setFlag("pause", pauseWanted_);
  setDouble("speed", userSpeed_);
}

void MpvEngine::queueLoad(std::string path) {
  queuedPath_ = std::move(path);
  queued_ = Queued::Load;
  postTurnEnd();
}

void MpvEngine::queueStop() {
  queuedPath_.clear();
  queued_ = Queued::Stop;
  postTurnEnd();
}

// Requests made within one turn of the event loop reach libmpv as one, the
// newest, when the turn ends: walking a whole folder (the list locate selects
// every entry on its way) would otherwise flood libmpv, which refuses
// requests once a thousand wait unanswered, and lose the open that counts.
// While libmpv holds no file the first request goes at once, so it opens
// and decodes on its own threads while the start-up still builds the window.
void MpvEngine::postTurnEnd() {
  if (turnEndPosted_) return;
  turnEndPosted_ = true;
  if (!held_) sendQueued();
  QMetaObject::invokeMethod(
      receiver_.get(),
      [this] {
        turnEndPosted_ = false;
        sendQueued();
      },
      Qt::QueuedConnection);
}

void MpvEngine::sendQueued() {
  const Queued what = std::exchange(queued_, Queued::Nothing);
  const std::string path = std::exchange(queuedPath_, {});
  if (what == Queued::Stop) sendStop();
  if (what != Queued::Load || phase_ != Phase::Opening) return;  // closed or stopped meanwhile
  if (takeBackHeld(path)) return;
  setStartFlags();
  opened_ = openedFile(path);  // the walk's merged opens are not looked at
  loadIntoMpv(path);
}

void MpvEngine::loadIntoMpv(const std::string& path) {
  held_.reset();
  if (!command(loadCommand(path), loadTicket_)) {
    fail();
    publishState();
  }
}

std::vector<std::string> MpvEngine::loadCommand(const std::string& path) const {
  std::string target = path;
  // Options given with the file hold for that file only.
  std::vector<std::string> options;
  if (isMidiPath(path)) {
    target = midiStreamUri(path);
  } else if (const int step = jpegReductionStep(path); step > 0) {
    options.push_back("vd-lavc-o=lowres=" + std::to_string(step));
  } else if (pngReductionFactor(path) > 1) {
    target = reducedPngUri(path);
    options.push_back(kReducedPngFormatOption);
  }
  // A still picture in a file named as media (a PNG called .au) ends like a
  // short clip, so the end watch moves the play list on; under a picture's
  // name it stays until the next open, scaled with the sharper filter, and an
  // animation (a GIF) runs round rather than going black after its last frame.
  if (namedAsPicture(path)) {
    options.push_back("zimg-scaler=lanczos");
    options.push_back("loop-file=inf");
  } else {
    options.push_back("image-display-duration=" + std::to_string(kStillInMediaSeconds));
  }
  return {"loadfile", target, "replace", joinOptions(options)};
}

// Later reports of the file left behind are ignored (entryId_ no longer
// matches), and its picture goes.
void MpvEngine::leaveFile(Phase next) {
  phase_ = next;
  entryId_ = -1;
  position_.set(0, std::chrono::steady_clock::now());
  pendingSeek_ = -1;
  clearFrame();
}

void MpvEngine::sendStop() {
  held_.reset();
  command({"stop"});
}

void MpvEngine::fail() {
  failed_ = true;
  leaveFile(Phase::Ended);
}

void MpvEngine::close() {
  if (!mpv_) return;
  reportLeaving();
  queued_ = Queued::Nothing;
  queuedPath_.clear();
  preloadPath_.clear();
  ++loadTicket_;
  sendStop();
  url_.clear();
  failed_ = false;
  duration_ = 0;
  leaveFile(Phase::Closed);
  publishState();
}

bool MpvEngine::stop() {
  if (!mpv_ || url_.empty()) return false;
  if (phase_ == Phase::Ended) return true;
  reportLeaving();
  queued_ = Queued::Nothing;
  queuedPath_.clear();
  ++loadTicket_;
  sendStop();
  leaveFile(Phase::Ended);
  publishState();
  return true;
}

bool MpvEngine::play() {
  if (!mpv_ || url_.empty()) return false;
  switch (phase_) {
    case Phase::Started:
      setDouble("speed", userSpeed_);
      return setFlag("pause", false);
    case Phase::Opening:
      pauseWanted_ = false;
      return queued_ == Queued::Load || setFlag("pause", false);
    case Phase::Ended:
      // After stop() or the end the file starts again from the beginning.
      return !failed_ && startFile();
    case Phase::Closed:
      break;
  }
  return false;
}

bool MpvEngine::pause() {
  if (phase_ != Phase::Started && phase_ != Phase::Opening) return false;
  pauseWanted_ = true;
  if (queued_ == Queued::Load) return true;  // the queued open starts paused
  return setFlag("pause", true);
}

bool MpvEngine::fastForward() {
  if (phase_ != Phase::Started) return false;
  setFlag("pause", false);
  return setDouble("speed", kFastForwardSpeed);
}

bool MpvEngine::fastReverse() {
  if (phase_ != Phase::Started) return false;
  setDouble("speed", userSpeed_);
  return seekTo(std::max(0.0, currentPosition() - kReverseStepSeconds));
}

// --- position ----------------------------------------------------------------

double MpvEngine::currentPosition() const {
  if (phase_ != Phase::Started) return 0;
  const double position = position_.at(std::chrono::steady_clock::now());
  return duration_ > 0 ? std::min(position, duration_) : position;
}

bool MpvEngine::setCurrentPosition(double seconds) {
  if (!std::isfinite(seconds) || seconds < 0) return false;
  if (phase_ == Phase::Opening) {
    // libmpv refuses seeks until the file is loaded; it is sent then.
    pendingSeek_ = seconds;
    return true;
  }
  if (phase_ != Phase::Started) return false;
  return seekTo(seconds);
}

void MpvEngine::seekPending() {
  if (pendingSeek_ < 0) return;
  seekTo(pendingSeek_);
  pendingSeek_ = -1;
}

// The position is the target from the moment the seek is asked, as libmpv
// reports it while seeking: a key held down steps on from where the last
// press went, not from where the picture still is.
bool MpvEngine::seekTo(double seconds) {
  if (!command({"seek", decimal(seconds), "absolute+exact"})) return false;
  ++seeks_;
  position_.set(duration_ > 0 ? std::min(seconds, duration_) : seconds, std::chrono::steady_clock::now());
  return true;
}

std::string MpvEngine::currentPositionString() const {
  return url_.empty() ? std::string() : formatMediaTime(currentPosition());
}

double MpvEngine::duration() const { return phase_ == Phase::Closed ? 0 : duration_; }

std::string MpvEngine::durationString() const { return url_.empty() ? std::string() : formatMediaTime(duration()); }

// --- sound -------------------------------------------------------------------

// Before libmpv starts (an engine started on first use) the values are kept
// and become its options then.

bool MpvEngine::setVolume(int volume) {
  if (!ready()) return false;
  volume_ = std::clamp(volume, 0, 100);
  return !mpv_ || setDouble("volume", volume_);
}

bool MpvEngine::setMute(bool on) {
  if (!ready()) return false;
  mute_ = on;
  return !mpv_ || setFlag("mute", on);
}

bool MpvEngine::setBalance(int balance) {
  if (!ready()) return false;
  balance_ = std::clamp(balance, -100, 100);
  // The whole chain is replaced: changing one filter's parameters in place
  // is unreliable in libmpv 0.35.
  return !mpv_ || setString("af", balanceFilter(balance_));
}

// --- play state --------------------------------------------------------------

int MpvEngine::derivedState() const {
  switch (phase_) {
    case Phase::Closed:
      return play_state::Undefined;
    case Phase::Opening:
      return play_state::Transitioning;
    case Phase::Ended:
      return play_state::Stopped;
    case Phase::Started:
      if (paused_) return play_state::Paused;
      return speed_ > userSpeed_ + 1e-6 ? play_state::ScanForward : play_state::Playing;
  }
  return play_state::Undefined;
}

void MpvEngine::publishState() {
  const int state = derivedState();
  if (state == published_) return;
  published_ = state;  // before raising: handlers may change it again
  PlayStateChange.raise(state);
}

QWidget* MpvEngine::createView(Control& area, QWidget* parent) { return new MediaView(area, *this, parent); }

}  // namespace qm
