// The tabs of the browser: home page, help, and what is dropped on the window.
#include "browser/tabs.h"

#include "forms/player_context.h"
#include "model/media_types.h"
#include "model/web_addresses.h"
#include "player/advancing.h"
#include "player/flash_host.h"
#include "player/tracks.h"
#include "player/transport.h"
#include "window/tab_colours.h"

namespace qm {

namespace {

constexpr const char* kHelpFile = "Quilmora.chm";
constexpr const char* kHelpTopic = "help.htm";

}  // namespace

void homePageTab(PlayerContext& p) {
  Form1& f = p.form;
  showPointer(p.windows);
  stopAdvancing(p);
  f.WindowsMediaPlayer1.setVisible(false);
  f.WindowsMediaPlayer1.engine().close();
  f.ShockwaveFlash1.setVisible(false);
  f.ShockwaveFlash1.engine().Stop();
  loadEmptyMovie(p);
  f.WebBrowser1.zOrder(0);
  f.WebBrowser1.view().Navigate(p.programFile(kHomePageFile));
  // The page starts loading before the view shows.
  p.clock.processEvents();
  f.WebBrowser1.setVisible(true);
  paintTabs(f, f.Label8);
}

void helpTab(PlayerContext& p) {
  showPointer(p.windows);
  paintTabs(p.form, p.form.Label9);
  p.help.displayTopic(p.programFile(kHelpFile), kHelpTopic);
}

// A dropped file is taken as if chosen in the browse tab's dialog; a dropped
// folder opens in the lists, which show so that the user sees its files.
void openDroppedPaths(PlayerContext& p, const std::vector<std::string>& paths) {
  Form1& f = p.form;
  if (paths.empty()) return;
  const std::string& path = paths.front();
  if (p.files.isFolder(path)) {
    if (f.Dir1.setPath(path) && !f.Frame1.visible() && !f.PausedFlag()) playButton(p);
    return;
  }
  if (!p.files.isFile(path)) return;
  // Subtitles dropped on a playing video go with it.
  if (namedAsSubtitles(path) && addSubtitleFile(p, path)) return;
  showPointer(p.windows);
  f.Frame1.setVisible(false);
  f.WebBrowser1.setVisible(false);
  f.WebBrowser1.view().Stop();
  f.WebBrowser1.view().Quit();
  openChosenFile(p, path);
}

void connectTabs(PlayerContext& p) {
  Form1& f = p.form;
  f.Label7.Click.connect([&p] { browseTab(p); });
  f.Label8.Click.connect([&p] { homePageTab(p); });
  f.Label9.Click.connect([&p] { helpTab(p); });
  f.FilesDropped.connect([&p](const std::vector<std::string>& paths) { openDroppedPaths(p, paths); });
}

}  // namespace qm
