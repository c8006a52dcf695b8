#pragma once

#include <string>

namespace qm {

// The folder of the player's own files: the executable's folder when the
// player may write there, else the user's data folder (XDG), into which the
// player's own files are copied from the executable's folder the first time.
std::string chooseProgramFolder(const std::string& executableFolder);

// Copies the player's own files from the executable's folder into `folder`,
// each one that is not there yet.
void copyOwnFiles(const std::string& executableFolder, const std::string& folder);

}  // namespace qm
