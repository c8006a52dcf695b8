#include "forms/player_context.h"
#include "player/program_movies.h"
#include "player/startup.h"

namespace qm {

void shutDown(PlayerContext& p) {
  p.windows.setScreenSaverActive(true);
  p.settings.writeString(p.programFile(kSettingsFile), "user", "filepath", p.form.File1.path());
  renameProgramFiles(p.files, p.programFolder, ".swf", "dll");
  showPointer(p.windows);
  p.clock.processEvents();
}

}  // namespace qm
