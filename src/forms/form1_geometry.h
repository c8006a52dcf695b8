#pragma once

#include "model/control.h"

namespace qm::geometry {

// The main window's fixed measures, in twips. W and H are the window's width
// and height. Some pairs differ on purpose and are kept apart: an engine
// opened by the dispatch is W - 240 wide while the layout gives it W - 248,
// and the command line gives the media engine H - 1650 while the Flash engine
// and the layout use H - 1635.

// Design size of the window.
inline constexpr Twips kDesignWidth = 9510;
inline constexpr Twips kDesignHeight = 6795;
// The smallest size a user can drag the window to.
inline constexpr Twips kMinimumWidth = 5200;
inline constexpr Twips kMinimumHeight = 1560;

// The display area: below the top bar, right of the left border.
inline constexpr Twips kDisplayLeft = 120;
inline constexpr Twips kDisplayTop = 645;
inline constexpr Twips kOpenedWidthMargin = 240;       // W - 240 when an engine is opened
inline constexpr Twips kLaidOutWidthMargin = 248;      // W - 248 from the layout
inline constexpr Twips kDisplayHeightMargin = 1635;    // H - 1635
inline constexpr Twips kCommandLineMediaHeightMargin = 1650;  // H - 1650
inline constexpr Twips kWebTop = 600;
inline constexpr Twips kWebHeightMargin = 1390;

// The list panel over the display area's left side.
inline constexpr Twips kPanelWidth = 1935;
inline constexpr Twips kPanelHeightMargin = 1620;   // H - 1620
inline constexpr Twips kFilterButtonHeight = 375;   // the filters' row, and the drive list's top
inline constexpr Twips kFolderListTop = 675;
inline constexpr Twips kFileListTop = 2415;
inline constexpr Twips kFileListHeight = 3315;
// The laid-out file list is the panel's height less the folder list and 645.
inline constexpr Twips kFileListHeightMargin = 645;
inline constexpr Twips kDriveListMargin = 240;      // panel width - 240
// The toggled panel: a fifth of the window wide, the folder list 30 % of it
// high, the file list the rest less one row.
inline constexpr double kToggledPanelWidthShare = 0.2;
inline constexpr double kFolderListShare = 0.3;
inline constexpr double kFileListShare = 0.7;
inline constexpr Twips kFileListShortening = 300;

// Bars and borders.
inline constexpr Twips kTopBarHeight = 645;
inline constexpr Twips kBottomBarHeight = 975;
inline constexpr Twips kBottomBarRise = 983;        // bottom bar top = H - 983
inline constexpr Twips kBarCapWidth = 4785;         // each end piece of a bar
inline constexpr Twips kBarCapOverlap = 50;         // the middle piece starts under the left cap
inline constexpr Twips kBorderWidth = 120;
inline constexpr Twips kBorderTop = 460;
inline constexpr Twips kBorderHeightMargin = 975;   // H - 975
inline constexpr Twips kGripOverhang = 15;          // the grip reaches one pixel past the right edge

// The seek bar across the bottom bar, and the volume group from the right.
inline constexpr Twips kSeekBarLeft = 110;
inline constexpr Twips kSeekBarTop = 45;
inline constexpr Twips kSeekBarWidthMargin = 220;   // W - 220
inline constexpr Twips kVolumeRightMargin = 500;    // volume bar ends 500 before the right edge
inline constexpr Twips kVolumeIconGap = 475;        // icon left = volume left - 475
inline constexpr Twips kTotalTimeGap = 1345;        // total time left = icon left - 1345
inline constexpr Twips kElapsedTimeGap = 480;       // elapsed time left = total time left - 480

// Title buttons, by their distance from the right edge to their left.
inline constexpr Twips kCloseFromRight = 745;
inline constexpr Twips kMaximiseFromRight = 1135;   // maximise and restore share the place
inline constexpr Twips kMinimiseFromRight = 1510;
inline constexpr Twips kSystemMenuFromRight = 1885;

}  // namespace qm::geometry
