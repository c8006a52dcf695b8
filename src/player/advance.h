#pragma once

namespace qm {

struct PlayerContext;

// The list is the play list: the entry after the one opened last, wrapping
// from the last to the first; -1 when the list shows nothing.
int nextEntryIndex(const PlayerContext& p);
// Selects that entry (which opens it). False when there is none.
bool selectNextEntry(PlayerContext& p);

// Ticks of the automatic advance.
void endWatchTick(PlayerContext& p);        // Timer4, every second
void flashStartDelayTick(PlayerContext& p); // Timer2, once, 5 s after a Flash movie opened
void flashLimitTick(PlayerContext& p);      // Timer5, every 500 ms
void nextFlashVideoTick(PlayerContext& p);  // Timer7, once, 1 s after the player movie ended a video
void slideShowTick(PlayerContext& p);       // Timer1, every 7 s

// How long a Flash movie plays before the next entry follows.
inline constexpr int kFlashMovieMinutes = 3;

}  // namespace qm
