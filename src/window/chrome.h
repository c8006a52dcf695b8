#pragma once

#include "model/control.h"

namespace qm {

struct PlayerContext;
class Form;

// The skin as a window frame: the title buttons, moving and sizing the
// window by its bars, edges and grip, the hover looks, the pointer hiding
// and the popup menu over the video.
void connectChrome(PlayerContext& p);

void minimizeButton(PlayerContext& p);    // Image17
void closeButton(PlayerContext& p);       // Image18
void systemMenuButton(PlayerContext& p);  // Image21

// A drag of the bars. Where the player places its windows it moves the
// window itself, by the pointer's way from the press: a window manager's
// move asked for on the press (openbox) waits for a release that may have
// come already, and then holds the pointer and the keyboard until the next
// click, which it swallows.
struct BarDrag {
  bool active = false;
  Twips pressX = 0, pressY = 0;  // the press on the screen
  Twips left = 0, top = 0;       // the window's place then
};
// Any press on a bar or border, at (x, y) in the window (twips).
void barPressed(PlayerContext& p, BarDrag& drag, double x, double y);
void barDragged(PlayerContext& p, const BarDrag& drag);
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
