#pragma once

namespace qm {

struct PlayerContext;

// The playback speed: the menu's 播放速度 items and the keys [ and ],
// which step to the next slower or faster of them. The speed shows over the
// video for a moment; fast forward and rewind keep their own ways.
void stepSpeed(PlayerContext& p, int steps);

void connectSpeed(PlayerContext& p);

}  // namespace qm
