#include "window/list_panel.h"

#include <algorithm>

#include "forms/form1.h"
#include "forms/form1_geometry.h"

namespace qm {

void keepFileListInPanel(Form1& f) {
  const Twips room = f.Frame1.height() - f.File1.top();
  if (f.File1.height() > room) f.File1.setHeight(std::max<Twips>(room, 0));
}

void toggleListPanel(Form1& f) {
  using namespace geometry;
  const Twips W = f.width();
  if (f.Frame1.visible()) {
    f.WindowsMediaPlayer1.setLeft(kDisplayLeft);
    f.WindowsMediaPlayer1.setWidth(W - kOpenedWidthMargin);
    f.Frame1.setVisible(false);
    return;
  }
  f.Drive1.setWidth(W * kToggledPanelWidthShare);
  f.Dir1.setWidth(W * kToggledPanelWidthShare);
  f.Frame1.setWidth(W * kToggledPanelWidthShare);
  f.Drive1.setTop(kFilterButtonHeight);
  f.Dir1.setTop(kFolderListTop);
  f.Dir1.setHeight(f.Frame1.height() * kFolderListShare);
  f.File1.setTop(f.Dir1.height() + kFolderListTop);
  f.File1.setLeft(0);
  f.File1.setHeight(f.Frame1.height() * kFileListShare - kFileListShortening);
  keepFileListInPanel(f);
  f.File1.setWidth(f.Frame1.width());
  f.WindowsMediaPlayer1.setLeft(f.Frame1.width() + kDisplayLeft);
  f.WindowsMediaPlayer1.setWidth(W - f.Frame1.width() - kOpenedWidthMargin);
  f.Frame1.setVisible(true);
  f.WindowsMediaPlayer1.zOrder(1);
  f.Frame1.zOrder(0);
}

}  // namespace qm
