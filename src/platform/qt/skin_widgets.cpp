#include "platform/qt/skin_widgets.h"

#include <QFontMetrics>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionButton>

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
  if (label_.backStyle() == 1) painter.fillRect(rect(), toQColor(label_.backColor()));
  painter.setRenderHint(QPainter::TextAntialiasing);
  // Narrow labels (the elapsed time is 32 pixels wide) get a smaller face,
  // and a line longer than its label (a movie's "113/250") smaller still.
  const QString text = QString::fromStdString(label_.caption());
  int pixels = width() < 40 ? 11 : 12;
  QFont font = skinFont(pixels);
  while (!label_.wordWrap() && pixels > 8 && QFontMetrics(font).horizontalAdvance(text) > width())
    font = skinFont(--pixels);
  painter.setFont(font);
  painter.setPen(toQColor(label_.foreColor()));
  int align = (label_.wordWrap() ? Qt::AlignTop | Qt::TextWordWrap : Qt::AlignVCenter) | Qt::TextShowMnemonic |
              (label_.alignment() == 1   ? Qt::AlignRight
               : label_.alignment() == 2 ? Qt::AlignHCenter
                                         : Qt::AlignLeft);
  painter.drawText(rect(), align, text);
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
  if (frame_.borderStyle() != 1) return;
  // A group: a line round it, broken by the caption at the top left.
  painter.setFont(skinFont(12));
  const QString caption = QString::fromStdString(frame_.caption());
  const int textHeight = painter.fontMetrics().height();
  const int textWidth = painter.fontMetrics().horizontalAdvance(caption);
  painter.setPen(QColor(0xA0, 0xA0, 0xA0));
  painter.drawRect(QRect(0, textHeight / 2, width() - 1, height() - 1 - textHeight / 2));
  const QRect captionRect(8, 0, textWidth + 6, textHeight);
  painter.fillRect(captionRect, toQColor(frame_.backColor()));
  painter.setPen(Qt::black);
  painter.drawText(captionRect, Qt::AlignCenter, caption);
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

CheckBoxWidget::CheckBoxWidget(CheckBox& box, QWidget* parent) : QWidget(parent), box_(box) {
  // The user's click changes the tick first; the binding raises Click after.
  std::weak_ptr<bool> alive = alive_;
  box_.MouseDown.connect([&box, alive](int button, int, double, double) {
    auto a = alive.lock();
    if (a && *a && button == kLeftButton)
      box.setValue(box.value() == CheckBox::Checked ? CheckBox::Unchecked : CheckBox::Checked);
  });
}

void CheckBoxWidget::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  QStyleOptionButton option;
  option.initFrom(this);
  option.text = QString::fromStdString(box_.caption());
  option.state |= box_.value() == CheckBox::Checked  ? QStyle::State_On
                  : box_.value() == CheckBox::Grayed ? QStyle::State_NoChange
                                                     : QStyle::State_Off;
  if (!box_.enabled()) option.state &= ~QStyle::State_Enabled;
  style()->drawControl(QStyle::CE_CheckBox, &option, &painter, this);
}

CommandButtonWidget::CommandButtonWidget(CommandButton& button, QWidget* parent) : QWidget(parent), button_(button) {
  std::weak_ptr<bool> alive = alive_;
  auto press = [this, alive](bool pressed) {
    if (auto a = alive.lock(); a && *a) {
      pressed_ = pressed;
      update();
    }
  };
  button_.MouseDown.connect([press](int button, int, double, double) { press(button == kLeftButton); });
  button_.MouseUp.connect([press](int, int, double, double) { press(false); });
}

void CommandButtonWidget::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  QStyleOptionButton option;
  option.initFrom(this);
  option.text = QString::fromStdString(button_.caption());
  option.state |= pressed_ ? QStyle::State_Sunken : QStyle::State_Raised;
  if (!button_.enabled()) option.state &= ~QStyle::State_Enabled;
  style()->drawControl(QStyle::CE_PushButton, &option, &painter, this);
}

BlankWidget::BlankWidget(QWidget* parent) : QWidget(parent) {}

void BlankWidget::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), Qt::black);
}

}  // namespace qm
