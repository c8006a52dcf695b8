#pragma once

#include <string>

namespace qm {

struct PlayerContext;

// A command a Flash movie sent through FSCommand, compared exactly.
// The window commands ("full", "juyuan", "yanshen", "normal", "close") are
// honoured from any movie; "oknext" and the reset that any other command
// causes belong to the player movie, so they apply only while a Flash video
// is the selected entry: a .swf sending its own commands ("showmenu",
// "allowscale", ...) keeps playing.
void flashCommand(PlayerContext& p, const std::string& command);

void connectFlashProtocol(PlayerContext& p);

}  // namespace qm
