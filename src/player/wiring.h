#pragma once

namespace qm {

struct PlayerContext;

// Connects the transport, the automatic advance, the slide show and the
// background music to the main window's controls and timers.
void connectPlayback(PlayerContext& p);

}  // namespace qm
