#pragma once

#include <string>

namespace qm {

// A file of this name beside the executable marks an installed program
// folder, shared by every user and owned by the package manager: the player
// writes nothing there, even when run by root.
inline constexpr const char* kInstalledMark = "installed";

// The folder of the player's own files: the executable's folder when the
// player may write there and it is not installed, else the user's data
// folder (XDG), into which the player's own files are copied from the
// executable's folder the first time.
std::string chooseProgramFolder(const std::string& executableFolder);

// Copies the player's own files from the executable's folder into `folder`,
// each one that is not there yet.
void copyOwnFiles(const std::string& executableFolder, const std::string& folder);

}  // namespace qm
