#pragma once

#include "forms/player_context.h"

namespace qm {

// The popup menu window, Form3.

// Load: topmost; the start-up entry offers what the registry does not hold.
void loadMenuWindow(PlayerContext& p);
// The pointer moved over an entry (or, with null, over the window's ground).
void highlightMenuEntry(PlayerContext& p, const Label* entry);

// The entries' actions; each closes the menu window afterwards.
void showInstructions(PlayerContext& p);
void openResourcesPage(PlayerContext& p);
void openHomePage(PlayerContext& p);
void toggleRunAtStartUp(PlayerContext& p);
void showAssociationDialog(PlayerContext& p);
void showAboutBox(PlayerContext& p);
void closeMenuWindow(PlayerContext& p);

}  // namespace qm
