// The engine's side of libmpv's events: properties observed, events read on
// the user-interface thread, and video frames drawn when libmpv has one.
#include <mpv/client.h>

#include <QMetaObject>
#include <QObject>
#include <algorithm>

#include "platform/mpv/mpv_engine.h"
#include "platform/mpv/mpv_node.h"
#include "platform/mpv/sw_video_renderer.h"

namespace qm {

namespace {

enum class Property : std::uint64_t {
  TimePos = 1,
  Duration,
  Pause,
  Speed,
  IdleActive,
  EofReached,
  Width,
  Height,
  Tracks,
  Title,
  CoreIdle
};

struct ObservedProperty {
  Property id;
  const char* name;
  mpv_format format;
};

// Observed, and read again for a file libmpv keeps (see readTracksAndTitle).
constexpr const char* kTrackListProperty = "track-list";
constexpr const char* kTitleProperty = "metadata/by-key/title";

constexpr ObservedProperty kObservedProperties[] = {
    // In whole seconds: libmpv reports a value only when it changes, so
    // once a second instead of at every frame (see playback_clock.h).
    {Property::TimePos, "time-pos", MPV_FORMAT_INT64},
    {Property::Duration, "duration", MPV_FORMAT_DOUBLE},
    {Property::Pause, "pause", MPV_FORMAT_FLAG},
    {Property::Speed, "speed", MPV_FORMAT_DOUBLE},
    {Property::IdleActive, "idle-active", MPV_FORMAT_FLAG},
    {Property::EofReached, "eof-reached", MPV_FORMAT_FLAG},
    {Property::Width, "dwidth", MPV_FORMAT_INT64},
    {Property::Height, "dheight", MPV_FORMAT_INT64},
    {Property::Tracks, kTrackListProperty, MPV_FORMAT_NODE},
    {Property::Title, kTitleProperty, MPV_FORMAT_STRING},
    // Whether playback moves on: not paused, seeking, waiting or at the end.
    {Property::CoreIdle, "core-idle", MPV_FORMAT_FLAG},
};

// Until a view or the video gives a size, frames are drawn at this one.
constexpr QSize kFallbackFrameSize(320, 240);

// Tags of the engine's reads, the entry's id below them.
constexpr std::uint64_t kVideoTrackRead = std::uint64_t(1) << 61;
constexpr std::uint64_t kSubtitleRead = std::uint64_t(1) << 60;
constexpr std::uint64_t kDurationRead = std::uint64_t(1) << 59;
constexpr std::uint64_t kPositionRead = std::uint64_t(1) << 58;
constexpr std::uint64_t kTracksRead = std::uint64_t(1) << 57;
constexpr std::uint64_t kTitleRead = std::uint64_t(1) << 56;
constexpr std::uint64_t kEntryBits = kTitleRead - 1;

// A text property's value; a property without a value (a file whose tags
// have no title) reads as empty.
std::string textOf(const mpv_event_property& p) {
  return p.format == MPV_FORMAT_STRING && p.data ? *static_cast<char**>(p.data) : "";
}

std::uint64_t entryBits(std::int64_t entry) { return static_cast<std::uint64_t>(entry) & kEntryBits; }

std::int64_t entryIdOfReply(const mpv_event_command& reply) {
  return integerOf(fieldOf(reply.result, "playlist_entry_id"), -1);
}

}  // namespace

void MpvEngine::observeProperties() {
  for (const ObservedProperty& p : kObservedProperties)
    mpv_observe_property(mpv_, static_cast<std::uint64_t>(p.id), p.name, p.format);
}

void MpvEngine::onWakeup(void* engine) {
  auto* self = static_cast<MpvEngine*>(engine);
  // One queued drain at a time is enough: it reads every pending event.
  if (self->drainPosted_.exchange(true)) return;
  QMetaObject::invokeMethod(
      self->receiver_.get(), [self] { self->drainEvents(); }, Qt::QueuedConnection);
}

void MpvEngine::onFrameDue() {
  if (framePosted_.exchange(true)) return;
  QMetaObject::invokeMethod(
      receiver_.get(), [this] { drawDueFrame(); }, Qt::QueuedConnection);
}

void MpvEngine::drainEvents() {
  // Cleared first, so an event arriving during the drain posts a new one.
  drainPosted_ = false;
  std::weak_ptr<int> alive = lifetime_;
  while (true) {
    const mpv_event* event = mpv_wait_event(mpv_, 0);
    if (event->event_id == MPV_EVENT_NONE) return;
    handleEvent(*event);
    if (alive.expired()) return;
    publishState();  // one change raised per event, so no state is skipped
    if (alive.expired()) return;
  }
}

// Events of an entry other than the one loaded last (a file replaced by a
// newer open, or stopped) are ignored: libmpv still reports them late.
void MpvEngine::handleEvent(const mpv_event& event) {
  switch (event.event_id) {
    case MPV_EVENT_COMMAND_REPLY:
      if (isFrameTag(event.reply_userdata)) {
        frameSaved(event.reply_userdata, event.error >= 0);
        break;
      }
      if (event.reply_userdata == 0 || event.reply_userdata != loadTicket_) break;
      if (phase_ != Phase::Opening && !preloading()) break;
      if (event.error < 0 && preloading())
        preloadPath_.clear();
      else if (event.error < 0)
        fail();
      else
        entryId_ = entryIdOfReply(*static_cast<const mpv_event_command*>(event.data));
      if (event.error >= 0 && entryId_ >= 0 && opened_) held_ = Held{*opened_, entryId_};
      break;
    case MPV_EVENT_START_FILE:
      startedEntryId_ = static_cast<const mpv_event_start_file*>(event.data)->playlist_entry_id;
      break;
    case MPV_EVENT_FILE_LOADED:
      readLoadedTracks((phase_ == Phase::Opening || preloading()) && showingEntry());
      if (phase_ == Phase::Opening && showingEntry() && pendingSeek_ >= 0) {
        seekTo(pendingSeek_);
        pendingSeek_ = -1;
      }
      break;
    case MPV_EVENT_PLAYBACK_RESTART:
      if (showingEntry()) readPosition();  // a seek while paused starts nothing
      if (phase_ == Phase::Opening && showingEntry()) {
        phase_ = Phase::Started;
        // Asked for after libmpv had loaded the file (one opened ahead).
        seekPending();
      }
      if (preloading() && showingEntry()) preloadRestarted_ = true;
      if (held_ && held_->entryId == startedEntryId_) held_->started = true;
      break;
    case MPV_EVENT_END_FILE: {
      const auto* end = static_cast<const mpv_event_end_file*>(event.data);
      if (held_ && end->playlist_entry_id == held_->entryId) held_.reset();
      if (entryId_ < 0 || end->playlist_entry_id != entryId_) break;
      if (preloading()) {
        // Opened ahead and failed: setURL opens it again and reports that.
        preloadPath_.clear();
        entryId_ = -1;
        break;
      }
      if (phase_ != Phase::Opening && phase_ != Phase::Started) break;
      if (end->reason == MPV_END_FILE_REASON_EOF) {
        leaveFile(Phase::Ended);
      } else {
        // An error, or a play list or archive that libmpv would expand into
        // other entries: the engine plays single files only.
        if (end->reason == MPV_END_FILE_REASON_REDIRECT) sendStop();
        fail();
      }
      break;
    }
    case MPV_EVENT_GET_PROPERTY_REPLY:
      readAnswered(event);
      break;
    case MPV_EVENT_PROPERTY_CHANGE:
      handleProperty(event);
      break;
    case MPV_EVENT_SHUTDOWN:
      held_.reset();
      // The player is gone; nothing more will play.
      if (phase_ == Phase::Opening || phase_ == Phase::Started) fail();
      break;
    default:
      break;
  }
}

void MpvEngine::handleProperty(const mpv_event& event) {
  const auto* p = static_cast<const mpv_event_property*>(event.data);
  const bool known = p->format != MPV_FORMAT_NONE && p->data;
  const double number = known && p->format == MPV_FORMAT_DOUBLE ? *static_cast<double*>(p->data) : 0;
  const bool flag = known && p->format == MPV_FORMAT_FLAG && *static_cast<int*>(p->data) != 0;
  const std::int64_t integer = known && p->format == MPV_FORMAT_INT64 ? *static_cast<std::int64_t*>(p->data) : 0;
  // Position and length count only once the file loaded last is in libmpv;
  // the previous file's last values may still arrive after an open.
  const bool ours = phase_ == Phase::Started || ((phase_ == Phase::Opening || preloading()) && showingEntry());
  const auto now = std::chrono::steady_clock::now();

  switch (static_cast<Property>(event.reply_userdata)) {
    case Property::TimePos:
      // Reported as the second is reached. Just after a speed change libmpv
      // may report a moment before the start; a position is never negative.
      if (ours && known) position_.reachedSecond(std::max<double>(0, integer), now);
      if (ours && !known) position_.set(0, now);
      break;
    case Property::CoreIdle:
      position_.setRunning(known && !flag, now);
      if (ours) readPosition();
      break;
    case Property::Duration:
      // Kept after the end, so a stopped file still shows its length.
      if (ours && known) duration_ = number;
      break;
    case Property::Pause:
      paused_ = flag;
      break;
    case Property::Speed:
      if (known) speed_ = number;
      position_.setSpeed(speed_, now);
      break;
    case Property::IdleActive:
    case Property::EofReached:
      // The end is normally seen through END_FILE; this is a safety net so a
      // missed one cannot leave the engine reporting Playing for ever.
      if (flag && phase_ == Phase::Started) leaveFile(Phase::Ended);
      break;
    case Property::Width:
      videoSize_.setWidth(static_cast<int>(integer));
      drawAtVideoSize();
      break;
    case Property::Height:
      videoSize_.setHeight(static_cast<int>(integer));
      drawAtVideoSize();
      break;
    case Property::Tracks:
      if (ours) readTracks(event);
      break;
    case Property::Title:
      if (ours) title_ = textOf(*p);
      break;
  }
}

// Without a view the frame follows the video's size; a still picture whose
// first frame came before libmpv told its size sends no other.
void MpvEngine::drawAtVideoSize() {
  if (!frameSize_.isEmpty() || videoSize_.isEmpty() || !hasVideo() || phase_ != Phase::Started) return;
  renderer_->setSize(videoSize_);
  renderer_->render();
  frameChanged.raise();
}

bool MpvEngine::showingEntry() const { return entryId_ >= 0 && startedEntryId_ == entryId_; }

// Read without waiting: a read that waits for libmpv's core can wait for a
// frame this thread has still to draw, which libmpv gives up on only after
// 200 ms (a file opened ahead while the window is built).
void MpvEngine::readLoadedTracks(bool ownFile) {
  const std::uint64_t entry = entryBits(startedEntryId_);
  mpv_get_property_async(mpv_, kVideoTrackRead | entry, "current-tracks/video/id", MPV_FORMAT_INT64);
  // Answered after the video track: the subtitles beside need both.
  if (ownFile) mpv_get_property_async(mpv_, kSubtitleRead | entry, "sid", MPV_FORMAT_INT64);
}

// Where playback stands exactly, once it starts, stops or lands after a
// seek: the whole seconds reported miss a seek within the same second.
void MpvEngine::readPosition() {
  if (mpv_get_property_async(mpv_, kPositionRead | entryBits(entryId_), "time-pos", MPV_FORMAT_DOUBLE) >= 0)
    positionReads_.push_back(seeks_);
}

// The held file sends no new length when it is taken back.
void MpvEngine::readDuration() {
  mpv_get_property_async(mpv_, kDurationRead | entryBits(entryId_), "duration", MPV_FORMAT_DOUBLE);
}

// A file started over or taken back sends no new track list or title: libmpv
// reports them only when they change, and an open forgot them.
void MpvEngine::readTracksAndTitle() {
  mpv_get_property_async(mpv_, kTracksRead | entryBits(entryId_), kTrackListProperty, MPV_FORMAT_NODE);
  mpv_get_property_async(mpv_, kTitleRead | entryBits(entryId_), kTitleProperty, MPV_FORMAT_STRING);
}

void MpvEngine::readAnswered(const mpv_event& event) {
  const auto entry = static_cast<std::int64_t>(event.reply_userdata & kEntryBits);
  const auto* p = static_cast<const mpv_event_property*>(event.data);
  const bool isDouble = event.reply_userdata & (kDurationRead | kPositionRead);
  const bool known = event.error >= 0 && p->data && p->format == (isDouble ? MPV_FORMAT_DOUBLE : MPV_FORMAT_INT64);
  const bool ours = entry == entryId_ && showingEntry();
  if (event.reply_userdata & kPositionRead) {
    // Answers come in the order asked.
    const std::uint64_t seeksWhenAsked = positionReads_.empty() ? seeks_ : positionReads_.front();
    if (!positionReads_.empty()) positionReads_.pop_front();
    if (seeksWhenAsked != seeks_) return;
    if (known && ours && (phase_ == Phase::Started || phase_ == Phase::Opening || preloading()))
      position_.set(std::max(0.0, *static_cast<double*>(p->data)), std::chrono::steady_clock::now());
  } else if (event.reply_userdata & kDurationRead) {
    if (known && entry == entryId_) duration_ = *static_cast<double*>(p->data);
  } else if (event.reply_userdata & kTracksRead) {
    if (event.error >= 0 && entry == entryId_) readTracks(event);
  } else if (event.reply_userdata & kTitleRead) {
    // A file without a title answers with an error.
    if (entry == entryId_) title_ = event.error >= 0 ? textOf(*p) : "";
  } else if (event.reply_userdata & kVideoTrackRead) {
    if (!known) return;
    videoEntryId_ = entry;
    // A frame of it drawn before the answer was blanked.
    if (ours && blankedEntryId_ == entry && (phase_ == Phase::Started || phase_ == Phase::Opening)) {
      blankedEntryId_ = -1;
      renderer_->render();
      frameChanged.raise();
    }
  } else if (event.reply_userdata & kSubtitleRead) {
    if (ours && (phase_ == Phase::Opening || phase_ == Phase::Started || preloading()))
      fileLoaded(videoEntryId_ == entry, known && *static_cast<std::int64_t*>(p->data) > 0);
  }
}

// --- video ---------------------------------------------------------------------

bool MpvEngine::hasVideo() const { return renderer_ && renderer_->ok(); }

QSize MpvEngine::effectiveFrameSize() const {
  if (!frameSize_.isEmpty()) return frameSize_;
  if (!videoSize_.isEmpty()) return videoSize_;
  return kFallbackFrameSize;
}

void MpvEngine::drawDueFrame() {
  framePosted_ = false;
  if (!hasVideo()) return;
  renderer_->setSize(effectiveFrameSize());
  // libmpv waits for each frame to be drawn, so it is drawn even when it is
  // not shown; a frame left over from a file no longer playing is blanked.
  if (!renderer_->renderIfDue()) return;
  // libmpv draws the last video frame again while a file without video
  // starts after it: a frame counts once the file loaded with a video track.
  const bool current =
      (phase_ == Phase::Started || phase_ == Phase::Opening) && showingEntry() && videoEntryId_ == entryId_;
  if (!current) {
    renderer_->clear();
    // Drawn once libmpv has told whether the file has a video track.
    if ((phase_ == Phase::Started || phase_ == Phase::Opening) && showingEntry()) blankedEntryId_ = entryId_;
  }
  frameChanged.raise();
}

void MpvEngine::setFrameSize(QSize pixels) {
  frameSize_ = pixels;
  if (!hasVideo() || pixels.isEmpty()) return;
  renderer_->setSize(effectiveFrameSize());
  // A paused video or a still picture sends no new frame: draw it again.
  if (phase_ == Phase::Started && !videoSize_.isEmpty()) renderer_->render();
  frameChanged.raise();
}

QImage MpvEngine::frame() const { return hasVideo() ? renderer_->image() : QImage(); }

void MpvEngine::clearFrame() {
  if (!hasVideo()) return;
  if (renderer_->clear()) frameChanged.raise();
}

}  // namespace qm
