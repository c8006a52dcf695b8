#pragma once

#include <string>

namespace qm {

// The folder of the player's own files: the executable's folder when the
// player may write there, else the user's data folder (XDG), into which the
// player's own files are copied from the executable's folder the first time.
std::string chooseProgramFolder(const std::string& executableFolder);

}  // namespace qm
