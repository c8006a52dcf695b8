#pragma once

#include <string>
#include <vector>

namespace qm {

// The command line as the player takes it: the arguments after the
// program's name, joined by blanks (a path with blanks may arrive in
// pieces). A path relative to `currentFolder` (once its quotes are gone) is
// made absolute, as a file manager would pass it. Names are bytes: nothing
// is decoded, so a name that is no UTF-8 arrives as it is on the disk.
std::string commandLineOf(const std::vector<std::string>& arguments, const std::string& currentFolder);

}  // namespace qm
