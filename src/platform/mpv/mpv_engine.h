#pragma once

#include <QImage>
#include <QSize>
#include <atomic>
#include <cstdint>
#include <deque>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "model/event.h"
#include "platform/media_engine.h"
#include "platform/mpv/playback_clock.h"
#include "platform/qt/content_view_source.h"

struct mpv_handle;
struct mpv_event;
class QObject;

namespace qm {

class DecoderThreads;
class SoftwareVideoRenderer;

// The media engine over libmpv: one libmpv player per engine.
//
// Needs a running Qt event loop and is used from the thread that made it
// (the user-interface thread). libmpv's own threads only post a call to it;
// the engine then reads all pending libmpv events and keeps the latest
// position, length and state, so the getters never wait on libmpv. Commands
// are sent asynchronously for the same reason: the video is drawn on this
// thread, and a blocking call here while libmpv waits for that drawing would
// stall playback.
//
// Behaviour worth knowing:
// - playState: Transitioning from setURL until playback starts; Playing,
//   Paused, ScanForward (fast forward); Stopped once the file ended, failed
//   (missing, corrupt, a folder, a play list) or stop() was called;
//   Undefined before the first open and after close(). PlayStateChange is
//   raised for every change.
// - fastForward() plays at kFastForwardSpeed. libmpv cannot play backwards,
//   so fastReverse() steps back kReverseStepSeconds per call and plays on
//   forwards at normal speed. play() returns to normal speed.
// - A still picture stays shown (state Playing, or Paused) until the next
//   open; its length is 0.
// - MIDI files reach libmpv as a WAV stream the synthesizer fills as it is
//   read (midi_stream.h); URL() still names the MIDI file.
// - Made with Startup::OnFirstUse, libmpv starts at the first setURL: an
//   engine that may never play costs no memory or start-up time until then.
//   Volume, mute and balance set before are kept and applied then.
// - enabled() is only a flag kept for the player: a disabled engine still
//   plays; the video view ignores the mouse while it is off.
// - play() after a failed file does not retry it (that would loop at once
//   for a caller that answers Stopped with play()); set the URL again.
// - close() forgets the URL; stop() keeps it, and play() then starts the
//   file again from the beginning.
class MpvEngine : public MediaEngine, public ContentViewSource {
 public:
  enum class Video { Shown, None };
  // libmpv options set after the engine's own, before the player starts
  // (tests send the sound to a file with ao=pcm, for example).
  using Options = std::vector<std::pair<std::string, std::string>>;

  static constexpr double kFastForwardSpeed = 5.0;
  static constexpr double kReverseStepSeconds = 5.0;

  enum class Startup { Now, OnFirstUse };

  explicit MpvEngine(Video video, Options extraOptions = {}, Startup startup = Startup::Now);
  ~MpvEngine() override;
  // The picture of the video, painted by the software renderer.
  QWidget* createView(Control& area, QWidget* parent) override;
  MpvEngine(const MpvEngine&) = delete;
  MpvEngine& operator=(const MpvEngine&) = delete;

  // False when libmpv could not be started; every call then fails.
  bool ready() const { return mpv_ != nullptr || !startFailed_; }
  // Whether libmpv runs yet (for an engine started on first use).
  bool started() const { return mpv_ != nullptr; }

  bool setURL(const std::string& path) override;
  // Opens the file paused while nothing shows it; a setURL of the same file
  // before any other open takes it over where it got to.
  void preload(const std::string& path) override;
  std::string URL() const override { return url_; }
  void close() override;
  int playState() const override { return published_; }

  bool play() override;
  bool pause() override;
  bool stop() override;
  bool fastForward() override;
  bool fastReverse() override;

  double currentPosition() const override;
  bool setCurrentPosition(double seconds) override;
  std::string currentPositionString() const override;
  double duration() const override;
  std::string durationString() const override;

  int volume() const override { return volume_; }
  bool setVolume(int volume) override;
  bool mute() const override { return mute_; }
  bool setMute(bool on) override;
  int balance() const override { return balance_; }
  bool setBalance(int balance) override;

  bool enabled() const override { return enabled_; }
  void setEnabled(bool on) override { enabled_ = on; }

  // Tracks, subtitles, speed, frames saved, texts over the video. The
  // subtitle files beside a video are loaded once it has loaded; text in
  // another encoding than UTF-8 reaches libmpv converted (subtitle_files.h).
  std::vector<MediaTrack> tracks() const override { return tracks_; }
  bool selectTrack(MediaTrack::Kind kind, int id) override;
  bool addSubtitles(const std::string& path) override;
  double speed() const override { return userSpeed_; }
  bool setSpeed(double factor) override;
  bool saveFrame(const std::string& path) override;
  void showText(const std::string& text) override;
  std::string mediaTitle() const override { return title_; }

  // Video (engines made with Video::Shown and a working renderer).
  bool hasVideo() const;
  // The size to draw frames at, in device pixels: the view's size. Until a
  // view sets one, frames are drawn at the video's own size.
  void setFrameSize(QSize pixels);
  // The latest frame, letterboxed on black; black when nothing is shown.
  QImage frame() const;
  // Raised on the user-interface thread when frame() changed.
  Event<> frameChanged;

  // A counter of libmpv's ("frame-drop-count", "vo-delayed-frame-count"),
  // read at once; nothing when it has none. For measurements: the call
  // waits for libmpv.
  std::optional<std::int64_t> counter(const char* name) const;

 private:
  // Where a file stands in libmpv; the play state is derived from it.
  enum class Phase { Closed, Opening, Started, Ended };

