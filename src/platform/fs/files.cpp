#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <filesystem>
#include <system_error>

#include "platform/fs/atomic_file.h"
#include "platform/fs/local_files.h"
#include "platform/fs/mount_table.h"
#include "platform/fs/name_matching.h"

namespace qm::files {

namespace fs = std::filesystem;

bool matchesMask(const std::string& name, const std::string& mask) {
  return matchesFoldedMask(foldCase(name), foldCase(mask));
}

bool matchesPattern(const std::string& name, const std::string& pattern) { return MaskPattern(pattern).matches(name); }

std::string lookup(const std::string& path) {
  if (path.empty() || path.back() == kPathSeparator) return {};
  const fs::path p(path);
  const std::string last = p.filename().string();
  if (last.find_first_of("*?") == std::string::npos) return isFile(path) ? last : std::string();
  std::string folder = p.has_parent_path() ? p.parent_path().string() : std::string(".");
  const std::vector<std::string> names = list(folder, last);
  return names.empty() ? std::string() : names.front();
}

std::vector<std::string> list(const std::string& folder, const std::string& pattern) {
  std::vector<std::string> names;
  if (folder.empty()) return names;
  const MaskPattern masks(pattern);
  std::error_code ec;
  fs::directory_iterator it(folder, fs::directory_options::skip_permission_denied, ec);
  // An entry that vanishes or cannot be examined is left out; a folder that
  // cannot be read at all lists nothing.
  for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
    std::string name = it->path().filename().string();
    if (name.empty() || name.front() == '.') continue;
    std::error_code entryError;
    if (!it->is_regular_file(entryError)) continue;
    if (masks.matches(name)) names.push_back(std::move(name));
  }
  sortIgnoringCase(names);
  return names;
}

std::vector<std::string> listFolders(const std::string& folder) {
  std::vector<std::string> names;
  if (folder.empty()) return names;
  std::error_code ec;
  fs::directory_iterator it(folder, fs::directory_options::skip_permission_denied, ec);
  for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
    std::string name = it->path().filename().string();
    if (name.empty() || name.front() == '.') continue;
    std::error_code entryError;
    if (it->is_directory(entryError)) names.push_back(std::move(name));
  }
  sortIgnoringCase(names);
  return names;
}

bool isFile(const std::string& path) {
  std::error_code ec;
  return !path.empty() && fs::is_regular_file(path, ec);
}

bool isFolder(const std::string& path) {
  std::error_code ec;
  return !path.empty() && fs::is_directory(path, ec);
}

bool rename(const std::string& from, const std::string& to) {
  if (from.empty() || to.empty()) return false;
  if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return true;
  if (errno != EINVAL && errno != ENOSYS) return false;
  // File systems without an atomic no-replace rename: look first. Anything at
  // the target, even a dangling link, keeps its place.
  struct stat target;
  if (::lstat(to.c_str(), &target) == 0 || errno != ENOENT) return false;
  return ::rename(from.c_str(), to.c_str()) == 0;
}

bool makeFolder(const std::string& path) { return !path.empty() && ::mkdir(path.c_str(), 0777) == 0; }

bool isWritableFolder(const std::string& path) { return isFolder(path) && ::access(path.c_str(), W_OK | X_OK) == 0; }

}  // namespace qm::files

namespace qm {

namespace fs = std::filesystem;

namespace {

void dropTrailingSeparators(std::string& path) {
  while (path.size() > 1 && path.back() == kPathSeparator) path.pop_back();
}

}  // namespace

namespace {

// A folder the lists can show: one whose entries can be read (an empty
// removable drive or a folder without read permission cannot).
bool listable(const std::string& folder) {
  std::error_code ec;
  fs::directory_iterator it(folder, ec);
  return !ec;
}

}  // namespace

std::optional<std::string> LocalFileSystem::absoluteFolder(const std::string& folder) {
  if (folder.empty()) return std::nullopt;
  std::error_code ec;
  fs::path path = fs::absolute(folder, ec);
  if (ec) return std::nullopt;
  std::string text = path.lexically_normal().string();
  dropTrailingSeparators(text);
  if (!files::isFolder(text) || !listable(text)) return std::nullopt;
  return text;
}

std::optional<std::string> LocalFileSystem::canonicalFolder(const std::string& folder) {
  if (folder.empty()) return std::nullopt;
  std::error_code ec;
  std::string canonical = fs::canonical(folder, ec).string();
  if (ec || !files::isFolder(canonical) || !listable(canonical)) return std::nullopt;
  dropTrailingSeparators(canonical);
  return canonical;
}

std::vector<std::string> LocalFileSystem::listFiles(const std::string& folder, const std::string& pattern) {
  return files::list(folder, pattern);
}
std::vector<std::string> LocalFileSystem::listFolders(const std::string& folder) { return files::listFolders(folder); }
std::vector<std::string> LocalFileSystem::driveRoots() { return files::driveRoots(); }
std::string LocalFileSystem::lookup(const std::string& path) { return files::lookup(path); }
bool LocalFileSystem::isFile(const std::string& path) { return files::isFile(path); }
bool LocalFileSystem::isFolder(const std::string& path) { return files::isFolder(path); }
bool LocalFileSystem::rename(const std::string& from, const std::string& to) { return files::rename(from, to); }
bool LocalFileSystem::makeFolder(const std::string& path) { return files::makeFolder(path); }

FileSystem::Read LocalFileSystem::readFile(const std::string& path, std::size_t sizeLimit) {
  Read read{Read::Failed, {}};
  switch (files::readRegularFile(path, sizeLimit, read.content)) {
    case files::ReadStatus::Read:
      read.status = Read::Done;
      break;
    case files::ReadStatus::Missing:
      read.status = Read::Missing;
      break;
    case files::ReadStatus::Failed:
      break;
  }
  return read;
}

bool LocalFileSystem::replaceFile(const std::string& path, const std::string& content) {
  return files::replaceFileAtomically(path, content);
}

std::optional<FileSystem::Stamp> LocalFileSystem::stamp(const std::string& path) {
  std::error_code ec;
  const fs::path file(path);
  if (!fs::is_regular_file(file, ec)) return std::nullopt;
  Stamp stamp;
  stamp.size = fs::file_size(file, ec);
  if (ec) return std::nullopt;
  const auto written = fs::last_write_time(file, ec);
  if (ec) return std::nullopt;
  stamp.written = std::chrono::duration_cast<std::chrono::nanoseconds>(written.time_since_epoch()).count();
  return stamp;
}

}  // namespace qm
