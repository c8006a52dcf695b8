#include "player/list_locate.h"

#include <vector>

#include "forms/player_context.h"

namespace qm {

namespace {

bool listShows(const FileListBox& list, const std::string& name) {
  for (int i = 0; i < list.listCount(); ++i)
    if (list.list(i) == name) return true;
  return false;
}

}  // namespace

void locateListEntry(PlayerContext& p, Timer& self) {
  FileListBox& list = p.form.File1;
  // A file the list does not show (hidden, or of a kind outside the list's
  // pattern) is never found; the walk would end by opening entry 0 over the
  // file that plays, so it does not start.
  if (!p.state.CmdFileName.empty() && !listShows(list, p.state.CmdFileName)) {
    self.setEnabled(false);
    return;
  }
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
