#pragma once

#include <string>
#include <vector>

#include "platform/file_dialog.h"

namespace qm {

struct PlayerContext;

// The open-file dialog's type list: all files, one entry per extension the
// player plays, and all files again; the first is in force.
std::vector<FileFilter> openDialogFilters();

// The home page tab: the engines stop and the product's own page shows in
// the display area.
void homePageTab(PlayerContext& p);
// The help tab: the help file opens at its first topic beside the player.
void helpTab(PlayerContext& p);
// The browse tab: one file chosen in the open-file dialog plays, and the
// lists move to its folder with the pattern of its kind.
void browseTab(PlayerContext& p);
// What the browse tab does with the chosen file `path` (empty: nothing was
// chosen): the lists, the engine of its kind, the tabs and the time labels.
void openChosenFile(PlayerContext& p, const std::string& path);
// Files or folders dropped on the window: the first file plays as a chosen
// one; a folder opens in the lists.
void openDroppedPaths(PlayerContext& p, const std::vector<std::string>& paths);

void connectTabs(PlayerContext& p);

}  // namespace qm
