#pragma once

#include <QWidget>

#include "slider/tvate.h"

namespace qm {

// Shows a slider's drawn surface and hands the mouse to it in twips. The
// slider draws only at its own moments; the widget repaints after each one
// and otherwise shows the last drawing. Place and visibility are kept by the
// control binding like any other control's.
class SliderView : public QWidget {
 public:
  SliderView(tVate& slider, QWidget* parent);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  void showPointer();

  tVate& slider_;
  bool pressedInside_ = false;
};

}  // namespace qm
