#pragma once

#include <QComboBox>
#include <QListWidget>

#include "model/list_controls.h"

namespace qm {

// The file list on the screen: a click on a row selects that entry, which
// opens it.
class FileListWidget : public QListWidget {
 public:
  FileListWidget(FileListBox& list, QWidget* parent);
  void reload();

 private:
  FileListBox& list_;
  std::string shownPath_, shownPattern_;
  int shownCount_ = -1;
  bool reloading_ = false;
};

// The folder list: the way up and the sub-folders; a double click opens one.
class DirListWidget : public QListWidget {
 public:
  DirListWidget(DirListBox& list, QWidget* parent);
  void reload();

 private:
  DirListBox& list_;
  std::string shownPath_;
};

// The drive list: the mount roots.
class DriveWidget : public QComboBox {
 public:
  DriveWidget(DriveListBox& list, QWidget* parent);

 private:
  DriveListBox& list_;
};

}  // namespace qm
