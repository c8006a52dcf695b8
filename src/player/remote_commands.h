#pragma once

namespace qm {

struct PlayerContext;
class RemoteControl;

// Commands from the desktop's remote control, run through the handlers of the
// player's own buttons so that marks, timers and bars stay right: play and
// pause as the play and pause buttons (play with nothing paused opens the
// current entry again), next and previous as the arrows of the current kind,
// seeking as the seek bar does it.
void connectRemoteControl(PlayerContext& p, RemoteControl& remote);

}  // namespace qm
