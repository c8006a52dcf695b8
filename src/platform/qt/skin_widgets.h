#pragma once

#include <QWidget>
#include <memory>

#include "model/control.h"

namespace qm {

// A picture stretched over the piece (skin pieces and buttons).
class ImageWidget : public QWidget {
 public:
  ImageWidget(Image& image, QWidget* parent);

 protected:
  void paintEvent(QPaintEvent*) override;

 private:
  Image& image_;
};

// A line of text on the skin, drawn over whatever lies behind it.
class LabelWidget : public QWidget {
 public:
  LabelWidget(Label& label, QWidget* parent);

 protected:
  void paintEvent(QPaintEvent*) override;

 private:
  Label& label_;
};

// A container with a colour and an optional stretched picture.
class PictureBoxWidget : public QWidget {
 public:
  PictureBoxWidget(PictureBox& box, QWidget* parent);

 protected:
  void paintEvent(QPaintEvent*) override;

 private:
  PictureBox& box_;
};

// The list panel's container.
class FrameWidget : public QWidget {
 public:
  FrameWidget(Frame& frame, QWidget* parent);

 protected:
  void paintEvent(QPaintEvent*) override;

 private:
  Frame& frame_;
};

// A filter button of the list panel.
class OptionWidget : public QWidget {
 public:
  OptionWidget(OptionButton& option, QWidget* parent);

 protected:
  void paintEvent(QPaintEvent*) override;

 private:
  OptionButton& option_;
};

// A check box of a dialog, in the desktop's style. A left press changes the
// tick before the control's Click runs.
class CheckBoxWidget : public QWidget {
 public:
  CheckBoxWidget(CheckBox& box, QWidget* parent);
  ~CheckBoxWidget() override { *alive_ = false; }

 protected:
  void paintEvent(QPaintEvent*) override;

 private:
  CheckBox& box_;
  // The box outlives its widget (a dialog's window goes when it closes).
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

// A push button of a dialog, in the desktop's style.
class CommandButtonWidget : public QWidget {
 public:
  CommandButtonWidget(CommandButton& button, QWidget* parent);
  ~CommandButtonWidget() override { *alive_ = false; }

 protected:
  void paintEvent(QPaintEvent*) override;

 private:
  CommandButton& button_;
  bool pressed_ = false;
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

// A black area where an engine draws (or where no engine is there yet).
class BlankWidget : public QWidget {
 public:
  explicit BlankWidget(QWidget* parent);

 protected:
  void paintEvent(QPaintEvent*) override;
};

}  // namespace qm
