#include "player/list_locate.h"

#include <vector>

#include "forms/player_context.h"

namespace qm {

void locateListEntry(PlayerContext& p, Timer& self) {
  FileListBox& list = p.form.File1;
  std::vector<int> walk;
  for (int i = 1; i < list.listCount(); ++i) walk.push_back(i);
  walk.push_back(-1);
  if (list.listCount() > 0) walk.push_back(0);

  for (int index : walk) {
    list.setListIndex(index);  // opens the entry
    if (list.fileName() == p.state.CmdFileName) {
      p.state.ListNum = list.listIndex();
      break;
    }
  }
  self.setEnabled(false);
}

}  // namespace qm
