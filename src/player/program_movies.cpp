#include "player/program_movies.h"

#include "model/paths.h"
#include "platform/file_system.h"

namespace qm {

void renameProgramFiles(FileSystem& files, const std::string& folder, const std::string& from, const std::string& to) {
  for (const std::string& name : files.listFiles(folder, "*" + from)) {
    std::string renamed = name.substr(0, name.size() - 3) + to;
    files.rename(joinPath(folder, name), joinPath(folder, renamed));
  }
}

}  // namespace qm
