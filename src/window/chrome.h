#pragma once

namespace qm {

class Player;

// The skin as a window frame: the title buttons, moving the window by its
// bars, and the popup menu over the video.
void connectChrome(Player& p);

void minimizeButton(Player& p);                 // Image17
void closeButton(Player& p);                    // Image18
void barPressed(Player& p);                     // any press on a bar or border
void videoMouseDown(Player& p, int button);     // WindowsMediaPlayer1

}  // namespace qm
