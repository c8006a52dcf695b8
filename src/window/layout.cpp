#include "window/layout.h"

#include "app/player.h"

namespace qm {

void layOutWindow(Player& p) {
  Form1& f = p.form;
  p.state.ListNum = f.File1.listIndex();
  showPointer(p.windows());
  p.Form3.setVisible(false);

  // A size the pieces refuse (a minimised or tiny window gives negative
  // sizes) is dropped piece by piece; the rest is still placed.
  const Twips W = f.width(), H = f.height();
  f.ShockwaveFlash1.setGeometry(120, 645, W - 248, H - 1635);
  f.WindowsMediaPlayer1.setGeometry(120, 645, W - 248, H - 1635);
  f.WebBrowser1.setGeometry(120, 600, W - 248, H - 1390);
  f.Frame1.setVisible(false);

  f.Picture2.setGeometry(0, 0, W, 645);
  f.Image33.setGeometry(0, 0, 4785, f.Picture2.height());
  f.Image38.setGeometry(f.Image33.width() - 50, 0, f.Picture2.width(), f.Picture2.height());
  f.Image39.setGeometry(f.Picture2.width() - f.Image39.width(), 0, 4785, f.Picture2.height());

  f.Picture4.setGeometry(0, H - 983, W, 975);
  f.Image34.setGeometry(0, 0, 4785, f.Picture4.height());
  f.Image41.setGeometry(f.Image34.width() - 50, 0, f.Picture4.width(), f.Picture4.height());
  f.Image40.setLeft(f.Picture4.width() - f.Image40.width());
  f.Image40.setGeometry(f.Image40.left(), 0, 4785, f.Picture4.height());

  f.Picture5.setGeometry(W - 120, 460, 120, H - 975);
  f.Image36.setGeometry(0, 0, 120, f.Picture5.height());

  f.tVate1.setLeft(110);
  f.tVate1.setTop(45);
  f.tVate1.setWidth(W - 220);
  f.volume.setLeft(W - f.volume.width() - 500);
  f.Image37.setLeft(f.volume.left() - 475);
  f.Label2.setLeft(f.Image37.left() - 1345);
  f.Label1.setLeft(f.Label2.left() - 480);
  f.Image18.setLeft(W - 745);
  f.Image16.setLeft(W - 1135);
  f.Image19.setLeft(W - 1135);
  f.Image17.setLeft(W - 1510);
  f.Image21.setLeft(W - 1885);

  f.Picture3.setGeometry(0, 460, 120, H - 975);
  f.Image35.setGeometry(0, 0, 120, f.Picture3.height());
  f.Frame1.setGeometry(120, 645, 1935, H - 1620);
  f.File1.setGeometry(0, f.Dir1.height() + 675, f.Frame1.width(), f.Frame1.height() - f.Dir1.height() - 645);
  f.Picture7.setLeft(W - f.Picture7.width() + 15);
  f.Picture7.setTop(H - f.Picture7.height());

  f.Picture7.refresh();
  f.tVate1.zOrder(0);
  f.volume.zOrder(0);
}

}  // namespace qm
