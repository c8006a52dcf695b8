#include "slider/tvate.h"

#include <cmath>

#include "slider/int16.h"

namespace qm {

namespace {
constexpr int kHoverIntervalMs = 10;
}

tVate::tVate(std::string name, Control* parent, Clock& clock, WindowSystem& windows)
    : Control(ControlKind::Slider, std::move(name), parent),
      windows_(windows),
      timer1_("Timer1", clock, kHoverIntervalMs) {
  timer1_.Tick.connect([this] { hoverTick(); });
  setMax(100);
  setValue(1);
  setStyle(2);
  setIsShowCmd(true);
}

void tVate::setCaption(std::string text) {
  caption_ = std::move(text);
  notify();
}

void tVate::setcMouseIcon(Picture icon) {
  mouseIcon_ = std::move(icon);
  notifyChanged();  // the screen shows the new cursor
  notify();
}

bool tVate::setcMousePointer(int pointer) {
  auto field = toInt16(pointer);
  if (!field) return false;
  bool shapeChanges = mousePointer_ != *field;
  mousePointer_ = *field;
  // The host sets this at every redraw over the thumb; the screen only needs
  // to hear of real changes.
  if (shapeChanges) notifyChanged();
  notify();
  return true;
}

void tVate::setBkPicture(Picture picture) {
  bkPicture_ = std::move(picture);
  redraw();
  notify();
}

bool tVate::setAppearance(int appearance) {
  if (appearance != 0 && appearance != 1) return false;
  int borderBefore = borderPixels();
  appearance_ = static_cast<std::int16_t>(appearance);
  // A thicker or thinner border resizes the drawing area, which redraws.
  if (borderPixels() != borderBefore) redraw();
  notifyChanged();
  notify();
  return true;
}

bool tVate::setBorderStyle(int borderStyle) {
  if (borderStyle != 0 && borderStyle != 1) return false;
  int borderBefore = borderPixels();
  borderStyle_ = static_cast<std::int16_t>(borderStyle);
  if (borderPixels() != borderBefore) redraw();
  notifyChanged();
  notify();
  return true;
}

void tVate::setStyle(int style) {
  style_ = style;
  redraw();
  notify();
}

void tVate::setCanMove(bool canMove) {
  canMove_ = canMove;
  redraw();
  notify();
}

void tVate::setRedrawingColour(Colour& field, Colour c) {
  field = c;
  redraw();
  notify();
}

void tVate::setTopColor(Colour c) { setRedrawingColour(topColor_, c); }
void tVate::setBottomColor(Colour c) { setRedrawingColour(bottomColor_, c); }
void tVate::setGotTopColor(Colour c) { setRedrawingColour(gotTopColor_, c); }
void tVate::setGotBottomColor(Colour c) { setRedrawingColour(gotBottomColor_, c); }

void tVate::setMax(int max) {
  max_ = max;
  redraw();
  notify();
}

void tVate::setValue(int value) {
  if (!isDown_) {
    value_ = value;
    if (!everDrawn_ || drawnNow() != drawn_) redraw();
    Changed.raise(value_, max_);
  }
  notify();
}

bool tVate::setBite(std::int16_t& field, int pixels) {
  auto twips = mul16(pixels, kTwipsPerPixel);
  if (!twips) return false;
  field = *twips;
  notify();
  return true;
}

bool tVate::setBite_LP(int pixels) { return setBite(biteL_, pixels); }
bool tVate::setBite_RP(int pixels) { return setBite(biteR_, pixels); }

int tVate::Bite_LP() const { return static_cast<int>(std::nearbyint(biteL_ / double(kTwipsPerPixel))); }
int tVate::Bite_RP() const { return static_cast<int>(std::nearbyint(biteR_ / double(kTwipsPerPixel))); }

void tVate::setIsShowCmd(bool show) {
  isShowCmd_ = show;
  redraw();
  notify();
}

}  // namespace qm
