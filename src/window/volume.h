#pragma once

namespace qm {

class Player;

// The volume bar, the volume and channel submenus and the channel buttons:
// all write straight to the media engine's settings.
void connectVolume(Player& p);

void volumeItem(Player& p, int which);   // 0 up (90), 1 down (10), 2 mute
void channelItem(Player& p, int which);  // 0 left, 1 right, 2 stereo
void channelButton(Player& p, int which);  // 0 left, 1 stereo, 2 right

}  // namespace qm
