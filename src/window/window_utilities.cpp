#include "window/window_utilities.h"

#include "forms/player_context.h"

namespace qm {

// A missing file or page is told in the viewer's own window; the player
// goes on either way.
void helpItem(PlayerContext& p) { p.help.displayTopic(p.programFile(kHelpFile), kHelpTopic); }

void aboutItem(PlayerContext& p) { p.frmAbout.show(); }

void connectWindowUtilities(PlayerContext& p) {
  p.form.BUT10.Click.connect([&p] { helpItem(p); });
  p.form.BUT11.Click.connect([&p] { aboutItem(p); });
}

}  // namespace qm
