#pragma once

namespace qm {

struct PlayerContext;

// The skin as a window frame: the title buttons, moving the window by its
// bars, and the popup menu over the video.
void connectChrome(PlayerContext& p);

void minimizeButton(PlayerContext& p);                 // Image17
void closeButton(PlayerContext& p);                    // Image18
void barPressed(PlayerContext& p);                     // any press on a bar or border
void videoMouseDown(PlayerContext& p, int button);     // WindowsMediaPlayer1

}  // namespace qm
