#pragma once

namespace qm {

struct PlayerContext;

// The volume bar, the volume and channel submenus and the channel buttons:
// all write straight to the media engine's settings.
void connectVolume(PlayerContext& p);

// Sets the volume bar to `level` (0 to 100) and the engine with it, as a
// click on the bar does.
void volumeTo(PlayerContext& p, int level);
void volumeItem(PlayerContext& p, int which);     // 0 up (90), 1 down (10), 2 mute
void channelItem(PlayerContext& p, int which);    // 0 left, 1 right, 2 stereo
void channelButton(PlayerContext& p, int which);  // 0 left, 1 stereo, 2 right

}  // namespace qm
