#include "platform/file_lists.h"

#include <filesystem>
#include <optional>
#include <system_error>

#include "platform/files.h"
#include "platform/fs/mount_table.h"
#include "platform/fs/name_matching.h"

namespace qm {

namespace fs = std::filesystem;

namespace {

void dropTrailingSeparators(std::string& path) {
  while (path.size() > 1 && path.back() == kPathSeparator) path.pop_back();
}

// The folder as an absolute path without "." and ".." steps, or nothing when
// there is no such folder.
std::optional<std::string> absoluteFolder(const std::string& folder) {
  if (folder.empty()) return std::nullopt;
  std::error_code ec;
  fs::path path = fs::absolute(folder, ec);
  if (ec) return std::nullopt;
  std::string text = path.lexically_normal().string();
  dropTrailingSeparators(text);
  if (!files::isFolder(text)) return std::nullopt;
  return text;
}

}  // namespace

FileListBox::FileListBox(std::string name, Control* parent) : Control(ControlKind::FileList, std::move(name), parent) {}

bool FileListBox::setPath(const std::string& folder) {
  std::optional<std::string> absolute = absoluteFolder(folder);
  if (!absolute) return false;
  path_ = std::move(*absolute);
  refresh();
  return true;
}

void FileListBox::setPattern(const std::string& pattern) {
  pattern_ = pattern;
  refresh();
}

// Re-reading never opens an entry: the selection goes back to none without
// a Click.
void FileListBox::refresh() {
  names_ = path_.empty() ? std::vector<std::string>() : files::list(path_, pattern_);
  listIndex_ = -1;
  notifyChanged();
}

std::string FileListBox::list(int index) const {
  if (index < 0 || index >= listCount()) return {};
  return names_[static_cast<std::size_t>(index)];
}

// Every accepted set raises Click, the same index again included: code
// selects an entry to open it.
bool FileListBox::setListIndex(int index) {
  if (index < -1 || index >= listCount()) return false;
  listIndex_ = index;
  notifyChanged();
  Click.raise();
  return true;
}

std::string FileListBox::fileName() const { return list(listIndex_); }

DirListBox::DirListBox(std::string name, Control* parent) : Control(ControlKind::DirList, std::move(name), parent) {}

bool DirListBox::setPath(const std::string& folder) {
  if (folder.empty()) return false;
  std::error_code ec;
  std::string canonical = fs::canonical(folder, ec).string();
  if (ec || !files::isFolder(canonical)) return false;
  dropTrailingSeparators(canonical);
  if (canonical == path_) return true;
  path_ = std::move(canonical);
  notifyChanged();
  Change.raise();
  return true;
}

std::vector<std::string> DirListBox::subFolders() const {
  std::vector<std::string> names;
  if (path_.empty()) return names;
  std::error_code ec;
  fs::directory_iterator it(path_, fs::directory_options::skip_permission_denied, ec);
  for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
    std::string name = it->path().filename().string();
    if (name.empty() || name.front() == '.') continue;
    std::error_code entryError;
    if (it->is_directory(entryError)) names.push_back(std::move(name));
  }
  files::sortIgnoringCase(names);
  return names;
}

void DirListBox::refresh() { notifyChanged(); }

DriveListBox::DriveListBox(std::string name, Control* parent)
    : Control(ControlKind::DriveList, std::move(name), parent) {}

// Any root is taken, readable or not: an unreadable drive shows as picked
// while the folder list refuses it and stays where it was.
void DriveListBox::setDrive(const std::string& root) {
  if (root.empty() || root == drive_) return;
  drive_ = root;
  notifyChanged();
  Change.raise();
}

std::vector<std::string> DriveListBox::drives() const { return files::driveRoots(); }

}  // namespace qm
