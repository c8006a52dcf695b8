#pragma once

// CONTRACT SKETCH for the slider helper: the public surface the main window
// relies on. The helper owns this file and may refine it, keeping these names.

#include <QImage>
#include <cstdint>
#include <string>

#include "app/control.h"
#include "platform/timer.h"
#include "platform/window_system.h"

namespace qm {

// The player's own horizontal slider: the seek bar and the volume bar.
class tVate : public Control {
 public:
  tVate(std::string name, Control* parent, Clock& clock, WindowSystem& windows);

  // Properties (getters and setters with the exact setter behaviour).
  int Value() const;
  void setValue(int v);
  int Max() const;
  void setMax(int v);
  int Style() const;
  void setStyle(int v);
  bool CanMove() const;
  void setCanMove(bool v);
  // Returns false on an overflow error (the field keeps its value).
  bool setBite_LP(int pixels);
  bool setBite_RP(int pixels);
  int Bite_LP() const;
  int Bite_RP() const;
  void setcMouseIcon(Picture icon);
  void setcMousePointer(int pointer);
  int cMousePointer() const;
  const Picture& cMouseIcon() const;
  // ... Caption, BkPicture, Appearance, BorderStyle, colours, IsShowCmd

  // Returns false on an overflow error.
  bool setPicture(const Picture& strip, int lP_Width, int rP_Width, int lmP_Width, int rmP_Width,
                  int cP_Width, int cmp_Height = 0, int cmp_Top = 0);

  // The drawn surface, one pixel per 15 twips of the control's size.
  const QImage& surface() const;

  // Input from the screen, in twips of the control.
  void surfaceMouseDown(int button, int shift, double x, double y);
  void surfaceMouseMove(int button, int shift, double x, double y);
  void surfaceMouseUp(int button, int shift, double x, double y);
  void surfaceClick();
  void surfaceDblClick();

  // MouseDown, MouseMove, MouseUp and Click are the Control's events.
  Event<> MouseOverCmd;
  Event<> MouseOutCmd;
  Event<int, int> Changed;
  Event<> Done;
  Event<> DBClick;
  // The saved state changed (the host would save it again).
  Event<> PropertyChanged;
};

}  // namespace qm
