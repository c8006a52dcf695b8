#pragma once

namespace qm {

struct PlayerContext;
class Control;

// The hover looks of the skin buttons, text buttons and bar pieces, with the
// pointer shape and the pointer-hiding rule each one runs. A hover picture
// stays until a neighbouring piece resets it: no event says the pointer left.
void connectHoverLooks(PlayerContext& p);

// A movement over `piece` (x, y in its own twips, pixels for the video).
void hoverMove(PlayerContext& p, Control& piece, double x, double y);

}  // namespace qm
