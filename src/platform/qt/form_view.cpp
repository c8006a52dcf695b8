#include "platform/qt/form_view.h"

#include <QCloseEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMimeData>
#include <QScreen>
#include <QWheelEvent>

#include "model/list_controls.h"
#include "platform/qt/accessible_buttons.h"
#include "platform/qt/control_widget.h"
#include "platform/qt/list_widgets.h"
#include "platform/qt/skin_widgets.h"
#include "platform/qt/slider_view.h"
#include "slider/tvate.h"

namespace qm {

FormWindow::FormWindow(Form& form)
    : QWidget(nullptr,
              form.framed() ? Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint : Qt::Window | Qt::FramelessWindowHint),
      form_(form) {
  setObjectName(QString::fromStdString(form.name()));
  setWindowTitle(QString::fromStdString(form.caption()));
  setAttribute(Qt::WA_DeleteOnClose, false);
  QPalette pal = palette();
  pal.setColor(QPalette::Window, toQColor(form.backColor()));
  setPalette(pal);
  setAutoFillBackground(true);
  setAcceptDrops(form.FilesDropped.connected());
  // Long enough for a window manager to answer a state change with its size.
  settle_.setSingleShot(true);
  settle_.setInterval(60);
  QObject::connect(&settle_, &QTimer::timeout, this, [this] { reportToForm(); });
  std::weak_ptr<bool> alive = alive_;
  form_.changed.connect([this, alive] {
    if (auto a = alive.lock(); a && *a) syncFromForm();
  });
  syncFromForm();
}

FormWindow::~FormWindow() { *alive_ = false; }

void FormWindow::showCaption() {
  const QString caption = QString::fromStdString(form_.caption());
  if (windowTitle() != caption) setWindowTitle(caption);
}

// The form's place and size go to the window while it is in the normal
// state; the other states are the window system's to size.
void FormWindow::syncFromForm() {
  if (applying_) return;
  applying_ = true;
  deferredCaption_.request();
  static const Qt::CursorShape shapes[] = {Qt::ArrowCursor, Qt::SizeVerCursor, Qt::SizeFDiagCursor, Qt::SizeHorCursor};
  const int pointer = form_.mousePointer();
  setCursor(pointer == 7 ? shapes[1] : pointer == 8 ? shapes[2] : pointer == 9 ? shapes[3] : shapes[0]);
  if (screenState() == Form::Normal && form_.windowState() == Form::Normal) {
    QRect r(toPixels(form_.left()), toPixels(form_.top()), toPixels(form_.width()), toPixels(form_.height()));
    if (r.size() != size() && r.width() > 0 && r.height() > 0) resize(r.size());
    if (isVisible() && r.topLeft() != pos()) move(r.topLeft());
  }
  applying_ = false;
}

int FormWindow::screenState() const {
  const Qt::WindowStates s = windowState();
  if (s & Qt::WindowMinimized) return Form::Minimized;
  if (s & Qt::WindowFullScreen) return Form::FullScreen;
  if (s & Qt::WindowMaximized) return Form::Maximized;
  return Form::Normal;
}

void FormWindow::reportToForm() {
  if (applying_) return;
  applying_ = true;
  form_.syncFromScreen(pos().x() * kTwipsPerPixel, pos().y() * kTwipsPerPixel, width() * kTwipsPerPixel,
                       height() * kTwipsPerPixel, screenState());
  applying_ = false;
}

void FormWindow::closeEvent(QCloseEvent* event) {
  // The owner runs the unload and ends the process.
  event->ignore();
  form_.closeRequested.raise();
}

void FormWindow::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  if (!applying_) settle_.start();
}

void FormWindow::moveEvent(QMoveEvent* event) {
  QWidget::moveEvent(event);
  if (!applying_) settle_.start();
}

void FormWindow::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::WindowStateChange) settle_.start();
}

// Keys no control took reach the form as their virtual-key numbers.
void FormWindow::keyPressEvent(QKeyEvent* event) {
  static const std::pair<int, int> keys[] = {
      {Qt::Key_Return, kKeyEnter}, {Qt::Key_Enter, kKeyEnter},   {Qt::Key_Escape, kKeyEscape},
      {Qt::Key_Space, kKeySpace},  {Qt::Key_PageUp, kKeyPageUp}, {Qt::Key_PageDown, kKeyPageDown},
      {Qt::Key_Left, kKeyLeft},    {Qt::Key_Up, kKeyUp},         {Qt::Key_Right, kKeyRight},
      {Qt::Key_Down, kKeyDown},    {Qt::Key_F, kKeyF},           {Qt::Key_M, kKeyM},
      {Qt::Key_O, kKeyO}};
  for (auto [qt, code] : keys)
    if (event->key() == qt) {
      form_.KeyDown.raise(code, shiftCode(event->modifiers()));
      event->accept();
      return;
    }
  QWidget::keyPressEvent(event);
}

// A wheel turn over any piece that does not scroll itself (the lists do).
void FormWindow::wheelEvent(QWheelEvent* event) {
  const int notches = event->angleDelta().y() / 120;
  if (notches == 0) return QWidget::wheelEvent(event);
  const QPointF at = event->position();
  form_.MouseWheel.raise(notches, at.x() * kTwipsPerPixel, at.y() * kTwipsPerPixel);
  event->accept();
}

