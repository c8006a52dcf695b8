#pragma once

#include <QPoint>
#include <QRect>

#include "model/control.h"

namespace qm::e2e {

// Places in the main window at its design size (9510 x 6795 twips), in
// pixels from the window's top left corner, taken from the skin's design.
inline constexpr int px(double twips) { return static_cast<int>(twips / kTwipsPerPixel); }

inline constexpr int kWindowWidth = 634, kWindowHeight = 453;
// The display area, inside the borders and between the bars.
inline const QRect kVideoArea(8, 43, 626 - 8, 390 - 43);
// The close button at the right of the title bar (its middle).
inline const QPoint kCloseButton(px(9510 - 745) + 12, px(165) + 11);
// Inside the size grip at the bottom right corner.
inline const QPoint kGrip(kWindowWidth - 5, kWindowHeight - 5);
// The list tab "列表", which shows and hides the list panel.
inline const QPoint kListTab(px(3060 + 300), px(300 + 135));
// The filter button "图片" in the list panel (the panel sits at 120,645).
inline const QPoint kPictureFilter(px(120 + 120 + 495 / 2.0), px(645 + 375 / 2.0));

// The first row of the file list once the list tab laid the panel out: the
// panel is as high as the window less 1620, the folder list takes 0.3 of it
// and the file list starts 675 below the folder list's height.
inline QPoint firstFileRow() {
  const double panelHeight = 6795 - 1620;
  const double fileListTop = 645 + panelHeight * 0.3 + 675;
  return QPoint(px(120) + 30, px(fileListTop) + 8);
}

}  // namespace qm::e2e
