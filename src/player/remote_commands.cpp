#include "player/remote_commands.h"

#include <algorithm>

#include "forms/player_context.h"
#include "platform/remote_control.h"
#include "player/media_kind.h"
#include "player/transport.h"
#include "window/volume.h"

namespace qm {

namespace {

bool playing(PlayerContext& p) {
  return !p.form.PausedFlag() && p.form.WindowsMediaPlayer1.engine().playState() == play_state::Playing;
}

void play(PlayerContext& p) {
  if (p.form.PausedFlag())
    playButton(p);  // resumes what the pause button paused
  else if (!playing(p))
    loopButton(p);  // opens the current entry again
}

void arrow(PlayerContext& p, bool next) {
  const bool pictures = selectedKind(p.form.File1) == MediaKind::Picture;
  arrowButton(p, pictures ? (next ? Arrow::PictureNext : Arrow::PicturePrevious)
                          : (next ? Arrow::MediaNext : Arrow::MediaPrevious));
}

// Only the media engine seeks by time; the Flash kinds seek by their bar.
void seekTo(PlayerContext& p, double seconds) {
  MediaEngine& media = p.form.WindowsMediaPlayer1.engine();
  if (!p.form.WindowsMediaPlayer1.visible() || media.duration() <= 0) return;
  media.setCurrentPosition(std::clamp(seconds, 0.0, media.duration()));
}

}  // namespace

void connectRemoteControl(PlayerContext& p, RemoteControl& remote) {
  remote.Play.connect([&p] { play(p); });
  remote.Pause.connect([&p] {
    if (playing(p)) pauseButton(p);
  });
  remote.PlayPause.connect([&p] {
    if (playing(p))
      pauseButton(p);
    else
      play(p);
  });
  remote.Stop.connect([&p] { stopButton(p); });
  remote.Next.connect([&p] { arrow(p, true); });
  remote.Previous.connect([&p] { arrow(p, false); });
  remote.SeekBy.connect(
      [&p](double seconds) { seekTo(p, p.form.WindowsMediaPlayer1.engine().currentPosition() + seconds); });
  remote.SeekTo.connect([&p](double seconds) { seekTo(p, seconds); });
  // Through the volume bar, so that it shows the volume set from outside.
  remote.SetVolume.connect([&p](int level) { volumeTo(p, level); });
}

}  // namespace qm
