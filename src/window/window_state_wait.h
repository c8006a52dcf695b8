#pragma once

#include <functional>

namespace qm {

struct PlayerContext;

// Asks for a window state (Form::Normal, Maximized, FullScreen) and runs
// `then` once the window is in it, after the layout has met the size that
// goes with it. A window manager answers late, in steps, twice, merged with
// the next request, or not at all, so:
// - a window already in the state runs `then` at once (a request still on
//   its way for another state is taken back);
// - a request for another state replaces the one waited for, whose step is
//   dropped; one for the same state runs its step after the first;
// - a state that has not come after Form1::kWindowStateWaitMs ends the wait:
//   `then` runs on the size that holds.
// Any request drops the held placement.
void inWindowState(PlayerContext& p, int state, std::function<void()> then);

// The state asked for and not yet arrived; -1 when none is.
int awaitedWindowState(const PlayerContext& p);

// Called from a step: `place` runs again after every later size of the
// window while it stays in the state the step was for, until the next
// request or dropPlacement.
void holdPlacement(PlayerContext& p, std::function<void()> place);
void dropPlacement(PlayerContext& p);

// Wires the wait to the main window's Resize, after the layout.
void connectWindowStateWait(PlayerContext& p);

}  // namespace qm
