#include "platform/qt/skin_widgets.h"

#include <QPainter>

#include "platform/qt/control_widget.h"

namespace qm {

namespace {

QFont skinFont(int pixelSize) {
  QFont font;
  font.setPixelSize(pixelSize);
  return font;
}

}  // namespace

ImageWidget::ImageWidget(Image& image, QWidget* parent) : QWidget(parent), image_(image) {}

void ImageWidget::paintEvent(QPaintEvent*) {
  if (!image_.picture() || image_.picture()->isNull()) return;
  QPainter painter(this);
  painter.drawImage(rect(), *image_.picture());
}

LabelWidget::LabelWidget(Label& label, QWidget* parent) : QWidget(parent), label_(label) {
  setAttribute(Qt::WA_TranslucentBackground);
}

void LabelWidget::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::TextAntialiasing);
  // Narrow labels (the elapsed time is 32 pixels wide) get a smaller face.
  painter.setFont(skinFont(width() < 40 ? 11 : 12));
  painter.setPen(toQColor(label_.foreColor()));
  int align = Qt::AlignVCenter | (label_.alignment() == 1   ? Qt::AlignRight
                                  : label_.alignment() == 2 ? Qt::AlignHCenter
                                                            : Qt::AlignLeft);
  painter.drawText(rect(), align, QString::fromStdString(label_.caption()));
}

PictureBoxWidget::PictureBoxWidget(PictureBox& box, QWidget* parent) : QWidget(parent), box_(box) {}

void PictureBoxWidget::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), toQColor(box_.backColor()));
  if (box_.picture() && !box_.picture()->isNull()) painter.drawImage(rect(), *box_.picture());
}

FrameWidget::FrameWidget(Frame& frame, QWidget* parent) : QWidget(parent), frame_(frame) {}

void FrameWidget::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), toQColor(frame_.backColor()));
}

OptionWidget::OptionWidget(OptionButton& option, QWidget* parent) : QWidget(parent), option_(option) {
  // A click selects the button before its handler runs.
  option_.MouseDown.connect([this](int button, int, double, double) {
    if (button == kLeftButton) option_.setValue(true);
  });
}

void OptionWidget::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  const QColor accent(0x33, 0x99, 0xFF);
  painter.setPen(option_.value() ? accent : QColor(0xCC, 0xCC, 0xCC));
  painter.setFont(skinFont(12));
  painter.drawText(rect(), Qt::AlignCenter, QString::fromStdString(option_.caption()));
  if (option_.value()) painter.fillRect(QRect(2, height() - 2, width() - 4, 2), accent);
}

BlankWidget::BlankWidget(QWidget* parent) : QWidget(parent) {}

void BlankWidget::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), Qt::black);
}

}  // namespace qm
