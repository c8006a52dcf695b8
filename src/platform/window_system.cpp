#include "platform/window_system.h"

namespace qm {

// A counter far below 0 takes many calls to come back; the bound only keeps a
// broken window system from hanging the player.
static constexpr int kMaxCursorCalls = 100000;

void showPointer(WindowSystem& ws) {
  for (int i = 0; i < kMaxCursorCalls; ++i)
    if (ws.showCursor(true) >= 0) return;
}

void hidePointer(WindowSystem& ws) {
  for (int i = 0; i < kMaxCursorCalls; ++i)
    if (ws.showCursor(false) < 0) return;
}

}  // namespace qm
