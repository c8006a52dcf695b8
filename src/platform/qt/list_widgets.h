#pragma once

#include <QAbstractListModel>
#include <QComboBox>
#include <QListView>
#include <QListWidget>

#include "model/list_controls.h"
#include "platform/qt/deferred_call.h"

namespace qm {

// The file list's names for a view, read from the control on demand: a
// folder of 100,000 files costs the view only the rows it shows.
class FileListModel : public QAbstractListModel {
 public:
  explicit FileListModel(FileListBox& list, QObject* parent) : QAbstractListModel(parent), list_(list) {}
  int rowCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  // The control read its folder again.
  void reload();

 private:
  FileListBox& list_;
};

// The file list on the screen: a click (or Enter) on a row selects that
// entry, which opens it; pointer moves reach the control's MouseMove.
class FileListWidget : public QListView {
 public:
  FileListWidget(FileListBox& list, QWidget* parent);
  void sync();

 private:
  void showSelection();
  FileListBox& list_;
  FileListModel* model_;
  unsigned shownVersion_ = 0;
  bool syncing_ = false;
  DeferredCall deferredSelection_{*this, [this] { showSelection(); }};
};

// The folder list: the path from the root down to the open folder, then its
// sub-folders; a double click (or Enter) opens one.
class DirListWidget : public QListWidget {
 public:
  DirListWidget(DirListBox& list, QWidget* parent);
  void reload();

 private:
  DirListBox& list_;
  unsigned shownVersion_ = 0;
};

// The drive list: the mount roots and the home folder.
class DriveWidget : public QComboBox {
 public:
  DriveWidget(DriveListBox& list, QWidget* parent);
  void showPopup() override;

 private:
  DriveListBox& list_;
};

}  // namespace qm
