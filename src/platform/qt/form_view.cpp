#include "platform/qt/form_view.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QScreen>

#include "platform/file_lists.h"
#include "platform/qt/control_widget.h"
#include "platform/qt/list_widgets.h"
#include "platform/qt/skin_widgets.h"
#include "platform/qt/slider_view.h"
#include "slider/tvate.h"

namespace qm {

FormWindow::FormWindow(Form& form) : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint), form_(form) {
  setObjectName(QString::fromStdString(form.name()));
  setWindowTitle(QString::fromStdString(form.caption()));
  setAttribute(Qt::WA_DeleteOnClose, false);
  QPalette pal = palette();
  pal.setColor(QPalette::Window, Qt::black);
  setPalette(pal);
  setAutoFillBackground(true);
  form_.changed.connect([this] { syncFromForm(); });
  syncFromForm();
}

void FormWindow::syncFromForm() {
  if (applying_) return;
  applying_ = true;
  setWindowTitle(QString::fromStdString(form_.caption()));
  static const Qt::CursorShape shapes[] = {Qt::ArrowCursor, Qt::SizeVerCursor, Qt::SizeFDiagCursor,
                                           Qt::SizeHorCursor};
  const int pointer = form_.mousePointer();
  setCursor(pointer == 7 ? shapes[1] : pointer == 8 ? shapes[2] : pointer == 9 ? shapes[3] : shapes[0]);
  switch (form_.windowState()) {
    case Form::Maximized:
      if (!isMaximized() && isVisible()) showMaximized();
      break;
    case Form::Minimized:
      if (!isMinimized() && isVisible()) showMinimized();
      break;
    default:
      if ((isMaximized() || isMinimized()) && isVisible()) showNormal();
      if (!isMaximized()) {
        QRect r(toPixels(form_.left()), toPixels(form_.top()), toPixels(form_.width()), toPixels(form_.height()));
        if (r.size() != size() && r.width() > 0 && r.height() > 0) resize(r.size());
        if (isVisible() && r.topLeft() != pos()) move(r.topLeft());
      }
  }
  applying_ = false;
}

void FormWindow::reportToForm() {
  if (applying_) return;
  applying_ = true;
  int state = isMinimized() ? Form::Minimized : isMaximized() ? Form::Maximized : Form::Normal;
  form_.syncFromScreen(pos().x() * kTwipsPerPixel, pos().y() * kTwipsPerPixel, width() * kTwipsPerPixel,
                       height() * kTwipsPerPixel, state);
  applying_ = false;
}

void FormWindow::closeEvent(QCloseEvent* event) {
  // The owner runs the unload and ends the process.
  event->ignore();
  form_.closeRequested.raise();
}

void FormWindow::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  reportToForm();
}

void FormWindow::moveEvent(QMoveEvent* event) {
  QWidget::moveEvent(event);
  reportToForm();
}

void FormWindow::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::WindowStateChange) reportToForm();
}

FormView::FormView(Form& form, WidgetFactory factory) : form_(form), factory_(std::move(factory)) {
  window_ = new FormWindow(form);
  widgets_[&form] = window_;
  new ControlBinding(form, *window_);
  for (Control* child : form.children()) build(*child, window_);
  // Stack the top level once, back to front.
  for (Control* child : form.children())
    if (QWidget* w = widgetOf(*child)) w->raise();
}

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
      break;
    case ControlKind::Label:
      widget = new LabelWidget(static_cast<Label&>(control), parent);
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
      if (factory_) widget = factory_(control, parent);
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

void FormView::show() {
  if (QScreen* screen = QGuiApplication::primaryScreen()) {
    QRect area = screen->availableGeometry();
    QSize size = window_->size();
    // The form holds the place, so the window shows there at once.
    const QPoint at = area.center() - QPoint(size.width() / 2, size.height() / 2);
    form_.setLeft(at.x() * kTwipsPerPixel);
    form_.setTop(at.y() * kTwipsPerPixel);
    window_->move(at);
  }
  window_->show();
}

}  // namespace qm