  bool startMpv();
  void setOptions(Video video, const Options& extra);
  void observeProperties();
  // Called on libmpv's threads: they only post a call to this thread.
  static void onWakeup(void* engine);
  void onFrameDue();
  void drainEvents();
  void handleEvent(const mpv_event& event);
  void handleProperty(const mpv_event& event);
  void drawDueFrame();
  bool showingEntry() const;
  // Reads that do not wait for libmpv, answered as events: whether the
  // loaded file has a video track, the subtitle it shows when the file is
  // the engine's own, the length of the file taken back.
  void readLoadedTracks(bool ownFile);
  void readDuration();
  void readTracksAndTitle();
  void readAnswered(const mpv_event& event);
  QSize effectiveFrameSize() const;
  void drawAtVideoSize();
  void clearFrame();

  void beginOpen();
  void reportLeaving();
  void loadSubtitles(const std::string& path, const std::string& language, bool select);
  void fileLoaded(bool video, bool subtitleShown);
  void readTracks(const mpv_event& event);
  void frameSaved(std::uint64_t tag, bool ok);
  static bool isFrameTag(std::uint64_t tag);
  bool startFile();
  void queueLoad(std::string path);
  void queueStop();
  void postTurnEnd();
  void sendQueued();
  void loadIntoMpv(const std::string& path);
  void sendStop();
  // libmpv's loadfile for the file: MIDI and far oversized PNGs go through
  // the player's own streams, with the options that file needs.
  std::vector<std::string> loadCommand(const std::string& path) const;
  void leaveFile(Phase next);
  void fail();
  int derivedState() const;
  void publishState();

  bool command(std::vector<std::string> args, std::uint64_t tag = 0);
  bool seekTo(double seconds);
  bool setFlag(const char* name, bool value);
  bool setDouble(const char* name, double value);
  bool setString(const char* name, const std::string& value);

  Video video_;
  Options extraOptions_;
  mpv_handle* mpv_ = nullptr;
  bool startFailed_ = false;
  // Expires with the engine: an event handler may delete it mid-drain.
  std::shared_ptr<int> lifetime_ = std::make_shared<int>(0);
  std::unique_ptr<QObject> receiver_;  // queued calls land here; deleting it drops them
  std::unique_ptr<SoftwareVideoRenderer> renderer_;
  std::unique_ptr<DecoderThreads> decoderThreads_;
  std::atomic<bool> drainPosted_{false};
  std::atomic<bool> framePosted_{false};
  QSize frameSize_;  // set by the view
  QSize videoSize_;  // the video's display size, from libmpv

  std::string url_;
  Phase phase_ = Phase::Closed;
  bool failed_ = false;
  // Each loadfile is tagged with a new ticket; libmpv answers with the
  // playlist entry it made, and only events of that entry count.
  std::uint64_t loadTicket_ = 0;
  std::int64_t entryId_ = -1;
  std::int64_t startedEntryId_ = -1;
  std::int64_t videoEntryId_ = -1;    // the last entry that loaded with a video track
  std::int64_t blankedEntryId_ = -1;  // a frame of it was blanked before that was known
  double pendingSeek_ = -1;           // asked for while the file was still opening
  // What waits for the end of the turn of the event loop: the newest open
  // (queuedPath_) or the stop of a refused one.
  enum class Queued { Nothing, Load, Stop };
  Queued queued_ = Queued::Nothing;
  std::string queuedPath_;
  bool turnEndPosted_ = false;  // the call at the end of this turn is posted
  // The file opened ahead (absolute path), its ticket, and whether libmpv
  // has shown its first frame.
  std::string preloadPath_;
  std::uint64_t preloadTicket_ = 0;
  bool preloadRestarted_ = false;
  bool preloading() const { return !preloadPath_.empty() && loadTicket_ == preloadTicket_; }
  bool adoptPreload(const std::string& path);
  // The file handed to libmpv last, as it was on disk then; libmpv's answer
  // to the load makes it the held file below.
  struct OpenedFile {
    std::string path;  // absolute
    std::filesystem::file_time_type written;
    std::uintmax_t size = 0;
    bool operator==(const OpenedFile&) const = default;
  };
  static std::optional<OpenedFile> openedFile(const std::string& absolutePath);
  std::optional<OpenedFile> opened_;
  bool restartOpenFile(const std::string& path);
  // The file libmpv has loaded, its entry and whether it has played: an
  // open of it that ends a turn takes it back rather than loading it again.
  struct Held {
    OpenedFile file;
    std::int64_t entryId = -1;
    bool started = false;
  };
  std::optional<Held> held_;
  bool holdsUnchanged(const std::string& path) const;
  bool takeBackHeld(const std::string& path);
  void startOver(double seconds);
  // Sends the seek asked for while the file opened, if there is one.
  void seekPending();
  void setStartFlags();
  bool pauseWanted_ = false;

  // Between libmpv's reports, once a second, the position runs on here.
  PlaybackClock position_;
  // Seeks asked for so far, and that count when each exact read still on
  // its way was asked: a read asked before the latest seek answers with a
  // place the player has already left.
  std::uint64_t seeks_ = 0;
  std::deque<std::uint64_t> positionReads_;
  void readPosition();
  double duration_ = 0;
  bool paused_ = false;
  double speed_ = 1;
  // The speed chosen for playing; fast forward runs above it.
  double userSpeed_ = 1;
  int published_ = play_state::Undefined;
  std::vector<MediaTrack> tracks_;
  std::string title_;
  // Subtitle files added while the file still opened: loaded once it has.
  std::vector<std::string> pendingSubtitles_;
  // Frames being saved, by the tag of their command.
  std::vector<std::pair<std::uint64_t, std::string>> savingFrames_;
  std::uint64_t frameTicket_ = 0;

  int volume_ = 50;
  bool mute_ = false;
  int balance_ = 0;
  bool enabled_ = true;
};

}  // namespace qm
