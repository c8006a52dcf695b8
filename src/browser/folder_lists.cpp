#include "browser/folder_lists.h"

#include "forms/player_context.h"
#include "window/chrome.h"

namespace qm {

void connectFolderLists(PlayerContext& p) {
  Form1& f = p.form;
  // A drive that cannot be read leaves both lists where they were.
  f.Drive1.Change.connect([&f] { f.Dir1.setPath(f.Drive1.drive()); });
  f.Dir1.Change.connect([&f] { f.File1.setPath(f.Dir1.path()); });
  // Moving over the lists of a maximised window brings the pointer back and
  // hides it again after a while without movement, as over the video.
  for (Control* list : std::initializer_list<Control*>{&f.Dir1, &f.File1})
    list->MouseMove.connect([&p](int, int, double x, double y) {
      if (isMaximised(p.form)) pointerRule(p, x, y, true);
    });
}

}  // namespace qm
