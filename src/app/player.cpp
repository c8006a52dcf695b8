#include "app/player.h"

#include "app/list_locate.h"
#include "platform/files.h"
#include "player/open.h"
#include "player/wiring.h"
#include "window/chrome.h"
#include "window/layout.h"
#include "window/volume.h"
#include "player/position.h"
#include "browser/filters.h"
#include "browser/folder_lists.h"

namespace qm {

Player::Player(Platform& platform, Engines engines)
    : platform(platform), form(platform.clock, platform.windows, std::move(engines)) {
  Form1& f = form;
  // Side windows are shown on demand.
  for (Form* side : {&Form3, &Form4, &frmAbout}) side->setVisible(false);
  f.File1.Click.connect([this] { openSelectedEntry(*this); });
  f.Timer6.Tick.connect([this] { locateListEntry(*this, form.Timer6); });
  f.Timer10.Tick.connect([this] { locateListEntry(*this, form.Timer10); });
  f.Resize.connect([this] { layOutWindow(*this); });
  // The grip appears once the window has painted.
  f.Timer11.Tick.connect([this] {
    form.Picture7.setVisible(true);
    form.Timer11.setEnabled(false);
  });
  // A click on the bare window closes the popup menu window.
  f.Click.connect([this] { Form3.setVisible(false); });
  // Execute requests: a text is shown, an empty request brings the window up.
  platform.instance.Execute.connect([this](const std::string& text) {
    if (text.empty())
      windows().focus(form);
    else
      windows().messageBox(text);
  });
  connectPlayback(*this);
  connectPosition(*this);
  connectVolume(*this);
  connectChrome(*this);
  connectFolderLists(*this);
  connectFilters(*this);
}

std::string Player::programFile(const std::string& name) const { return files::join(platform.programFolder, name); }

}  // namespace qm
