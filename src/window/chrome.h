#pragma once

namespace qm {

struct PlayerContext;
class Form;

// The skin as a window frame: the title buttons, moving and sizing the
// window by its bars, edges and grip, the hover looks, the pointer hiding
// and the popup menu over the video.
void connectChrome(PlayerContext& p);

void minimizeButton(PlayerContext& p);              // Image17
void closeButton(PlayerContext& p);                 // Image18
void systemMenuButton(PlayerContext& p);            // Image21
void barPressed(PlayerContext& p);                  // any press on a bar or border
void videoMouseDown(PlayerContext& p, int button);  // WindowsMediaPlayer1

// The bare window background (x, y in the window, twips).
void backgroundDown(PlayerContext& p, double x, double y);
void backgroundMove(PlayerContext& p, int button, double x, double y);
void backgroundUp(PlayerContext& p);

// The resize grip Picture7.
void gripDown(PlayerContext& p);
void gripMove(PlayerContext& p);
void gripUp(PlayerContext& p);

// The pointer-hiding rule on a movement: records the reference point on the
// first one (true), otherwise shows the pointer when it moved more than one
// unit from there and arms the hide timer when asked.
bool pointerRule(PlayerContext& p, double x, double y, bool armHideTimer);

// Maximised, or covering the whole screen: the bars of either are the
// screen's, never dragged.
bool isMaximised(const Form& form);

}  // namespace qm
