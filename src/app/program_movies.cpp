#include "app/program_movies.h"

#include "platform/files.h"

namespace qm {

void renameProgramFiles(const std::string& folder, const std::string& from, const std::string& to) {
  for (const std::string& name : files::list(folder, "*" + from)) {
    std::string renamed = name.substr(0, name.size() - 3) + to;
    files::rename(files::join(folder, name), files::join(folder, renamed));
  }
}

}  // namespace qm
