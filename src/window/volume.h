#pragma once

namespace qm {

struct PlayerContext;

// The volume bar, the volume and channel submenus and the channel buttons:
// all write straight to the media engine's settings.
void connectVolume(PlayerContext& p);

void volumeItem(PlayerContext& p, int which);   // 0 up (90), 1 down (10), 2 mute
void channelItem(PlayerContext& p, int which);  // 0 left, 1 right, 2 stereo
void channelButton(PlayerContext& p, int which);  // 0 left, 1 stereo, 2 right

}  // namespace qm
