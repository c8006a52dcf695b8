#include "support/fake_file_system.h"

#include <algorithm>

#include "platform/fs/local_files.h"
#include "platform/fs/name_matching.h"

namespace qm::test {

namespace {

std::string parentOf(const std::string& path) {
  const auto slash = path.rfind('/');
  if (slash == std::string::npos) return {};
  return slash == 0 ? "/" : path.substr(0, slash);
}

std::string nameOf(const std::string& path) { return path.substr(path.rfind('/') + 1); }

std::string withoutTrailingSlash(std::string path) {
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  return path;
}

}  // namespace

FakeFileSystem::FakeFileSystem() { folders_.insert("/"); }

void FakeFileSystem::addFolder(const std::string& path) {
  for (std::string folder = withoutTrailingSlash(path); !folder.empty() && folders_.insert(folder).second;
       folder = parentOf(folder)) {
  }
}

void FakeFileSystem::write(const std::string& path, const std::string& content) {
  addFolder(parentOf(path));
  files_[path] = content;
  written_[path] = ++writes_;
}

const std::string* FakeFileSystem::content(const std::string& path) const {
  auto it = files_.find(path);
  return it == files_.end() ? nullptr : &it->second;
}

std::optional<std::string> FakeFileSystem::absoluteFolder(const std::string& folder) {
  if (folder.empty() || folder.front() != '/') return std::nullopt;
  std::string path = withoutTrailingSlash(folder);
  if (!isFolder(path)) return std::nullopt;
  return path;
}

std::optional<std::string> FakeFileSystem::canonicalFolder(const std::string& folder) { return absoluteFolder(folder); }

std::vector<std::string> FakeFileSystem::listFiles(const std::string& folder, const std::string& pattern) {
  std::vector<std::string> names;
  const files::MaskPattern masks(pattern);
  for (const auto& [path, content] : files_) {
    const std::string name = nameOf(path);
    if (parentOf(path) == folder && name.front() != '.' && masks.matches(name)) names.push_back(name);
  }
  files::sortIgnoringCase(names);
  return names;
}

std::vector<std::string> FakeFileSystem::listFolders(const std::string& folder) {
  std::vector<std::string> names;
  for (const std::string& path : folders_)
    if (path != "/" && parentOf(path) == folder && nameOf(path).front() != '.') names.push_back(nameOf(path));
  files::sortIgnoringCase(names);
  return names;
}

std::string FakeFileSystem::lookup(const std::string& path) {
  if (path.empty() || path.back() == '/') return {};
  const std::string name = nameOf(path);
  if (name.find_first_of("*?") == std::string::npos) return isFile(path) ? name : std::string();
  const std::vector<std::string> names = listFiles(parentOf(path), name);
  return names.empty() ? std::string() : names.front();
}

bool FakeFileSystem::writable(const std::string& path) const {
  return folders_.count(parentOf(path)) > 0 && readOnlyFolders.count(parentOf(path)) == 0;
}

bool FakeFileSystem::rename(const std::string& from, const std::string& to) {
  auto it = files_.find(from);
  if (it == files_.end() || files_.count(to) || !writable(to) || !writable(from)) return false;
  files_[to] = std::move(it->second);
  files_.erase(from);
  return true;
}

bool FakeFileSystem::makeFolder(const std::string& path) {
  if (isFolder(path) || isFile(path) || !writable(path)) return false;
  folders_.insert(path);
  return true;
}

FileSystem::Read FakeFileSystem::readFile(const std::string& path, std::size_t sizeLimit) {
  auto it = files_.find(path);
  if (it == files_.end()) return {isFolder(path) ? Read::Failed : Read::Missing, {}};
  if (it->second.size() > sizeLimit) return {Read::Failed, {}};
  return {Read::Done, it->second};
}

bool FakeFileSystem::replaceFile(const std::string& path, const std::string& content) {
  if (!writable(path) || isFolder(path)) return false;
  files_[path] = content;
  written_[path] = ++writes_;
  return true;
}

std::optional<FileSystem::Stamp> FakeFileSystem::stamp(const std::string& path) {
  auto it = files_.find(path);
  if (it == files_.end()) return std::nullopt;
  return Stamp{it->second.size(), written_[path]};
}

}  // namespace qm::test
