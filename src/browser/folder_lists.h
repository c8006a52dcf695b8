#pragma once

namespace qm {

class Player;

// Chains the lists: a picked drive opens in the folder list, an opened
// folder fills the file list.
void connectFolderLists(Player& p);

}  // namespace qm
