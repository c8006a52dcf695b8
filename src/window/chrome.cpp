#include "window/chrome.h"

#include "forms/player_context.h"

namespace qm {

void minimizeButton(PlayerContext& p) {
  showPointer(p.windows);
  p.windows.setWindowState(p.form, Form::Minimized);
  p.form.Image17.setPicture(p.form.Image22.picture());
}

void closeButton(PlayerContext& p) {
  showPointer(p.windows);
  p.Form3.setVisible(false);
  p.form.closeRequested.raise();
  showPointer(p.windows);
}

// A maximised window is never dragged.
void barPressed(PlayerContext& p) {
  if (p.form.windowState() == Form::Normal) p.windows.startSystemMove(p.form);
  p.Form3.setVisible(false);
}

void videoMouseDown(PlayerContext& p, int button) {
  showPointer(p.windows);
  if (button != kRightButton) return;
  p.windows.popupMenu(p.form.menu);
  showPointer(p.windows);
  p.form.Timer3.setEnabled(false);
}

void connectChrome(PlayerContext& p) {
  Form1& f = p.form;
  f.Image17.Click.connect([&p] { minimizeButton(p); });
  f.Image18.Click.connect([&p] { closeButton(p); });
  // The menu's exit closes the window the same way; its shutdown ends the process.
  f.BUT3.Click.connect([&p] { p.form.closeRequested.raise(); });
  for (Control* bar :
       std::initializer_list<Control*>{&f.Image33, &f.Image34, &f.Image35, &f.Image36, &f.Image38, &f.Image39,
                                       &f.Image40, &f.Image41, &f.Picture2, &f.Picture3, &f.Picture4, &f.Picture5})
    bar->MouseDown.connect([&p](int, int, double, double) { barPressed(p); });
  f.WindowsMediaPlayer1.MouseDown.connect([&p](int button, int, double, double) { videoMouseDown(p, button); });
}

}  // namespace qm
