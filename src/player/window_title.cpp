#include "player/window_title.h"

#include "forms/player_context.h"

namespace qm {

void showPlayingTitle(PlayerContext& p, const std::string& fileName) {
  p.form.setCaption(fileName.empty() ? std::string(kProductName) : fileName + " - " + kProductName);
}

// After the open dispatch, which was connected first.
void connectWindowTitle(PlayerContext& p) {
  p.form.File1.Click.connect([&p] { showPlayingTitle(p, p.form.File1.fileName()); });
}

}  // namespace qm