namespace {

// The local files and folders a drag carries; other addresses are left out.
std::vector<std::string> droppedPaths(const QMimeData* data) {
  std::vector<std::string> paths;
  if (!data || !data->hasUrls()) return paths;
  for (const QUrl& url : data->urls())
    // The path's own bytes: a name that is no UTF-8 arrives as it is on the disk.
    if (url.isLocalFile())
      paths.push_back(QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1()).toStdString());
  return paths;
}

}  // namespace

void FormWindow::dragEnterEvent(QDragEnterEvent* event) {
  if (!droppedPaths(event->mimeData()).empty()) event->acceptProposedAction();
}

void FormWindow::dropEvent(QDropEvent* event) {
  const std::vector<std::string> paths = droppedPaths(event->mimeData());
  if (paths.empty()) return;
  event->acceptProposedAction();
  form_.FilesDropped.raise(paths);
}

FormView::FormView(Form& form, const ContentViews& views) : views_(views) {
  window_ = new FormWindow(form);
  widgets_[&form] = window_;
  new ControlBinding(form, *window_);
  for (Control* child : form.children()) build(*child, window_);
  // Stack the top level once, back to front.
  for (Control* child : form.children())
    if (QWidget* w = widgetOf(*child)) w->raise();
}

FormView::~FormView() { delete window_; }

QWidget* FormView::widgetOf(const Control& control) const {
  auto it = widgets_.find(&control);
  return it == widgets_.end() ? nullptr : it->second;
}

void FormView::build(Control& control, QWidget* parent) {
  QWidget* widget = nullptr;
  bool pixelMouse = false;
  bool ownInput = false;  // the widget hands its input to the control itself
  switch (control.kind()) {
    case ControlKind::MenuItem:
      return;  // menus are popped up on demand
    case ControlKind::Image:
      widget = new ImageWidget(static_cast<Image&>(control), parent);
      if (control.Click.connected()) makeAccessibleButton(*widget, control);
      break;
    case ControlKind::Label:
      widget = new LabelWidget(static_cast<Label&>(control), parent);
      if (control.Click.connected()) makeAccessibleButton(*widget, control);
      break;
    case ControlKind::PictureBox:
      widget = new PictureBoxWidget(static_cast<PictureBox&>(control), parent);
      break;
    case ControlKind::Frame:
      widget = new FrameWidget(static_cast<Frame&>(control), parent);
      break;
    case ControlKind::OptionButton:
      widget = new OptionWidget(static_cast<OptionButton&>(control), parent);
      break;
    case ControlKind::CheckBox:
      widget = new CheckBoxWidget(static_cast<CheckBox&>(control), parent);
      break;
    case ControlKind::CommandButton:
      widget = new CommandButtonWidget(static_cast<CommandButton&>(control), parent);
      break;
    case ControlKind::FileList:
      widget = new FileListWidget(static_cast<FileListBox&>(control), parent);
      break;
    case ControlKind::DirList:
      widget = new DirListWidget(static_cast<DirListBox&>(control), parent);
      break;
    case ControlKind::DriveList:
      widget = new DriveWidget(static_cast<DriveListBox&>(control), parent);
      break;
    case ControlKind::Slider:
      widget = new SliderView(static_cast<tVate&>(control), parent);
      break;
    case ControlKind::MediaPlayer:
      pixelMouse = true;  // the video's mouse events count pixels
      [[fallthrough]];
    case ControlKind::FlashPlayer:
    case ControlKind::WebView:
      if (auto source = views_.find(&control); source != views_.end() && source->second)
        widget = source->second->createView(control, parent);
      ownInput = widget != nullptr;
      if (!widget) widget = new BlankWidget(parent);
      break;
    case ControlKind::Form:
      return;
  }
  widget->setObjectName(QString::fromStdString(control.name()));
  widgets_[&control] = widget;
  ownInput = ownInput || control.kind() == ControlKind::Slider || control.kind() == ControlKind::FileList ||
             control.kind() == ControlKind::DirList || control.kind() == ControlKind::DriveList;
  new ControlBinding(control, *widget, pixelMouse, !ownInput);
  for (Control* child : control.children()) build(*child, widget);
}

FormMirror::FormMirror(Form& form, ContentViews views) : form_(form), views_(std::move(views)) {
  std::weak_ptr<bool> alive = alive_;
  auto sync = [this, alive] {
    if (auto a = alive.lock(); a && *a) this->sync();
  };
  form_.changed.connect(sync);
  form_.Unload.connect([this, alive] {
    if (auto a = alive.lock(); a && *a) view_.reset();
  });
  sync();
}

FormMirror::~FormMirror() { *alive_ = false; }

QWidget* FormMirror::widgetOf(const Control& control) const { return view_ ? view_->widgetOf(control) : nullptr; }

void FormMirror::sync() {
  if (!form_.visible()) {
    if (view_ && view_->window().isVisible()) view_->window().hide();
    return;
  }
  if (!view_) {
    view_ = std::make_unique<FormView>(form_, views_);
    // A new window shows centred on the screen; the form holds the place, so
    // it shows there at once.
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
      const QRect area = screen->availableGeometry();
      const QSize size = view_->window().size();
      const QPoint at = area.center() - QPoint(size.width() / 2, size.height() / 2);
      form_.setLeft(at.x() * kTwipsPerPixel);
      form_.setTop(at.y() * kTwipsPerPixel);
      view_->window().move(at);
    }
  }
  if (!view_->window().isVisible()) view_->window().show();
}

}  // namespace qm
