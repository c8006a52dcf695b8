#pragma once

class QWidget;

namespace qm {

// Wayland leaves where windows go and which one is in front to the
// compositor. A program keeps a say only over windows it attaches to one of
// its own: a popup shows at a place relative to the window it belongs to,
// and a child window stays in front of its parent.
bool compositorPlacesWindows();

// Makes `window`, not yet on the screen, a popup of `owner`, a window on the
// screen: it shows at its place counted from the owner's place, and goes
// with the owner. A popup keeps the place it showed at; a new place takes
// showing it again.
void makePopupOf(QWidget& window, QWidget& owner);

// Makes `window` a child window of `owner`, which stays in front of it. A
// window on the screen is shown again, as Wayland stacks a window only when
// it shows.
void makeChildOf(QWidget& window, QWidget& owner);

}  // namespace qm
