#include "player/transport.h"

#include <limits>

#include "forms/form1_geometry.h"
#include "forms/player_context.h"
#include "platform/player_movie_protocol.h"
#include "player/advancing.h"
#include "player/flash_host.h"
#include "player/media_kind.h"
#include "player/open.h"
#include "player/position.h"
#include "player/resume.h"
#include "window/list_panel.h"
#include "window/tab_colours.h"

namespace qm {

namespace {

constexpr const char* kMusicFile = "music.wma";

// Resumes what the pause button paused, by the kind of the current entry.
void resumeByKind(PlayerContext& p) {
  Form1& f = p.form;
  resumeAdvancing(p);
  switch (selectedKind(f.File1)) {
    case MediaKind::FlashVideo:
      f.ShockwaveFlash1.engine().SetVariable(player_movie::kControl, player_movie::kPlay);
      break;
    case MediaKind::FlashMovie:
      f.ShockwaveFlash1.engine().Play();
      break;
    default:
      f.WindowsMediaPlayer1.engine().play();
      f.WindowsMediaPlayer2.engine().play();
      break;
  }
}

void hideWebView(Form1& f) {
  f.WebBrowser1.setVisible(false);
  f.WebBrowser1.view().Stop();
}

}  // namespace

void playButton(PlayerContext& p) {
  Form1& f = p.form;
  hideWebView(f);
  if (f.PausedFlag())
    resumeByKind(p);
  else
    toggleListPanel(f);
  f.Picture4.refresh();
}

void playTab(PlayerContext& p) {
  Form1& f = p.form;
  showPointer(p.windows);
  hideWebView(f);
  f.WebBrowser1.view().Quit();
  paintTabs(f, f.Label3);
  f.tVate1.zOrder(0);
  if (f.PausedFlag()) resumeByKind(p);
}

void pauseButton(PlayerContext& p) {
  Form1& f = p.form;
  pauseAdvancing(p);
  f.WindowsMediaPlayer1.engine().pause();
  f.WindowsMediaPlayer2.engine().pause();
  switch (selectedKind(f.File1)) {
    case MediaKind::FlashVideo:
      f.ShockwaveFlash1.engine().SetVariable(player_movie::kControl, player_movie::kPause);
      break;
    case MediaKind::FlashMovie:
      f.ShockwaveFlash1.engine().StopPlay();
      break;
    default:
      break;
  }
}

void stopButton(PlayerContext& p) {
  Form1& f = p.form;
  stopAdvancing(p);
  f.Timer8.setEnabled(false);
  // The seek bar goes back to the start with the times: nothing is open.
  clearTimeDisplay(p);
  f.WindowsMediaPlayer1.engine().close();
  f.WindowsMediaPlayer2.engine().close();
  f.ShockwaveFlash1.engine().Stop();
  resetPlayerMovie(p);
}

// After the pause button, the menu resumes everything the play button would.
void menuPlayPause(PlayerContext& p) {
  if (p.form.PausedFlag()) {
    resumeByKind(p);
    return;
  }
  MediaEngine& media = p.form.WindowsMediaPlayer1.engine();
  if (media.playState() == play_state::Playing)
    media.pause();
  else
    media.play();
}

void menuStop(PlayerContext& p) { p.form.WindowsMediaPlayer1.engine().close(); }
void menuFastForward(PlayerContext& p) { p.form.WindowsMediaPlayer1.engine().fastForward(); }
void menuRewind(PlayerContext& p) { p.form.WindowsMediaPlayer1.engine().fastReverse(); }

// The loop opens the entry again from its beginning, even where places are
// remembered.
static void openSelectedFromTheStart(PlayerContext& p) {
  openFromTheStart(p, joinPath(p.form.File1.path(), p.form.File1.fileName()));
  openSelectedEntry(p);
}

void loopButton(PlayerContext& p) { openSelectedFromTheStart(p); }

void loopItem(PlayerContext& p) {
  MenuItem& item = p.form.BUT12;
  if (item.checked()) {
    item.setChecked(false);
    return;
  }
  item.setChecked(true);
  openSelectedFromTheStart(p);
}

// "Play the next file" goes one entry on and "play the previous file" one
// back, like the arrow buttons whose direction they share.
void nextItem(PlayerContext& p) {
  Form1& f = p.form;
  if (f.BUT14.checked()) {
    f.WindowsMediaPlayer1.engine().play();
    f.BUT14.setChecked(false);
    return;
  }
  f.BUT14.setChecked(true);
  f.BUT15.setChecked(false);
  arrowButton(p, Arrow::MediaNext);
}

void previousItem(PlayerContext& p) {
  Form1& f = p.form;
  if (f.BUT15.checked()) {
    f.WindowsMediaPlayer1.engine().play();
    f.BUT15.setChecked(false);
    return;
  }
  f.BUT15.setChecked(true);
  f.BUT14.setChecked(false);
  arrowButton(p, Arrow::MediaPrevious);
}

void arrowButton(PlayerContext& p, Arrow arrow) {
  Form1& f = p.form;
  const bool pictureArrow = arrow == Arrow::PicturePrevious || arrow == Arrow::PictureNext;
  const bool next = arrow == Arrow::MediaNext || arrow == Arrow::PictureNext;
  if (pictureArrow) runSlideShow(p);

  // After the last entry comes entry 0; before entry 0 comes "no entry". A
  // cursor past the end (the list moved to a smaller folder) wraps for next
  // and stands on the last entry for previous. Before the last entry comes
  // the one above it: wrapping there first sent previous nowhere.
  std::int16_t& cursor = p.state.BtnIndex;
  const int count = f.File1.listCount();
  if (next) {
    if (count <= cursor + 1) cursor = -1;
    if (cursor < std::numeric_limits<std::int16_t>::max()) ++cursor;
  } else {
    if (cursor > count) cursor = static_cast<std::int16_t>(count);
    if (cursor > std::numeric_limits<std::int16_t>::min()) --cursor;
  }
  f.File1.setListIndex(cursor);  // opens it; an index outside the list changes nothing

  // The open has set up the new entry, or nothing opened (no entry there).
  // What the arrows add: a Flash movie gets the end watch at once, and the
  // kinds that are not pictures end the picture arrows' slide show and the
  // background music of media.
  switch (selectedKind(f.File1)) {
    case MediaKind::Picture:
      break;
    case MediaKind::FlashMovie:
      watchFlashMovieNow(p);
      break;
    case MediaKind::FlashVideo:
      awaitPlayerMovieEnd(p);
      break;
    case MediaKind::Media:
      watchEnd(p);
      f.WindowsMediaPlayer2.engine().close();
      break;
  }

  if (pictureArrow) {
    f.WindowsMediaPlayer2.engine().close();
    f.WindowsMediaPlayer1.setVisible(true);
  }
  if (arrow == Arrow::MediaNext) showPointer(p.windows);
}

void backgroundMusicButton(PlayerContext& p) {
  Form1& f = p.form;
  hideWebView(f);
  if (f.Frame1.visible()) {
    f.Frame1.setVisible(false);
  } else {
    f.Frame1.setVisible(true);
    f.Frame1.zOrder(0);
  }
  MediaEngine& music = f.WindowsMediaPlayer2.engine();
  music.setEnabled(true);
  music.setURL(p.programFile(kMusicFile));
  music.play();
}

// The music repeats until the stop button or an arrow closes its engine.
void backgroundStateChange(PlayerContext& p, int state) {
  if (state == play_state::Stopped) p.form.WindowsMediaPlayer2.engine().play();
}

void videoClick(PlayerContext& p) {
  Form1& f = p.form;
  p.Form3.setVisible(false);
  f.WindowsMediaPlayer1.setLeft(geometry::kDisplayLeft);
  f.WindowsMediaPlayer1.setWidth(f.width() - geometry::kOpenedWidthMargin);
  f.Frame1.setVisible(false);
}

}  // namespace qm
