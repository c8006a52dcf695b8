#include "forms/player_context.h"
#include "player/program_movies.h"
#include "player/resume.h"
#include "player/startup.h"

namespace qm {

void shutDown(PlayerContext& p) {
  p.windows.setScreenSaverActive(true);
  rememberPlayingPosition(p);
  // A list without a folder has nothing to remember; the folder saved before
  // stays for the next start.
  if (!p.form.File1.path().empty())
    p.settings.writeString(p.programFile(kSettingsFile), "user", "filepath", p.form.File1.path());
  renameProgramFiles(p.files, p.programFolder, ".swf", "dll");
  showPointer(p.windows);
  p.clock.processEvents();
}

}  // namespace qm
