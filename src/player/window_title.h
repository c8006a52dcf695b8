#pragma once

#include <string>

namespace qm {

struct PlayerContext;

// The window's title (what the taskbar and the window switcher show) names
// the file playing.
void connectWindowTitle(PlayerContext& p);
void showPlayingTitle(PlayerContext& p, const std::string& fileName);

inline constexpr const char* kProductName = "Quilmora";

}  // namespace qm
