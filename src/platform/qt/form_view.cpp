#include "platform/qt/form_view.h"

#include <QCloseEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMimeData>
#include <QScreen>
#include <QWheelEvent>
#include <QWindow>

#include "model/list_controls.h"
#include "platform/qt/accessible_buttons.h"
#include "platform/qt/control_widget.h"
#include "platform/qt/list_text.h"
#include "platform/qt/list_widgets.h"
#include "platform/qt/skin_widgets.h"
#include "platform/qt/slider_view.h"
#include "platform/qt/window_attachment.h"
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

// The title is one line in the task bar, as a list row is: a file name with
// a line break in it shows the return sign there too.
void FormWindow::showCaption() {
  const QString caption = listText(form_.caption());
  if (windowTitle() != caption) setWindowTitle(caption);
}

// The form's place and size go to the window while it is in the normal
// state; the other states are the window system's to size. Where the
// compositor places the windows, a move would change only Qt's idea of the
// place and part it from the pointer's positions, which Qt counts from there.
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
    if (isVisible() && r.topLeft() != pos() && !placedByMirror_ && !compositorPlacesWindows()) move(r.topLeft());
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
  const Twips left = placedByMirror_ ? form_.left() : pos().x() * kTwipsPerPixel;
  const Twips top = placedByMirror_ ? form_.top() : pos().y() * kTwipsPerPixel;
  form_.syncFromScreen(left, top, width() * kTwipsPerPixel, height() * kTwipsPerPixel, screenState());
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
      {Qt::Key_O, kKeyO},          {Qt::Key_B, kKeyB},           {Qt::Key_V, kKeyV},
      {Qt::Key_S, kKeyS},          {Qt::Key_BracketLeft, kKeyOpenBracket},
      {Qt::Key_BracketRight, kKeyCloseBracket}};
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
  constexpr int kNotch = 120;  // eighths of a degree
  const int turn = event->angleDelta().y();
  if (turn == 0) return QWidget::wheelEvent(event);
  // Parts of a notch the other way are forgotten.
  if ((turn > 0) != (wheelParts_ > 0)) wheelParts_ = 0;
  wheelParts_ += turn;
  const int notches = wheelParts_ / kNotch;
  wheelParts_ -= notches * kNotch;
  event->accept();
  if (notches == 0) return;
  const QPointF at = event->position();
  form_.MouseWheel.raise(notches, at.x() * kTwipsPerPixel, at.y() * kTwipsPerPixel);
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

FormMirror::FormMirror(Form& form, ContentViews views, FormMirror* owner)
    : form_(form), views_(std::move(views)), owner_(owner) {
  std::weak_ptr<bool> alive = alive_;
  auto sync = [this, alive] {
    if (auto a = alive.lock(); a && *a) this->sync();
  };
  form_.changed.connect(sync);
  form_.Unload.connect([this, alive] {
    if (auto a = alive.lock(); a && *a) {
      view_.reset();  // a popup's show still pending goes with its window
      attached_ = Attached::No;
      popupShowPending_ = false;
    }
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
    // it shows there at once. A compositor that places the windows itself
    // leaves the program its windows' own corners only, at 0,0.
    QScreen* screen = QGuiApplication::primaryScreen();
    if (compositorPlacesWindows()) {
      form_.setLeft(view_->window().pos().x() * kTwipsPerPixel);
      form_.setTop(view_->window().pos().y() * kTwipsPerPixel);
    } else if (screen) {
      const QRect area = screen->availableGeometry();
      const QSize size = view_->window().size();
      const QPoint at = area.center() - QPoint(size.width() / 2, size.height() / 2);
      form_.setLeft(at.x() * kTwipsPerPixel);
      form_.setTop(at.y() * kTwipsPerPixel);
      view_->window().move(at);
    }
    attachToOwner();
  }
  if (attached_ == Attached::AsPopup) {
    // A handler shows the form and then places it: the popup shows once the
    // handler is done, at the place it ends on.
    if (popupShowPending_ || (view_->window().isVisible() && popupPlace() == popupPlace_)) return;
    popupShowPending_ = true;
    std::weak_ptr<bool> alive = alive_;
    QTimer::singleShot(0, &view_->window(), [this, alive] {
      if (auto a = alive.lock(); a && *a) showPopupAtPlace();
    });
    return;
  }
  if (!view_->window().isVisible()) view_->window().show();
}

// Under X11 every side window is a child window of its owner: a window
// manager that stacks a new window below the focused one (openbox) would
// otherwise hide it behind the topmost main window it was opened from.
bool FormMirror::attachToOwner() {
  FormView* ownerView = owner_ ? owner_->view() : nullptr;
  if (attached_ != Attached::No || !view_ || !ownerView || !ownerView->window().isVisible()) return false;
  if (form_.framed() || !compositorPlacesWindows()) {
    makeChildOf(view_->window(), ownerView->window());
    attached_ = Attached::AsChild;
  } else {
    makePopupOf(view_->window(), ownerView->window());
    view_->window().setPlacedByMirror();
    attached_ = Attached::AsPopup;
  }
  return true;
}

// The form's place counted from the owner form's, from where Qt has the
// owner's window.
QPoint FormMirror::popupPlace() const {
  const QPoint offset(toPixels(form_.left() - owner_->form_.left()), toPixels(form_.top() - owner_->form_.top()));
  const QWindow* owner = owner_->view_ ? owner_->view_->window().windowHandle() : nullptr;
  return (owner ? owner->position() : QPoint()) + offset;
}

// A popup keeps the place it showed at, so a new place shows it again.
void FormMirror::showPopupAtPlace() {
  popupShowPending_ = false;
  if (!view_ || !form_.visible()) return;
  FormWindow& window = view_->window();
  const QPoint place = popupPlace();
  if (window.isVisible()) {
    if (place == popupPlace_) return;
    window.hide();
  }
  window.move(place);
  popupPlace_ = place;
  window.show();
}

void FormMirror::bringToFront() {
  if (!view_ || !view_->window().isVisible()) return;
  if (!attachToOwner()) view_->window().raise();
}

}  // namespace qm
