#include "platform/qt/list_widgets.h"

#include "platform/qt/list_text.h"

#include <QDir>

namespace qm {

namespace {

void styleList(QAbstractItemView& view) {
  view.setStyleSheet(
      "QListWidget, QComboBox { background: #1c1c1c; color: #dddddd; border: 1px solid #3a3a3a; }"
      "QListWidget::item:selected { background: #3399ff; color: white; }"
      "QScrollBar:vertical { background: #1c1c1c; width: 10px; margin: 0; border: none; }"
      "QScrollBar:horizontal { background: #1c1c1c; height: 10px; margin: 0; border: none; }"
      "QScrollBar::handle { background: #4a4f57; border-radius: 4px; min-height: 20px; min-width: 20px; }"
      "QScrollBar::handle:hover { background: #3399ff; }"
      "QScrollBar::add-line, QScrollBar::sub-line { width: 0; height: 0; border: none; }"
      "QScrollBar::add-page, QScrollBar::sub-page { background: none; }");
  QFont font = view.font();
  font.setPixelSize(12);
  view.setFont(font);
}

}  // namespace

FileListWidget::FileListWidget(FileListBox& list, QWidget* parent) : QListWidget(parent), list_(list) {
  styleList(*this);
  list_.changed.connect([this] { reload(); });
  connect(this, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
    if (!reloading_) list_.setListIndex(row(item));
  });
  reload();
}

void FileListWidget::reload() {
  reloading_ = true;
  if (shownPath_ != list_.path() || shownPattern_ != list_.pattern() || shownCount_ != list_.listCount()) {
    clear();
    for (int i = 0; i < list_.listCount(); ++i) addItem(listText(list_.list(i)));
    shownPath_ = list_.path();
    shownPattern_ = list_.pattern();
    shownCount_ = list_.listCount();
  }
  if (currentRow() != list_.listIndex()) setCurrentRow(list_.listIndex());
  reloading_ = false;
}

DirListWidget::DirListWidget(DirListBox& list, QWidget* parent) : QListWidget(parent), list_(list) {
  styleList(*this);
  list_.changed.connect([this] { reload(); });
  connect(this, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
    QString target = item->data(Qt::UserRole).toString();
    list_.setPath(target.toStdString());
  });
  reload();
}

void DirListWidget::reload() {
  if (shownPath_ == list_.path() && count() > 0) return;
  shownPath_ = list_.path();
  clear();
  QDir dir(QString::fromStdString(list_.path()));
  auto add = [this](const QString& text, const QString& target) {
    auto* item = new QListWidgetItem(text, this);
    item->setData(Qt::UserRole, target);
  };
  // The open folder heads the list; its parent and sub-folders follow.
  if (!list_.path().empty()) {
    auto* here = new QListWidgetItem(QString::fromStdString(list_.path()), this);
    here->setFlags(Qt::ItemIsEnabled);
    here->setForeground(QColor(0x33, 0x99, 0xFF));
    here->setData(Qt::UserRole, QString::fromStdString(list_.path()));
  }
  if (!dir.isRoot() && !list_.path().empty()) add("..", QDir::cleanPath(dir.absoluteFilePath("..")));
  for (const std::string& sub : list_.subFolders())
    add(QString::fromStdString(sub), dir.absoluteFilePath(QString::fromStdString(sub)));
}

DriveWidget::DriveWidget(DriveListBox& list, QWidget* parent) : QComboBox(parent), list_(list) {
  setStyleSheet("QComboBox { background: #1c1c1c; color: #dddddd; border: 1px solid #3a3a3a; }");
  for (const std::string& d : list_.drives()) addItem(QString::fromStdString(d));
  setCurrentText(QString::fromStdString(list_.drive()));
  connect(this, &QComboBox::activated, this, [this](int index) { list_.setDrive(itemText(index).toStdString()); });
}

}  // namespace qm
