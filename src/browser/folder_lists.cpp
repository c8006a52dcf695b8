#include "browser/folder_lists.h"

#include "forms/player_context.h"

namespace qm {

void connectFolderLists(PlayerContext& p) {
  Form1& f = p.form;
  // A drive that cannot be read leaves both lists where they were.
  f.Drive1.Change.connect([&f] { f.Dir1.setPath(f.Drive1.drive()); });
  f.Dir1.Change.connect([&f] { f.File1.setPath(f.Dir1.path()); });
}

}  // namespace qm
