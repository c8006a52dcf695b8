#include "model/list_controls.h"

namespace qm {

FileListBox::FileListBox(std::string name, Control* parent, FolderReader& disk)
    : Control(ControlKind::FileList, std::move(name), parent), disk_(disk) {}

bool FileListBox::setPath(const std::string& folder) {
  std::optional<std::string> absolute = disk_.absoluteFolder(folder);
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
  names_ = path_.empty() ? std::vector<std::string>() : disk_.listFiles(path_, pattern_);
  listIndex_ = -1;
  ++contentVersion_;
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

DirListBox::DirListBox(std::string name, Control* parent, FolderReader& disk)
    : Control(ControlKind::DirList, std::move(name), parent), disk_(disk) {}

bool DirListBox::setPath(const std::string& folder) {
  std::optional<std::string> canonical = disk_.canonicalFolder(folder);
  if (!canonical) return false;
  if (*canonical == path_) return true;
  path_ = std::move(*canonical);
  ++contentVersion_;
  notifyChanged();
  Change.raise();
  return true;
}

std::vector<std::string> DirListBox::subFolders() const {
  return path_.empty() ? std::vector<std::string>() : disk_.listFolders(path_);
}

void DirListBox::refresh() {
  ++contentVersion_;
  notifyChanged();
}

DriveListBox::DriveListBox(std::string name, Control* parent, FolderReader& disk)
    : Control(ControlKind::DriveList, std::move(name), parent), disk_(disk) {}

// Any root is taken, readable or not: an unreadable drive shows as picked
// while the folder list refuses it and stays where it was.
void DriveListBox::setDrive(const std::string& root) {
  if (root.empty() || root == drive_) return;
  drive_ = root;
  notifyChanged();
  Change.raise();
}

std::vector<std::string> DriveListBox::drives() const { return disk_.driveRoots(); }

}  // namespace qm
