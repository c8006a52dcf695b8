#include "player/pause.h"

#include "forms/player_context.h"
#include "player/media_kind.h"

namespace qm {

void endPause(PlayerContext& p) {
  Form1& f = p.form;
  f.setPausedFlag(false);
  switch (selectedKind(f.File1)) {
    case MediaKind::Picture:
      f.Timer1.setEnabled(true);
      break;
    case MediaKind::Media:
    case MediaKind::FlashMovie:
      f.Timer4.setEnabled(true);
      break;
    case MediaKind::FlashVideo:
      break;  // the player movie says when its video ends
  }
}

}  // namespace qm
