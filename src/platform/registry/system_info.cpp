#include "platform/registry/system_info.h"

#include <sys/stat.h>
#include <unistd.h>

#include <array>

namespace qm::registry {

namespace {

// Tools that show the machine's hardware and system, most informative first.
constexpr std::array<std::string_view, 7> kTools = {
    "hardinfo",          "hardinfo2", "kinfocenter", "gnome-system-monitor", "mate-system-monitor",
    "xfce4-taskmanager", "lxtask"};

bool isExecutableFile(const std::string& path) {
  struct stat info;
  return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && ::access(path.c_str(), X_OK) == 0;
}

}  // namespace

std::string findSystemInfoTool(std::string_view searchPath) {
  for (std::string_view tool : kTools) {
    std::size_t start = 0;
    while (start <= searchPath.size()) {
      std::size_t end = std::min(searchPath.find(':', start), searchPath.size());
      std::string_view folder = searchPath.substr(start, end - start);
      start = end + 1;
      while (folder.size() > 1 && folder.back() == '/') folder.remove_suffix(1);
      if (!folder.starts_with('/')) continue;
      std::string path = std::string(folder) + (folder == "/" ? "" : "/") + std::string(tool);
      if (isExecutableFile(path)) return path;
    }
  }
  return std::string();
}

}  // namespace qm::registry
