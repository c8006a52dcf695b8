// The browse tab and what it shares with files dropped on the window.
#include <algorithm>

#include "browser/tabs.h"
#include "forms/player_context.h"
#include "model/media_types.h"
#include "model/paths.h"
#include "player/advancing.h"
#include "player/flash_host.h"
#include "player/media_kind.h"
#include "player/open.h"
#include "player/position.h"
#include "player/window_title.h"
#include "window/tab_colours.h"

namespace qm {

namespace {

// Description and mask, pair after pair, as the dialog lists them.
constexpr const char* kDialogFilter =
    "AllFiles|*.*|*.wmv|*.wmv|*.avi|*.avi|*.mpeg|*.mpeg|*.mpg|*.mpg|*.asf|*.asf|*.rm|*.rm|*.mov|*.mov|*.mkv|*.mkv|"
    "*.rmvb|*.rmvb|*.3gp|*.3gp|*.3gpp|*.3gpp|*.mp4|*.mp4|*.swf|*.swf|*.flv|*.flv|*.dat|*.dat|*.vob|*.vob|*.mp3|"
    "*.mp3|*.mid|*.mid|*.midi|*.midi|*.wma|*.wma|*.wav|*.wav|"
    // Formats of today, before the closing catch-all.
    "*.webm|*.webm|*.ogv|*.ogv|*.m4v|*.m4v|*.ts|*.ts|*.m2ts|*.m2ts|*.ogg|*.ogg|*.opus|*.opus|*.flac|*.flac|"
    "*.m4a|*.m4a|*.aac|*.aac|*.*|*.*";

// The list's pattern for a chosen file of this kind: media lists music and
// films together, music first.
std::string chosenKindPattern(MediaKind kind) {
  switch (kind) {
    case MediaKind::Picture:
      return groupPattern(MediaGroup::Pictures);
    case MediaKind::FlashMovie:
      return "*.swf";
    case MediaKind::FlashVideo:
      return "*.flv";
    case MediaKind::Media:
      break;
  }
  return groupPattern(MediaGroup::Music) + ";" + groupPattern(MediaGroup::Films);
}

void playChosenFile(PlayerContext& p, const std::string& path, MediaKind kind) {
  Form1& f = p.form;
  showButtonSet(f, kind == MediaKind::Picture);
  switch (kind) {
    case MediaKind::Picture:
      f.File1.setPattern(chosenKindPattern(kind));
      f.ShockwaveFlash1.setVisible(false);
      loadEmptyMovie(p);
      f.WindowsMediaPlayer1.setVisible(true);
      f.WindowsMediaPlayer1.engine().setURL(path);
      runSlideShow(p);
      break;
    case MediaKind::FlashMovie:
      f.File1.setPattern(chosenKindPattern(kind));
      f.WindowsMediaPlayer1.engine().close();
      f.WindowsMediaPlayer1.setVisible(false);
      f.ShockwaveFlash1.setVisible(true);
      f.ShockwaveFlash1.zOrder(0);
      f.ShockwaveFlash1.engine().setMovie(path);
      startFlashMovie(p);
      f.Timer8.setEnabled(true);
      break;
    case MediaKind::FlashVideo:
      // The player movie is told the file when the list locate opens its
      // entry.
      awaitPlayerMovieEnd(p);
      f.File1.setPattern(chosenKindPattern(kind));
      f.WindowsMediaPlayer1.engine().close();
      f.WindowsMediaPlayer1.setVisible(false);
      f.ShockwaveFlash1.setVisible(true);
      f.ShockwaveFlash1.zOrder(0);
      f.Frame1.zOrder(0);
      resetPlayerMovie(p);
      f.ShockwaveFlash1.engine().Play();
      f.Timer10.setEnabled(true);
      break;
    case MediaKind::Media:
      f.File1.setPattern(chosenKindPattern(kind));
      f.ShockwaveFlash1.setVisible(false);
      loadEmptyMovie(p);
      f.WindowsMediaPlayer1.setVisible(true);
      f.WindowsMediaPlayer1.engine().setURL(path);
      f.Timer6.setEnabled(true);
      watchEnd(p);
      f.Timer8.setEnabled(true);
      break;
  }
}

}  // namespace

std::vector<FileFilter> openDialogFilters() {
  std::vector<FileFilter> filters;
  const std::string text = kDialogFilter;
  std::vector<std::string> parts;
  for (std::size_t start = 0;;) {
    const std::size_t bar = text.find('|', start);
    parts.push_back(text.substr(start, bar == std::string::npos ? std::string::npos : bar - start));
    if (bar == std::string::npos) break;
    start = bar + 1;
  }
  for (std::size_t i = 0; i + 1 < parts.size(); i += 2) filters.push_back({parts[i], parts[i + 1]});
  return filters;
}

void openChosenFile(PlayerContext& p, const std::string& path) {
  Form1& f = p.form;
  // Nothing chosen leaves the lists where they were: an empty folder is
  // refused by both.
  f.File1.setPath(GetPathFromFileName(path, std::string(1, kPathSeparator)));
  f.Dir1.setPath(f.File1.path());
  if (!path.empty()) {
    p.state.ListNum = 0;
    const std::string ext = GetExtension(path);
    // Quotes, '*' and '?' are legal in a file name here: a file that exists
    // under the chosen path is taken by its name as it stands.
    p.state.CmdFileName =
        p.files.isFile(path) ? path.substr(path.rfind(kPathSeparator) + 1) : p.files.lookup(withoutQuotes(path));
    playChosenFile(p, path, kindOfExtension(ext));
    showPlayingTitle(p, path.substr(path.rfind(kPathSeparator) + 1));
  }
  paintTabs(f, f.Label7);
  clearTimeDisplay(p);
}

void browseTab(PlayerContext& p) {
  Form1& f = p.form;
  showPointer(p.windows);
  f.Frame1.setVisible(false);
  f.WebBrowser1.setVisible(false);
  f.WebBrowser1.view().Stop();
  f.WebBrowser1.view().Quit();
  openChosenFile(p, p.fileDialog.showOpen(openDialogFilters(), {}));
}

}  // namespace qm
