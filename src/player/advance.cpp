#include "player/advance.h"

#include "forms/player_context.h"
#include "platform/player_movie_protocol.h"
#include "player/advancing.h"
#include "player/flash_host.h"
#include "player/media_kind.h"

namespace qm {

namespace {

// Only a Flash movie goes to the Flash engine: handing it anything else
// leaves it empty, which would read as a finished movie and skip on.
void loadIfFlashMovie(PlayerContext& p) {
  if (selectedKind(p.form.File1) == MediaKind::FlashMovie) p.form.ShockwaveFlash1.engine().setMovie(p.state.PlayFile);
}

// Only pictures and media go to the media engine: a Flash movie there would
// fail, read as ended, and be skipped.
void playIfMediaEngineKind(PlayerContext& p) {
  MediaKind kind = selectedKind(p.form.File1);
  if (kind == MediaKind::Picture || kind == MediaKind::Media)
    p.form.WindowsMediaPlayer1.engine().setURL(p.state.PlayFile);
}

}  // namespace

int nextEntryIndex(const PlayerContext& p) {
  const int count = p.form.File1.listCount();
  if (count == 0) return -1;
  return p.state.ListNum + 1 >= count ? 0 : p.state.ListNum + 1;
}

bool selectNextEntry(PlayerContext& p) {
  const int next = nextEntryIndex(p);
  if (next < 0) return false;
  if (next == 0) p.state.ListNum = -1;
  p.form.File1.setListIndex(next);
  return true;
}

void endWatchTick(PlayerContext& p) {
  Form1& f = p.form;
  MediaEngine& media = f.WindowsMediaPlayer1.engine();
  // The media engine reports stopped once its file ended or failed.
  if (media.playState() == play_state::Stopped) {
    f.Frame1.setVisible(false);
    // A list that shows nothing (a filter without a match) has nothing to
    // play next: the watch ends rather than replay the old file for ever.
    if (!selectNextEntry(p)) return stopAdvancing(p);
    if (selectedKind(f.File1) == MediaKind::FlashVideo) {
      media.stop();
      media.close();
      f.ShockwaveFlash1.zOrder(0);
    } else {
      playIfMediaEngineKind(p);
    }
  }
  // The empty movie and the player movie loop, so only a Flash movie that
  // reached its end reads as not playing.
  if (!f.ShockwaveFlash1.engine().IsPlaying()) {
    if (!selectNextEntry(p)) return stopAdvancing(p);
    // Only a Flash movie is cut after three minutes.
    if (selectedKind(f.File1) == MediaKind::FlashMovie) armFlashLimit(p);
    loadIfFlashMovie(p);
  }
}

void flashStartDelayTick(PlayerContext& p) { watchFlashMovie(p); }

void flashLimitTick(PlayerContext& p) {
  if (p.clock.now() < p.state.SwfEndTime) return;
  if (!selectNextEntry(p)) return stopAdvancing(p);
  loadIfFlashMovie(p);
  // Only another Flash movie keeps the limit running: other kinds must not
  // be cut.
  if (selectedKind(p.form.File1) == MediaKind::FlashMovie) armFlashLimit(p);
}

void nextFlashVideoTick(PlayerContext& p) {
  stopAdvancing(p);  // once; the open sets what runs next
  resetPlayerMovie(p);
  if (!selectNextEntry(p)) return;
  FlashEngine& flash = p.form.ShockwaveFlash1.engine();
  flash.SetVariable(player_movie::kFile, p.state.PlayFile);
  flash.Play();
}

void slideShowTick(PlayerContext& p) {
  if (!selectNextEntry(p)) return stopAdvancing(p);
  playIfMediaEngineKind(p);
}

}  // namespace qm
