#pragma once

#include "forms/player_context.h"

namespace qm {

// Wires the side windows' controls to their handlers.
void connectShell(PlayerContext& p);

}  // namespace qm
