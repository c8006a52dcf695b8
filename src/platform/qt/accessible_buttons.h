#pragma once

class QWidget;

namespace qm {

class Control;

// Picture buttons and text buttons of the skin as assistive technology
// (AT-SPI) sees them: buttons with their tooltip or caption as their name,
// whose press action clicks the control as the mouse does.
void makeAccessibleButton(QWidget& widget, Control& control);

}  // namespace qm
