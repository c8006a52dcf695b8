#include "window/chrome.h"

#include <cmath>
#include <memory>

#include "forms/form1_geometry.h"
#include "forms/player_context.h"
#include "window/hover_looks.h"

namespace qm {

namespace {

using namespace geometry;

// The right and bottom strips of the window (8 pixels) size it; their
// corner sizes both ways.
constexpr Twips kSizingZone = 120;
constexpr int kPointerArrow = 0, kPointerNorthSouth = 7, kPointerDiagonal = 8, kPointerWestEast = 9;
// Below this height an edge drag is put back to the smallest height.
constexpr Twips kHeightRefusedBelow = 1550;
// The menu window drops down under the system-menu button.
constexpr Twips kMenuWindowDrop = 450;

// Where a point of a control is in its window.
void toWindow(const Control& c, double& x, double& y) {
  for (const Control* at = &c; at && at->kind() != ControlKind::Form; at = at->parent()) {
    x += at->left();
    y += at->top();
  }
}

bool inSizingZone(const Form& f, double x, double y) {
  return x > f.scaleWidth() - kSizingZone || y > f.scaleHeight() - kSizingZone;
}

}  // namespace

bool isMaximised(const Form& form) {
  return form.windowState() == Form::Maximized || form.windowState() == Form::FullScreen;
}

bool pointerRule(PlayerContext& p, double x, double y, bool armHideTimer) {
  PlayerState& s = p.state;
  if (s.PointerRefX == 0 && s.PointerRefY == 0) {
    s.PointerRefX = static_cast<float>(x);
    s.PointerRefY = static_cast<float>(y);
    return true;
  }
  if (std::abs(x - s.PointerRefX) > 1 || std::abs(y - s.PointerRefY) > 1) {
    showPointer(p.windows);
    if (armHideTimer) p.form.Timer3.setEnabled(true);
  }
  return false;
}

void minimizeButton(PlayerContext& p) {
  showPointer(p.windows);
  p.windows.setWindowState(p.form, Form::Minimized);
  p.form.Image17.setPicture(p.form.Image22.picture());
}

void closeButton(PlayerContext& p) {
  showPointer(p.windows);
  p.Form3.setVisible(false);
  p.form.closeRequested.raise();
  showPointer(p.windows);
}

// A second click closes the menu window it opened.
void systemMenuButton(PlayerContext& p) {
  showPointer(p.windows);
  if (p.Form3.visible()) {
    p.Form3.setVisible(false);
    return;
  }
  p.Form3.show();
  p.Form3.setTop(p.form.top() + kMenuWindowDrop);
  p.Form3.setLeft(p.form.left() + p.form.Image21.left());
}

// A maximised window is never dragged.
void barPressed(PlayerContext& p, BarDrag& drag, double x, double y) {
  drag.active = false;
  if (p.form.windowState() == Form::Normal) {
    if (!p.windows.placesWindows())
      p.windows.startSystemMove(p.form);
    else
      drag = {true, p.form.left() + x, p.form.top() + y, p.form.left(), p.form.top()};
  }
  p.Form3.setVisible(false);
}

// The pointer's place now, not the event's: moves still queued were counted
// from where the window was before the first of them moved it.
void barDragged(PlayerContext& p, const BarDrag& drag) {
  int x = 0, y = 0;
  if (!drag.active || !p.windows.cursorPosition(x, y)) return;
  p.form.setLeft(drag.left + x * kTwipsPerPixel - drag.pressX);
  p.form.setTop(drag.top + y * kTwipsPerPixel - drag.pressY);
}

void videoMouseDown(PlayerContext& p, int button) {
  showPointer(p.windows);
  if (button != kRightButton) return;
  p.form.MenuOpening.raise();
  p.windows.popupMenu(p.form.menu);
  showPointer(p.windows);
  p.form.Timer3.setEnabled(false);
}

void backgroundDown(PlayerContext& p, double x, double y) {
  p.form.Frame1.setVisible(false);
  p.state.DragStartX = static_cast<std::int32_t>(std::lround(x));
  p.state.DragStartY = static_cast<std::int32_t>(std::lround(y));
}

// The pointer shape of the last move decides what a drag does; sizes the
// window refuses are dropped and the move goes on. Where the compositor
// alone places windows, the move is handed to it: the window would not
// follow the form's place, and the form would run away from the window.
void backgroundMove(PlayerContext& p, int button, double x, double y) {
  Form1& f = p.form;
  if (button == kLeftButton) {
    switch (f.mousePointer()) {
      case kPointerArrow:
        if (!p.windows.placesWindows()) {
          p.windows.startSystemMove(f);
          break;
        }
        f.setLeft(f.left() + x - p.state.DragStartX);
        f.setTop(f.top() + y - p.state.DragStartY);
        break;
      case kPointerNorthSouth:
        f.setHeight(y);
        break;
      case kPointerDiagonal:
        f.setWidth(x);
        f.setHeight(y);
        break;
      case kPointerWestEast:
        f.setWidth(x);
        break;
      default:
        break;
    }
  }
  const bool right = x > f.scaleWidth() - kSizingZone;
  if (y > f.scaleHeight() - kSizingZone)
    f.setMousePointer(right ? kPointerDiagonal : kPointerNorthSouth);
  else
    f.setMousePointer(right ? kPointerWestEast : kPointerArrow);
}

void backgroundUp(PlayerContext& p) {
  Form1& f = p.form;
  if (f.width() < kMinimumWidth) f.setWidth(kMinimumWidth);
  if (f.height() < kHeightRefusedBelow) f.setHeight(kMinimumHeight);
  f.Picture7.refresh();
  f.tVate1.zOrder(0);
  f.volume.zOrder(0);
}

void gripDown(PlayerContext& p) {
  p.state.GripDragging = true;
  p.form.Frame1.setVisible(false);
}

// The grip follows the pointer on the screen; it never makes the window
// smaller than the smallest size, each way on its own.
void gripMove(PlayerContext& p) {
  Form1& f = p.form;
  f.setMousePointer(kPointerDiagonal);
  if (!p.state.GripDragging) return;
  int x = 0, y = 0;
  if (!p.windows.cursorPosition(x, y)) return;
  const Twips w = x * kTwipsPerPixel - f.left();
  const Twips h = y * kTwipsPerPixel - f.top();
  if (w > kMinimumWidth) f.setWidth(w);
  if (h > kHeightRefusedBelow) f.setHeight(h);
}

void gripUp(PlayerContext& p) { p.state.GripDragging = false; }

void connectChrome(PlayerContext& p) {
  Form1& f = p.form;
  f.Image17.Click.connect([&p] { minimizeButton(p); });
  f.Image18.Click.connect([&p] { closeButton(p); });
  f.Image21.Click.connect([&p] { systemMenuButton(p); });
  // The menu's exit closes the window the same way; its shutdown ends the process.
  f.BUT3.Click.connect([&p] { p.form.closeRequested.raise(); });

  f.MouseDown.connect([&p](int, int, double x, double y) { backgroundDown(p, x, y); });
  f.MouseMove.connect([&p](int button, int, double x, double y) { backgroundMove(p, button, x, y); });
  f.MouseUp.connect([&p](int, int, double, double) { backgroundUp(p); });

  // The bars and borders move the window, and so does the title text on
  // the top bar, as a title bar's would; their outer strips along the right
  // and bottom edges size it as the bare background's do, since the bars
  // cover the window's edges.
  auto drag = std::make_shared<BarDrag>();
  for (Control* bar : std::initializer_list<Control*>{&f.Image33, &f.Image34, &f.Image35, &f.Image36, &f.Image38,
                                                      &f.Image39, &f.Image40, &f.Image41, &f.Picture2, &f.Picture3,
                                                      &f.Picture4, &f.Picture5, &f.Label5}) {
    bar->MouseDown.connect([&p, bar, drag](int button, int, double x, double y) {
      double wx = x, wy = y;
      toWindow(*bar, wx, wy);
      if (p.form.windowState() == Form::Normal && inSizingZone(p.form, wx, wy)) {
        p.state.EdgeDragging = true;
        backgroundDown(p, wx, wy);
        return;
      }
      if (button == kLeftButton)
        barPressed(p, *drag, wx, wy);
      else
        p.Form3.setVisible(false);
    });
    bar->MouseMove.connect([&p, bar, drag](int button, int, double x, double y) {
      double wx = x, wy = y;
      toWindow(*bar, wx, wy);
      if (drag->active && (button & kLeftButton)) {
        barDragged(p, *drag);
        return;
      }
      if (p.state.EdgeDragging || (p.form.windowState() == Form::Normal && inSizingZone(p.form, wx, wy))) {
        backgroundMove(p, p.state.EdgeDragging ? button : 0, wx, wy);
        return;
      }
      hoverMove(p, *bar, x, y);
    });
    bar->MouseUp.connect([&p, drag](int, int, double, double) {
      if (drag->active) barDragged(p, *drag);
      drag->active = false;
      if (!p.state.EdgeDragging) return;
      p.state.EdgeDragging = false;
      backgroundUp(p);
    });
  }

  f.Picture7.MouseDown.connect([&p](int, int, double, double) { gripDown(p); });
  f.Picture7.MouseMove.connect([&p](int, int, double, double) { gripMove(p); });
  f.Picture7.MouseUp.connect([&p](int, int, double, double) { gripUp(p); });

  connectHoverLooks(p);
  f.WindowsMediaPlayer1.MouseDown.connect([&p](int button, int, double, double) { videoMouseDown(p, button); });
  // The pointer hides only over a maximised or full-screen window: a tick
  // still due after going back to the normal window (the native-size
  // command leaves the timer running) would hide it where moving over the
  // video never brings it back.
  f.Timer3.Tick.connect([&p] {
    p.form.Timer3.setEnabled(false);
    const auto state = p.form.windowState();
    if (state == Form::Maximized || state == Form::FullScreen) hidePointer(p.windows);
  });
}

}  // namespace qm
