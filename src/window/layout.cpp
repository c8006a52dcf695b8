#include "window/layout.h"

#include "forms/form1_geometry.h"
#include "forms/player_context.h"
#include "window/list_panel.h"

namespace qm {

void layOutWindow(PlayerContext& p) {
  using namespace geometry;
  Form1& f = p.form;
  p.state.ListNum = f.File1.listIndex();
  showPointer(p.windows);
  p.Form3.setVisible(false);

  // A size the pieces refuse (a minimised or tiny window gives negative
  // sizes) is dropped piece by piece; the rest is still placed.
  const Twips W = f.width(), H = f.height();
  f.ShockwaveFlash1.setGeometry(kDisplayLeft, kDisplayTop, W - kLaidOutWidthMargin, H - kDisplayHeightMargin);
  f.WindowsMediaPlayer1.setGeometry(kDisplayLeft, kDisplayTop, W - kLaidOutWidthMargin, H - kDisplayHeightMargin);
  f.WebBrowser1.setGeometry(kDisplayLeft, kWebTop, W - kLaidOutWidthMargin, H - kWebHeightMargin);
  f.Frame1.setVisible(false);

  // The bars: fixed caps at both ends over a middle piece that stretches.
  f.Picture2.setGeometry(0, 0, W, kTopBarHeight);
  f.Image33.setGeometry(0, 0, kBarCapWidth, f.Picture2.height());
  f.Image38.setGeometry(f.Image33.width() - kBarCapOverlap, 0, f.Picture2.width(), f.Picture2.height());
  f.Image39.setGeometry(f.Picture2.width() - f.Image39.width(), 0, kBarCapWidth, f.Picture2.height());

  f.Picture4.setGeometry(0, H - kBottomBarRise, W, kBottomBarHeight);
  f.Image34.setGeometry(0, 0, kBarCapWidth, f.Picture4.height());
  f.Image41.setGeometry(f.Image34.width() - kBarCapOverlap, 0, f.Picture4.width(), f.Picture4.height());
  f.Image40.setLeft(f.Picture4.width() - f.Image40.width());
  f.Image40.setGeometry(f.Image40.left(), 0, kBarCapWidth, f.Picture4.height());

  f.Picture5.setGeometry(W - kBorderWidth, kBorderTop, kBorderWidth, H - kBorderHeightMargin);
  f.Image36.setGeometry(0, 0, kBorderWidth, f.Picture5.height());

  // The seek bar spans the bottom bar; the volume group and the times keep
  // their distance from the right edge, as do the title buttons.
  f.tVate1.setLeft(kSeekBarLeft);
  f.tVate1.setTop(kSeekBarTop);
  f.tVate1.setWidth(W - kSeekBarWidthMargin);
  f.volume.setLeft(W - f.volume.width() - kVolumeRightMargin);
  f.Image37.setLeft(f.volume.left() - kVolumeIconGap);
  f.Label2.setLeft(f.Image37.left() - kTotalTimeGap);
  f.Label1.setLeft(f.Label2.left() - kElapsedTimeGap);
  f.Image18.setLeft(W - kCloseFromRight);
  f.Image16.setLeft(W - kMaximiseFromRight);
  f.Image19.setLeft(W - kMaximiseFromRight);
  f.Image17.setLeft(W - kMinimiseFromRight);
  f.Image21.setLeft(W - kSystemMenuFromRight);

  f.Picture3.setGeometry(0, kBorderTop, kBorderWidth, H - kBorderHeightMargin);
  f.Image35.setGeometry(0, 0, kBorderWidth, f.Picture3.height());
  f.Frame1.setGeometry(kDisplayLeft, kDisplayTop, kPanelWidth, H - kPanelHeightMargin);
  f.File1.setGeometry(0, f.Dir1.height() + kFolderListTop, f.Frame1.width(),
                      f.Frame1.height() - f.Dir1.height() - kFileListHeightMargin);
  keepFileListInPanel(f);
  f.Picture7.setLeft(W - f.Picture7.width() + kGripOverhang);
  f.Picture7.setTop(H - f.Picture7.height());

  f.Picture7.refresh();
  f.tVate1.zOrder(0);
  f.volume.zOrder(0);
}

}  // namespace qm
