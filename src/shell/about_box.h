#pragma once

#include "forms/player_context.h"

namespace qm {

// The about box, frmAbout.

// Load: topmost, the caption, the version and the texts.
void loadAboutBox(PlayerContext& p);
// Finds and starts the system information tool; any failure is told in one
// message and the about box stays open.
void startSystemInformation(PlayerContext& p);

}  // namespace qm
