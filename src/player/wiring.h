#pragma once

namespace qm {

class Player;

// Connects the transport, the automatic advance, the slide show and the
// background music to the main window's controls and timers.
void connectPlayback(Player& p);

}  // namespace qm
