#include "platform/qt/list_widgets.h"

#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyle>
#include <ranges>
#include <string>
#include <string_view>
#include <vector>

#include "platform/qt/control_widget.h"
#include "platform/qt/list_text.h"
#include "platform/qt/side_panel_style.h"

namespace qm {

namespace {

// Keys that mean nothing to a one-column list go on to the window, so the
// player's keys (Space to pause, Left and Right to seek, Esc, Ctrl+O) work
// right after a click in the list; the list keeps the keys that move in it
// (Up, Down, the pages, Home, End, Enter, letters to find an entry).
class PlayerKeysToWindow : public QObject {
 public:
  explicit PlayerKeysToWindow(QWidget& list) : QObject(&list), list_(list) { list.installEventFilter(this); }
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() != QEvent::KeyPress) return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    const bool plain = !(key->modifiers() & ~Qt::KeypadModifier);
    const bool playerKey = (plain && (key->key() == Qt::Key_Space || key->key() == Qt::Key_Left ||
                                      key->key() == Qt::Key_Right || key->key() == Qt::Key_Escape)) ||
                           (key->key() == Qt::Key_O && key->modifiers() & Qt::ControlModifier);
    if (!playerKey || list_.window() == &list_) return false;
    QCoreApplication::sendEvent(list_.window(), event);
    return true;
  }

 private:
  QWidget& list_;
};

void styleList(QAbstractItemView& view, const QString& accessibleName) {
  applySidePanelStyle(view);
  QFont font = view.font();
  font.setPixelSize(12);
  view.setFont(font);
  view.setAccessibleName(accessibleName);
  // One size for every row's icon: the theme's open and closed folder
  // pictures come at different sizes, and rows would grow with them.
  view.setIconSize(QSize(16, 16));
  new PlayerKeysToWindow(view);
}

// Hands the pointer's moves over a list's rows to the list control's
// MouseMove, in twips of the list's own coordinates.
class PointerRelay : public QObject {
 public:
  PointerRelay(Control& control, QAbstractItemView& view) : QObject(&view), control_(control), view_(view) {
    view.viewport()->setMouseTracking(true);
    view.viewport()->installEventFilter(this);
  }
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::MouseMove) {
      auto* e = static_cast<QMouseEvent*>(event);
      const QPointF at = e->position() + QPointF(view_.viewport()->pos());
      control_.MouseMove.raise(buttonCode(e->buttons()), shiftCode(e->modifiers()), at.x() * kTwipsPerPixel,
                               at.y() * kTwipsPerPixel);
    }
    return false;
  }

 private:
  Control& control_;
  QAbstractItemView& view_;
};

}  // namespace

int FileListModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : list_.listCount(); }

QVariant FileListModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= list_.listCount()) return {};
  if (role == Qt::DisplayRole || role == Qt::AccessibleTextRole) return listText(list_.list(index.row()));
  if (role == Qt::ToolTipRole) return plainToolTip(listText(list_.list(index.row())));
  return {};
}

void FileListModel::reload() {
  beginResetModel();
  endResetModel();
}

FileListWidget::FileListWidget(FileListBox& list, QWidget* parent) : QListView(parent), list_(list) {
  styleList(*this, QStringLiteral("文件列表"));
  // Rows of one height: the view lays out a huge list without measuring it.
  setUniformItemSizes(true);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setTextElideMode(Qt::ElideMiddle);
  model_ = new FileListModel(list_, this);
  setModel(model_);
  new PointerRelay(list_, *this);
  list_.changed.connect([this] { sync(); });
  auto open = [this](const QModelIndex& index) {
    if (!syncing_ && index.isValid()) list_.setListIndex(index.row());
  };
  connect(this, &QListView::clicked, this, open);
  connect(this, &QListView::activated, this, [this, open](const QModelIndex& index) {
    // A click was taken already; Enter opens the current row.
    if (QGuiApplication::mouseButtons() == Qt::NoButton) open(index);
  });
  sync();
}

