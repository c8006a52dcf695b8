#pragma once

#include <functional>
#include <string>
#include <vector>

namespace qm {

using IsFile = std::function<bool(const std::string&)>;

// The command line as the player takes it: the arguments after the
// program's name, joined by blanks (a path with blanks may arrive in
// pieces), a local file's address taken as its path. When the joined line
// names no file but the first argument does (several files given), the
// first argument alone. A path relative to `currentFolder` (once its quotes
// are gone, unless a file has them in its name) is made absolute, as a file
// manager would pass it. Names are bytes: nothing is decoded, so a name that
// is no UTF-8 arrives as it is on the disk.
std::string commandLineOf(const std::vector<std::string>& arguments, const std::string& currentFolder,
                          const IsFile& isFile);

}  // namespace qm
