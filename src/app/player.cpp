#include "app/player.h"

#include "browser/tabs.h"
#include "browser/filters.h"
#include "browser/folder_lists.h"
#include "player/execute_requests.h"
#include "player/list_locate.h"
#include "player/open.h"
#include "player/keyboard.h"
#include "player/position.h"
#include "player/startup.h"
#include "player/window_title.h"
#include "player/wiring.h"
#include "shell/wiring.h"
#include "window/chrome.h"
#include "window/display_modes.h"
#include "window/layout.h"
#include "window/volume.h"
#include "window/window_utilities.h"

namespace qm {

Player::Player(Platform& platform, Engines engines)
    : platform(platform),
      form(platform.clock, platform.windows, platform.files, std::move(engines)),
      context{form,
              state,
              Form3,
              Form4,
              frmAbout,
              platform.clock,
              platform.windows,
              platform.files,
              platform.settings,
              platform.instance,
              platform.registry,
              platform.help,
              platform.launcher,
              platform.fileDialog,
              platform.programFolder,
              platform.executable.empty() ? joinPath(platform.programFolder, "quilmora") : platform.executable} {
  Form1& f = form;
  PlayerContext& p = context;
  // The main window shows once start-up has laid it out; side windows are
  // shown on demand.
  f.setVisible(false);
  for (Form* side : std::initializer_list<Form*>{&Form3, &Form4, &frmAbout}) side->setVisible(false);
  f.File1.Click.connect([&p] { openSelectedEntry(p); });
  f.Timer6.Tick.connect([&p] { locateListEntry(p, p.form.Timer6); });
  f.Timer10.Tick.connect([&p] { locateListEntry(p, p.form.Timer10); });
  f.Resize.connect([&p] { layOutWindow(p); });
  // The grip appears once the window has painted.
  f.Timer11.Tick.connect([&f] {
    f.Picture7.setVisible(true);
    f.Timer11.setEnabled(false);
  });
  // A click on the bare window closes the popup menu window.
  f.Click.connect([this] { Form3.setVisible(false); });
  platform.instance.Execute.connect([this](const std::string& text) { executeRequests_.take(text); });
  connectPlayback(p);
  connectPosition(p);
  connectVolume(p);
  connectChrome(p);
  connectDisplayModes(p);
  connectWindowUtilities(p);
  connectKeyboard(p);
  connectWindowTitle(p);
  connectFolderLists(p);
  connectFilters(p);
  connectTabs(p);
  connectShell(p);
}

bool Player::load(const std::string& commandLine) {
  started_ = startUp(context, commandLine);
  if (started_ && !state.CmdFileName.empty()) showPlayingTitle(context, state.CmdFileName);
  return started_;
}

// A player that ended at start-up (another one runs) has nothing to shut down:
// the settings and the movies are the running player's.
void Player::unload() {
  if (unloaded_ || !started_) return;
  unloaded_ = true;
  shutDown(context);
}

}  // namespace qm
