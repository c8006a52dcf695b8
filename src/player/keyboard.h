#pragma once

namespace qm {

struct PlayerContext;

// Keys and the mouse wheel, through the handlers the buttons and menu items
// run, so marks, timers and bars stay right.
void connectKeyboard(PlayerContext& p);

void keyPressed(PlayerContext& p, int key, int shift);
// Notches of the wheel at a place of the window (twips).
void wheelTurned(PlayerContext& p, int notches, double x, double y);

inline constexpr double kSeekStepSeconds = 5;
inline constexpr int kVolumeStep = 5;

}  // namespace qm