// The rows are read again at once when the control read its folder again
// (the view must never ask for a row that is gone); the selection mark moves
// on the next turn of the event loop, once for any number of selections.
void FileListWidget::sync() {
  if (shownVersion_ != list_.contentVersion()) {
    shownVersion_ = list_.contentVersion();
    syncing_ = true;
    model_->reload();
    syncing_ = false;
  }
  deferredSelection_.request();
}

void FileListWidget::showSelection() {
  syncing_ = true;
  const int row = list_.listIndex();
  if (currentIndex().row() != row || (row >= 0 && !selectionModel()->isSelected(currentIndex()))) {
    if (row < 0) {
      clearSelection();
      setCurrentIndex(QModelIndex());
    } else {
      const QModelIndex index = model_->index(row);
      setCurrentIndex(index);
      scrollTo(index);
    }
  }
  syncing_ = false;
}

DirListWidget::DirListWidget(DirListBox& list, QWidget* parent) : QListWidget(parent), list_(list) {
  styleList(*this, QStringLiteral("文件夹列表"));
  new PointerRelay(list_, *this);
  list_.changed.connect([this] { reload(); });
  // An unreadable folder is refused by the control; the list stays.
  connect(this, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) {
    const QByteArray target = item->data(Qt::UserRole).toByteArray();
    if (!target.isEmpty()) list_.setPath(target.toStdString());
  });
  reload();
}

// Each row keeps its folder's path as the bytes the file system has, so that
// a folder whose name is no UTF-8 (GBK from an old archive) still opens.
void DirListWidget::reload() {
  if (shownVersion_ == list_.contentVersion() && count() > 0) return;
  shownVersion_ = list_.contentVersion();
  clear();
  if (list_.path().empty()) return;
  const QIcon openIcon = style()->standardIcon(QStyle::SP_DirOpenIcon);
  const QIcon closedIcon = style()->standardIcon(QStyle::SP_DirIcon);
  auto add = [this](const QIcon& icon, int depth, const std::string& name, const std::string& target) {
    auto* item = new QListWidgetItem(icon, QString(depth * 2, ' ') + listText(name), this);
    item->setData(Qt::UserRole, QByteArray::fromStdString(target));
    item->setToolTip(plainToolTip(listText(target)));
    return item;
  };
  // The path down: the root, then each folder on the way to the open one.
  std::vector<std::string> steps;
  for (const auto step : std::views::split(std::string_view(list_.path()), '/'))
    if (!step.empty()) steps.emplace_back(step.begin(), step.end());
  QListWidgetItem* root = add(openIcon, 0, "/", "/");
  if (steps.empty()) {
    root->setForeground(QColor(0x33, 0x99, 0xFF));
    setCurrentItem(root);
  }
  std::string walked;
  for (std::size_t i = 0; i < steps.size(); ++i) {
    walked += '/' + steps[i];
    QListWidgetItem* item = add(openIcon, static_cast<int>(i) + 1, steps[i], walked);
    if (i + 1 == steps.size()) {
      item->setForeground(QColor(0x33, 0x99, 0xFF));
      setCurrentItem(item);
    }
  }
  for (const std::string& sub : list_.subFolders())
    add(closedIcon, static_cast<int>(steps.size()) + 1, sub, walked + '/' + sub);
}

DriveWidget::DriveWidget(DriveListBox& list, QWidget* parent) : QComboBox(parent), list_(list) {
  applySidePanelStyle(*this);
  setAccessibleName(QStringLiteral("驱动器列表"));
  for (const std::string& d : list_.drives()) addItem(QString::fromStdString(d));
  setCurrentText(QString::fromStdString(list_.drive()));
  connect(this, &QComboBox::activated, this, [this](int index) { list_.setDrive(itemText(index).toStdString()); });
}

// The drop-down is made when it first opens; its rows take the panel's look.
void DriveWidget::showPopup() {
  applySidePanelStyle(*view());
  QComboBox::showPopup();
}

}  // namespace qm
