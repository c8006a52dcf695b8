#include <cmath>

#include "slider/tvate.h"

namespace qm {

double tVate::toClientX(double x) const { return x - borderPixels() * double(kTwipsPerPixel); }
double tVate::toClientY(double y) const { return y - borderPixels() * double(kTwipsPerPixel); }

void tVate::surfaceMouseDown(int button, int shift, double x, double y) {
  if (!enabled()) return;
  const float cx = static_cast<float>(toClientX(x)), cy = static_cast<float>(toClientY(y));
  MouseDown.raise(button, shift, cx, cy);
  if (button == kLeftButton) {
    isDown_ = true;
    // The value jumps to the pressed point at once.
    handleMove(button, shift, cx, cy);
  }
}

void tVate::surfaceMouseMove(int button, int shift, double x, double y) {
  if (!enabled()) return;
  handleMove(button, shift, static_cast<float>(toClientX(x)), static_cast<float>(toClientY(y)));
}

void tVate::handleMove(int button, int shift, float x, float y) {
  MouseMove.raise(button, shift, x, y);
  isOver_ = true;
  timer1_.setEnabled(true);
  mouseX_ = x;
  if (!canMove_) return;
  if (button == kLeftButton) {
    // A bar no wider than its end pieces and thumb has no travel to divide
    // by: the value stays and only the redraw follows.
    if (auto v = valueAt(x)) {
      value_ = *v;
      Changed.raise(value_, max_);
    }
  }
  redraw();
}

std::optional<int> tVate::valueAt(double x) const {
  const double track = trackWidth();
  if (track == 0) return std::nullopt;
  double v = (x - shownCmdWidth() / 2.0 - leftWidth_ + biteL_) * max_ / track;
  if (v > max_) v = max_;
  if (v < 0) v = 0;
  return static_cast<int>(std::nearbyint(v));
}

void tVate::surfaceMouseUp(int button, int shift, double x, double y) {
  // A drag begun before the bar was disabled still ends, or Value writes
  // would be dropped for good.
  if (!enabled() && !isDown_) return;
  MouseUp.raise(button, shift, static_cast<float>(toClientX(x)), static_cast<float>(toClientY(y)));
  isDown_ = false;
  redraw();
}

void tVate::surfaceClick() {
  if (enabled()) Click.raise();
}

void tVate::surfaceDblClick() {
  if (enabled()) DBClick.raise();
}

void tVate::hoverTick() {
  if (windows_.cursorOver(*this)) return;
  timer1_.setEnabled(false);
  isOver_ = false;
  redraw();
}

bool tVate::isMouseOnCmd() const {
  const float right = cmdLeft_ + static_cast<float>(cmdWidth_);
  return cmdLeft_ < mouseX_ && mouseX_ < right;
}

int tVate::GetMouseState() {
  if (!enabled()) return Disabled;
  if (!canMove_) return PointerAway;
  int state = PointerAway;
  if (isDown_)
    state = Dragging;
  else if (isOver_ && isMouseOnCmd())
    state = PointerOnThumb;
  if (state != PointerAway)
    MouseOverCmd.raise();
  else
    MouseOutCmd.raise();
  return state;
}

}  // namespace qm
