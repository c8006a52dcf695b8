#pragma once

#include <QWidget>

namespace qm {

class Control;
class MpvEngine;

// The screen of a media player control: paints the engine's latest frame
// scaled to fit, keeping its aspect, on black, and turns the mouse into the
// control's events (button 1 left, 2 right, 4 middle; shift 1 Shift, 2 Ctrl,
// 4 Alt; x and y in pixels of the view). The control's place and size are
// applied by the window; the view fills whatever it is given.
class MediaView : public QWidget {
 public:
  MediaView(Control& control, MpvEngine& engine, QWidget* parent);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;

 private:
  bool acceptsMouse() const;

  Control& control_;
  MpvEngine& engine_;
  // A press whose release may still make a Click (left button, not the
  // second press of a double click).
  bool clickPending_ = false;
  // The last left press on this view, while the pointer stayed over it: a
  // double click is one only when its first press was here too.
  bool leftPressHere_ = false;
  quint64 leftPressTime_ = 0;
};

}  // namespace qm
