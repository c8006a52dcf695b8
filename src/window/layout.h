#pragma once

namespace qm {

class Player;

// Places every skin piece and content area again from fixed offsets against
// the window's width and height; runs whenever the size or state changes.
void layOutWindow(Player& p);

}  // namespace qm
