#pragma once

class QAbstractScrollArea;
class QComboBox;

namespace qm {

// The side panel's dark lists and drive box: light text on near-black, a
// thin border, selections in the skin's blue, and slim scroll bars without
// arrows whose handle lights up under the pointer.
// Drawn by a small style of our own rather than a style sheet: Qt's style
// sheet engine would keep several megabytes of code and rules in memory
// for these few colours.
void applySidePanelStyle(QAbstractScrollArea& list);
void applySidePanelStyle(QComboBox& box);

}  // namespace qm
