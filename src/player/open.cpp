#include "player/open.h"

#include "forms/form1_geometry.h"
#include "forms/player_context.h"
#include "model/paths.h"
#include "player/advance.h"
#include "player/advancing.h"
#include "player/flash_host.h"
#include "player/media_kind.h"
#include "player/position.h"

namespace qm {

void showButtonSet(Form1& f, bool pictures) {
  f.Image2.setVisible(pictures);
  f.Image5.setVisible(pictures);
  f.Image7.setVisible(pictures);
  f.Image3.setVisible(!pictures);
  f.Image6.setVisible(!pictures);
  f.Image8.setVisible(!pictures);
}

// The list's folder and the selected name; with nothing selected, the folder
// itself (which the media engine cannot play).
static std::string selectedPath(const FileListBox& list) { return joinPath(list.path(), list.fileName()); }

// Pictures and media: the Flash engine is emptied and the media engine, at
// the window's width, is given the file.
static void showInMediaEngine(PlayerContext& p, bool picture) {
  Form1& f = p.form;
  showButtonSet(f, picture);
  f.ShockwaveFlash1.setVisible(false);
  loadEmptyMovie(p);
  f.WindowsMediaPlayer1.setLeft(geometry::kDisplayLeft);
  f.WindowsMediaPlayer1.setWidth(f.width() - geometry::kOpenedWidthMargin);
  f.WindowsMediaPlayer1.setVisible(true);
  f.WindowsMediaPlayer1.engine().setURL(p.state.PlayFile);
}

// Flash movies and videos: the media engine is closed and the Flash engine,
// which keeps its place, takes the window's height.
static void showInFlashEngine(PlayerContext& p) {
  Form1& f = p.form;
  showButtonSet(f, false);
  f.WindowsMediaPlayer1.engine().close();
  f.WindowsMediaPlayer1.setVisible(false);
  f.ShockwaveFlash1.setHeight(f.height() - geometry::kDisplayHeightMargin);
  f.ShockwaveFlash1.setVisible(true);
}

// The entry the advance opens after this one: a Flash movie there may have
// its runtime started now. Any other entry withdraws the hint, so a list of
// media never starts it.
static void expectNextEntry(PlayerContext& p) {
  const FileListBox& list = p.form.File1;
  std::string movie;
  if (const int next = nextEntryIndex(p); next >= 0) {
    const std::string name = list.list(next);
    if (kindOfExtension(entryExtension(name)) == MediaKind::FlashMovie) movie = joinPath(list.path(), name);
  }
  p.form.ShockwaveFlash1.engine().expectMovie(movie);
}

void openSelectedEntry(PlayerContext& p) {
  Form1& f = p.form;
  f.WebBrowser1.setVisible(false);
  f.WebBrowser1.view().Stop();
  f.WebBrowser1.view().Quit();
  f.WindowsMediaPlayer1.setVisible(false);
  f.ShockwaveFlash1.setVisible(false);

  const MediaKind kind = selectedKind(f.File1);
  // What ran for the entry before goes, a pending next Flash video and a
  // Flash movie's limit included: no other kind may be cut off after three
  // minutes.
  advanceAsKind(p, kind);
  p.state.ListNum = f.File1.listIndex();
  p.state.PlayFile = selectedPath(f.File1);

  switch (kind) {
    case MediaKind::Picture:
      showInMediaEngine(p, true);
      break;
    case MediaKind::Media:
      showInMediaEngine(p, false);
      break;
    case MediaKind::FlashMovie:
      showInFlashEngine(p);
      f.ShockwaveFlash1.engine().setMovie(p.state.PlayFile);
      break;
    case MediaKind::FlashVideo:
      showInFlashEngine(p);
      startFlashVideo(p, p.state.PlayFile, true);
      f.ShockwaveFlash1.zOrder(0);
      break;
  }

  expectNextEntry(p);

  f.Frame1.setVisible(false);
  clearTimeDisplay(p);
  f.Timer8.setInterval(50);
  f.Timer8.setEnabled(true);
  f.Image34.refresh();
  f.Image40.refresh();
  f.Image41.refresh();
}

}  // namespace qm
