#pragma once

#include <string>

namespace qm {

class FileSystem;

// While the player is not running its movies are stored with the extension
// dll; it runs with them as swf. Every file of the folder whose name ends in
// `from` (".dll" or ".swf") gets the last three characters replaced by `to`.
// A rename that fails (the target exists) leaves that file as it was.
void renameProgramFiles(FileSystem& files, const std::string& folder, const std::string& from, const std::string& to);

}  // namespace qm
