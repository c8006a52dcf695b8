#pragma once

#include "model/event.h"

namespace qm {

// The desktop's remote control of the player: media keys, panel widgets and
// other programs send transport commands; the player answers them through
// the same handlers as its own buttons.
class RemoteControl {
 public:
  virtual ~RemoteControl() = default;

  Event<> PlayPause;
  Event<> Play;
  Event<> Pause;
  Event<> Stop;
  Event<> Next;
  Event<> Previous;
  // Seconds from where the file is now, backwards when negative.
  Event<double> SeekBy;
  // Seconds from the start of the file.
  Event<double> SeekTo;
  // A volume from 0 to 100.
  Event<int> SetVolume;
};

}  // namespace qm
