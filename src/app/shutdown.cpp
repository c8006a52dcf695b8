// Shutdown: the screen saver back on, the list's folder saved, the movies
// stored under their dll names again, the pointer visible.
#include "app/player.h"
#include "app/program_movies.h"
#include "platform/profile.h"

namespace qm {

void Player::unload() {
  if (unloaded_) return;
  unloaded_ = true;
  windows().setScreenSaverActive(true);
  profile::writeString(programFile("fileinf.ini"), "user", "filepath", form.File1.path());
  renameProgramFiles(platform.programFolder, ".swf", "dll");
  showPointer(windows());
  clock().processEvents();
}

}  // namespace qm
