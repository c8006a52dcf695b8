#pragma once

#include <string>
#include <vector>

#include "model/control.h"
#include "model/folder_reader.h"

namespace qm {

// The file list: the files of one folder that match a pattern, sorted
// ignoring case. Setting the selected index, by the user or by code, raises
// Click before the setter returns; that is how entries are opened.
class FileListBox : public Control {
 public:
  FileListBox(std::string name, Control* parent, FolderReader& disk);

  const std::string& path() const { return path_; }
  // Re-reads the list; a folder that does not exist is refused (false) and
  // the list stays as it was.
  bool setPath(const std::string& folder);
  const std::string& pattern() const { return pattern_; }
  void setPattern(const std::string& pattern);
  void refresh();
  // Changes whenever the list was read again, so a view knows when to
  // redraw its rows rather than only its selection.
  unsigned contentVersion() const { return contentVersion_; }

  int listCount() const { return static_cast<int>(names_.size()); }
  // Empty for an index outside the list.
  std::string list(int index) const;
  int listIndex() const { return listIndex_; }
  // -1 clears the selection; an index outside -1..count-1 is refused (false)
  // and raises nothing.
  bool setListIndex(int index);
  // The selected name, empty when nothing is selected.
  std::string fileName() const;

 private:
  FolderReader& disk_;
  std::string path_;
  std::string pattern_ = "*.*";
  std::vector<std::string> names_;
  int listIndex_ = -1;
  unsigned contentVersion_ = 0;
};

// The folder list: the current folder, its parents and its sub-folders.
class DirListBox : public Control {
 public:
  DirListBox(std::string name, Control* parent, FolderReader& disk);
  const std::string& path() const { return path_; }
  // Raises Change when the folder changes; a folder that does not exist is
  // refused (false).
  bool setPath(const std::string& folder);
  // Sub-folders of the current folder, sorted ignoring case.
  std::vector<std::string> subFolders() const;
  // Makes views read the sub-folders again (folders made or removed since).
  void refresh();
  // Grows with each new folder and each refresh: a view reads the
  // sub-folders again only then, not at every change of place or size.
  unsigned contentVersion() const { return contentVersion_; }

  Event<> Change;

 private:
  FolderReader& disk_;
  std::string path_;
  unsigned contentVersion_ = 0;
};

// The drive list: the roots of the mounted file systems the user can browse.
class DriveListBox : public Control {
 public:
  DriveListBox(std::string name, Control* parent, FolderReader& disk);
  const std::string& drive() const { return drive_; }
  // Raises Change when the drive changes.
  void setDrive(const std::string& root);
  std::vector<std::string> drives() const;

  Event<> Change;

 private:
  FolderReader& disk_;
  std::string drive_ = "/";
};

}  // namespace qm
