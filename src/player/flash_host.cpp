#include "player/flash_host.h"

#include "forms/player_context.h"
#include "platform/player_movie_protocol.h"

namespace qm {

void loadEmptyMovie(PlayerContext& p) { p.form.ShockwaveFlash1.engine().setMovie(p.programFile(kEmptyMovie)); }

void resetPlayerMovie(PlayerContext& p) {
  FlashEngine& flash = p.form.ShockwaveFlash1.engine();
  flash.setMovie(p.programFile(kEmptyMovie));
  flash.setMovie(p.programFile(kPlayerMovie));
}

void startFlashVideo(PlayerContext& p, const std::string& path, bool emptyFirst) {
  FlashEngine& flash = p.form.ShockwaveFlash1.engine();
  if (emptyFirst) flash.setMovie(p.programFile(kEmptyMovie));
  flash.setMovie(p.programFile(kPlayerMovie));
  flash.SetVariable(player_movie::kFile, path);
  flash.Play();
}

}  // namespace qm
