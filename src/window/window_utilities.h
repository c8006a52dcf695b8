#pragma once

namespace qm {

struct PlayerContext;

// The popup menu's help and about items.
void connectWindowUtilities(PlayerContext& p);

// Opens the help file's page on the keys and the menu beside the player.
void helpItem(PlayerContext& p);   // BUT10
void aboutItem(PlayerContext& p);  // BUT11

inline constexpr const char* kHelpFile = "dorl.chm";
inline constexpr const char* kHelpTopic = "help.htm";

}  // namespace qm
