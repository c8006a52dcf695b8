#pragma once

class QWidget;

namespace qm {

class MenuItem;

// Pops up a menu of `root`'s items at the pointer and returns once it closed;
// a chosen item raises its Click. Submenus follow the item tree; check marks
// follow the items' Checked.
void popupMenuAtPointer(MenuItem& root, QWidget* parent);

}  // namespace qm
