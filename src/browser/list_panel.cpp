#include "browser/list_panel.h"

#include "app/form1.h"

namespace qm {

void toggleListPanel(Form1& f) {
  const Twips W = f.width();
  if (f.Frame1.visible()) {
    f.WindowsMediaPlayer1.setLeft(120);
    f.WindowsMediaPlayer1.setWidth(W - 240);
    f.Frame1.setVisible(false);
    return;
  }
  f.Drive1.setWidth(W / 5);
  f.Dir1.setWidth(W / 5);
  f.Frame1.setWidth(W / 5);
  f.Drive1.setTop(375);
  f.Dir1.setTop(675);
  f.Dir1.setHeight(f.Frame1.height() * 0.3);
  f.File1.setTop(f.Dir1.height() + 675);
  f.File1.setLeft(0);
  f.File1.setHeight(f.Frame1.height() * 0.7 - 300);
  f.File1.setWidth(f.Frame1.width());
  f.WindowsMediaPlayer1.setLeft(f.Frame1.width() + 120);
  f.WindowsMediaPlayer1.setWidth(W - f.Frame1.width() - 240);
  f.Frame1.setVisible(true);
  f.WindowsMediaPlayer1.zOrder(1);
  f.Frame1.zOrder(0);
}

}  // namespace qm
