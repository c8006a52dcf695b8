#pragma once

#include <QWidget>
#include <memory>

#include "model/control.h"
#include "platform/qt/deferred_call.h"

namespace qm {

// Pixels on the screen for twips in the controls.
inline int toPixels(Twips t) { return static_cast<int>(t >= 0 ? t / kTwipsPerPixel + 0.5 : t / kTwipsPerPixel - 0.5); }
QColor toQColor(Colour c);

// Keeps a widget in step with its control: place, size, visibility, tooltip,
// stacking among its siblings; and hands the widget's mouse input back to the
// control as its events.
class ControlBinding : public QObject {
 public:
  // `forwardInput` false: the widget hands its input to the control itself.
  ControlBinding(Control& control, QWidget& widget, bool pixelCoordinates = false, bool forwardInput = true);
  ~ControlBinding() override { *alive_ = false; }
  // Reads the control again. Changes the control reports are read on the
  // next turn of the event loop, all at once.
  void sync();
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  Control& control_;
  QWidget& widget_;
  bool pixels_;
  int lastStack_ = -1;
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
  bool pressedInside_ = false;
  int buttons_ = 0;
  DeferredCall deferredSync_{*this, [this] { sync(); }};
};

// Mouse button and modifier codes as the controls' events carry them.
int buttonCode(Qt::MouseButtons buttons);
int shiftCode(Qt::KeyboardModifiers modifiers);

}  // namespace qm
