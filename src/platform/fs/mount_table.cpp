#include "platform/fs/mount_table.h"

#include <pwd.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "platform/fs/local_files.h"
#include "platform/fs/name_matching.h"

namespace qm::files {

namespace {

// Kernel interfaces, memory-backed scratch space and packaged images: none of
// them holds the user's media.
constexpr std::array kPseudoTypes = {
    "autofs", "binfmt_misc", "bpf",      "cgroup",          "cgroup2",     "configfs",      "debugfs",
    "devpts", "devtmpfs",    "efivarfs", "fusectl",         "hugetlbfs",   "mqueue",        "nsfs",
    "proc",   "pstore",      "ramfs",    "rpc_pipefs",      "securityfs",  "selinuxfs",     "squashfs",
    "sysfs",  "tmpfs",       "tracefs",  "fuse.gvfsd-fuse", "fuse.portal", "fuse.snapfuse", "nfsd",
};

// System folders whose mounts belong to the system, whatever their type;
// removable media mounted for the user under /run/media stay.
constexpr std::array kSystemFolders = {"/proc", "/sys", "/dev", "/run", "/boot", "/snap"};

bool isUnder(std::string_view path, std::string_view folder) {
  return path == folder || (path.starts_with(folder) && path.size() > folder.size() && path[folder.size()] == '/');
}

bool isSystemMount(std::string_view mountPoint) {
  if (isUnder(mountPoint, "/run/media")) return false;
  return std::any_of(kSystemFolders.begin(), kSystemFolders.end(),
                     [&](const char* folder) { return isUnder(mountPoint, folder); });
}

bool isPseudoType(std::string_view type) {
  return std::any_of(kPseudoTypes.begin(), kPseudoTypes.end(), [&](const char* t) { return type == t; });
}

// The table writes blanks, tabs, newlines and backslashes in names as
// three-digit octal escapes.
std::string unescapeField(std::string_view field) {
  std::string out;
  for (std::size_t i = 0; i < field.size(); ++i) {
    if (field[i] == '\\' && i + 3 < field.size() &&
        std::all_of(field.begin() + i + 1, field.begin() + i + 4, [](char c) { return c >= '0' && c <= '7'; })) {
      out += static_cast<char>((field[i + 1] - '0') * 64 + (field[i + 2] - '0') * 8 + (field[i + 3] - '0'));
      i += 3;
    } else {
      out += field[i];
    }
  }
  return out;
}

std::string homeFolder() {
  std::string home;
  if (const char* env = std::getenv("HOME"); env && *env)
    home = env;
  else if (const passwd* entry = ::getpwuid(::getuid()); entry && entry->pw_dir)
    home = entry->pw_dir;
  while (home.size() > 1 && home.back() == '/') home.pop_back();
  return home;
}

}  // namespace

std::vector<std::string> browsableMountPoints(std::string_view mountTable) {
  std::vector<std::string> points;
  std::istringstream lines{std::string(mountTable)};
  std::string line;
  while (std::getline(lines, line)) {
    std::istringstream fields(line);
    std::string device, mountPoint, type;
    if (!(fields >> device >> mountPoint >> type)) continue;
    mountPoint = unescapeField(mountPoint);
    if (mountPoint.empty() || mountPoint.front() != '/' || mountPoint == "/") continue;
    if (isPseudoType(type) || isSystemMount(mountPoint)) continue;
    // Containers bind single files (hosts, resolv.conf) into place.
    if (!isFolder(mountPoint)) continue;
    if (std::find(points.begin(), points.end(), mountPoint) == points.end()) points.push_back(mountPoint);
  }
  return points;
}

std::vector<std::string> driveRoots() {
  std::vector<std::string> roots{"/"};
  if (std::string home = homeFolder(); isFolder(home)) roots.push_back(home);
  std::ifstream table("/proc/self/mounts");
  std::stringstream text;
  text << table.rdbuf();
  std::vector<std::string> mounts = browsableMountPoints(text.str());
  sortIgnoringCase(mounts);
  for (std::string& mount : mounts)
    if (std::find(roots.begin(), roots.end(), mount) == roots.end()) roots.push_back(std::move(mount));
  return roots;
}

}  // namespace qm::files
