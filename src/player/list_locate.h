#pragma once

namespace qm {

struct PlayerContext;
class Timer;

// Marks the file opened at start (or by the open dialog) in the list: walks
// the list's indexes 1, 2, ... last, -1, 0 selecting each one (each selection
// opens that entry) until the selected name is CmdFileName, sets ListNum to
// that index and switches the timer off. An empty name matches at -1. A name
// that no entry carries opens nothing and only switches the timer off.
void locateListEntry(PlayerContext& p, Timer& self);

}  // namespace qm
