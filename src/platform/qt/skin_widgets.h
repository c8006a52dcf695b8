#pragma once

#include <QWidget>

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

// A black area where an engine draws (or where no engine is there yet).
class BlankWidget : public QWidget {
 public:
  explicit BlankWidget(QWidget* parent);

 protected:
  void paintEvent(QPaintEvent*) override;
};

}  // namespace qm
