#include "player/keyboard.h"

#include <algorithm>

#include "forms/player_context.h"
#include "platform/player_movie_protocol.h"
#include "player/flash_protocol.h"
#include "player/snapshot.h"
#include "player/speed.h"
#include "player/tracks.h"
#include "player/transport.h"
#include "window/display_modes.h"
#include "window/volume.h"

namespace qm {

namespace {

constexpr double kPausedEndMargin = 0.5;  // seconds

// The media engine seeks by time; a Flash movie keeps to its own controls.
// A paused file stops short of its end: there it would end, and with nothing
// watching for the end while paused, play would start it over.
void seekBy(PlayerContext& p, double seconds) {
  if (!p.form.WindowsMediaPlayer1.visible()) return;
  MediaEngine& engine = p.form.WindowsMediaPlayer1.engine();
  const double length = engine.duration();
  double to = std::max(0.0, engine.currentPosition() + seconds);
  if (length > 0) to = std::min(to, p.form.PausedFlag() ? std::max(0.0, length - kPausedEndMargin) : length);
  engine.setCurrentPosition(to);
}

void volumeBy(PlayerContext& p, int step) { volumeTo(p, p.form.volume.Value() + step); }

// The key says what it did over the video: nothing else on the window
// shows a mute.
void toggleMute(PlayerContext& p) {
  MediaEngine& engine = p.form.WindowsMediaPlayer1.engine();
  if (!engine.mute()) {
    volumeItem(p, 2);
  } else {
    engine.setMute(false);
    p.form.BUT9C.setChecked(false);
  }
  engine.showText(engine.mute() ? "静音" : "取消静音");
}

// The arrows of the kind on show: the picture arrows replace the media ones.
void stepEntry(PlayerContext& p, bool next) {
  const bool pictures = p.form.Image5.visible() || p.form.Image7.visible();
  if (pictures)
    arrowButton(p, next ? Arrow::PictureNext : Arrow::PicturePrevious);
  else
    arrowButton(p, next ? Arrow::MediaNext : Arrow::MediaPrevious);
}

bool over(const Control& c, double x, double y) {
  double left = 0, top = 0;
  for (const Control* at = &c; at && at->kind() != ControlKind::Form; at = at->parent()) {
    if (!at->visible()) return false;
    left += at->left();
    top += at->top();
  }
  return x >= left && y >= top && x < left + c.width() && y < top + c.height();
}

}  // namespace

void keyPressed(PlayerContext& p, int key, int shift) {
  Form1& f = p.form;
  switch (key) {
    case kKeySpace:
      if (f.PausedFlag())
        playButton(p);
      else
        pauseButton(p);
      break;
    case kKeyLeft:
      seekBy(p, -kSeekStepSeconds);
      break;
    case kKeyRight:
      seekBy(p, kSeekStepSeconds);
      break;
    case kKeyUp:
      volumeBy(p, kVolumeStep);
      break;
    case kKeyDown:
      volumeBy(p, -kVolumeStep);
      break;
    case kKeyPageUp:
      stepEntry(p, false);
      break;
    case kKeyPageDown:
      stepEntry(p, true);
      break;
    case kKeyF:
    case kKeyEnter:
      videoDoubleClick(p);
      break;
    case kKeyEscape:
      // A movie's own full screen hides the bars with no display mode of
      // the menu set; its way back is the movie's own "normal".
      if (!f.Picture2.visible() && f.BUT2.checked() && !f.Frame3.visible())
        flashCommand(p, player_movie::kNormal);
      else
        leaveAnyMode(p);
      break;
    case kKeyM:
      toggleMute(p);
      break;
    case kKeyO:
      if (shift & kShiftCtrl) f.Label7.Click.raise();
      break;
    case kKeyB:
      nextAudioTrack(p);
      break;
    case kKeyV:
      nextSubtitles(p);
      break;
    case kKeyS:
      takeSnapshot(p);
      break;
    case kKeyOpenBracket:
      stepSpeed(p, -1);
      break;
    case kKeyCloseBracket:
      stepSpeed(p, 1);
      break;
    default:
      break;
  }
}

void wheelTurned(PlayerContext& p, int notches, double x, double y) {
  Form1& f = p.form;
  if (notches == 0) return;
  if (over(f.volume, x, y) || over(f.WindowsMediaPlayer1, x, y)) volumeBy(p, notches * kVolumeStep);
}

void connectKeyboard(PlayerContext& p) {
  p.form.KeyDown.connect([&p](int key, int shift) { keyPressed(p, key, shift); });
  p.form.MouseWheel.connect([&p](int notches, double x, double y) { wheelTurned(p, notches, x, y); });
}

}  // namespace qm
