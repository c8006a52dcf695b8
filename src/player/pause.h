#pragma once

namespace qm {

struct PlayerContext;

// Ends a pause made by the pause button: the paused flag clears and the
// automatic advance of the current kind (the slide show for pictures, the
// end watch for media and Flash movies) runs again, so the list moves on at
// the end of the file. The engines are resumed by the caller.
void endPause(PlayerContext& p);

}  // namespace qm
