#pragma once

namespace qm {

struct PlayerContext;

// Places every skin piece and content area again from fixed offsets against
// the window's width and height; runs whenever the size or state changes.
void layOutWindow(PlayerContext& p);

}  // namespace qm
