#pragma once

namespace qm {

struct PlayerContext;

// Chains the lists: a picked drive opens in the folder list, an opened
// folder fills the file list.
void connectFolderLists(PlayerContext& p);

}  // namespace qm
