#include "window/window_state_wait.h"

#include <utility>

#include "forms/player_context.h"

namespace qm {

namespace {

void endWait(PlayerContext& p) {
  PlayerState& s = p.state;
  p.form.WindowStateWait.setEnabled(false);
  auto then = std::move(s.AfterWindowState);
  s.AfterWindowState = nullptr;
  const int state = s.AwaitedWindowState;
  s.AwaitedWindowState = -1;
  s.HeldPlacementState = state;
  if (then) then();
}

void windowResized(PlayerContext& p) {
  PlayerState& s = p.state;
  const int state = p.form.windowState();
  if (s.AfterWindowState) {
    // A state asked for before and replaced may still come first.
    if (state == s.AwaitedWindowState) endWait(p);
    return;
  }
  if (s.HeldPlacement && state == s.HeldPlacementState) s.HeldPlacement();
}

}  // namespace

void inWindowState(PlayerContext& p, int state, std::function<void()> then) {
  PlayerState& s = p.state;
  Form1& f = p.form;
  dropPlacement(p);
  if (s.AfterWindowState && s.AwaitedWindowState == state) {
    s.AfterWindowState = [first = std::move(s.AfterWindowState), then = std::move(then)] {
      first();
      then();
    };
    return;
  }
  const bool otherOnItsWay = static_cast<bool>(s.AfterWindowState);
  s.AfterWindowState = std::move(then);
  s.AwaitedWindowState = state;
  if (f.windowState() == state) {
    if (otherOnItsWay) p.windows.setWindowState(f, state);
    // The window may have answered the request just made with its own
    // report; the step runs once.
    if (s.AfterWindowState && s.AwaitedWindowState == state) endWait(p);
    return;
  }
  f.WindowStateWait.setEnabled(false);
  f.WindowStateWait.setEnabled(true);
  p.windows.setWindowState(f, state);
}

int awaitedWindowState(const PlayerContext& p) { return p.state.AfterWindowState ? p.state.AwaitedWindowState : -1; }

void holdPlacement(PlayerContext& p, std::function<void()> place) { p.state.HeldPlacement = std::move(place); }

void dropPlacement(PlayerContext& p) { p.state.HeldPlacement = nullptr; }

void connectWindowStateWait(PlayerContext& p) {
  p.form.Resize.connect([&p] { windowResized(p); });
  p.form.WindowStateWait.Tick.connect([&p] {
    if (p.state.AfterWindowState)
      endWait(p);
    else
      p.form.WindowStateWait.setEnabled(false);
  });
}

}  // namespace qm
