#pragma once

class QWidget;

namespace qm {

class Control;

// An engine that shows its content in the display area supplies the widget
// for it; the screen places that widget where the area's control is.
class ContentViewSource {
 public:
  virtual ~ContentViewSource() = default;
  // A new widget showing this engine's content, a child of `parent`, that
  // hands its own mouse input to `area`'s events.
  virtual QWidget* createView(Control& area, QWidget* parent) = 0;
};

}  // namespace qm
