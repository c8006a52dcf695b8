#include "forms/form1.h"

namespace qm {

Form1::Form1(Clock& clock, WindowSystem& windows, FolderReader& disk, Engines engines)
    : Form("Form1"),
      WindowsMediaPlayer1("WindowsMediaPlayer1", this, std::move(engines.media)),
      ShockwaveFlash1("ShockwaveFlash1", this, std::move(engines.flash)),
      WebBrowser1("WebBrowser1", this, std::move(engines.web)),
      WindowsMediaPlayer2("WindowsMediaPlayer2", this, std::move(engines.background)),
      Drive1("Drive1", &Frame1, disk),
      Dir1("Dir1", &Frame1, disk),
      File1("File1", &Frame1, disk),
      tVate1("tVate1", &Picture4, clock, windows),
      volume("volume", &Picture4, clock, windows),
      Timer1("Timer1", clock, 7000),
      Timer2("Timer2", clock, 5000),
      Timer3("Timer3", clock, 12000),
      Timer4("Timer4", clock, 1000),
      Timer5("Timer5", clock, 500),
      Timer6("Timer6", clock, 500),
      Timer7("Timer7", clock, 1000),
      Timer8("Timer8", clock, 50),
      Timer9("Timer9", clock, 0),
      Timer10("Timer10", clock, 500),
      Timer11("Timer11", clock, 100),
      WindowStateWait("WindowStateWait", clock, kWindowStateWaitMs) {
  WindowsMediaPlayer2.setVisible(false);
}

std::vector<MenuItem*> Form1::menuItems() {
  std::vector<MenuItem*> items;
  for (Control* c : menu.children()) {
    items.push_back(static_cast<MenuItem*>(c));
    for (Control* sub : c->children()) items.push_back(static_cast<MenuItem*>(sub));
  }
  return items;
}

}  // namespace qm
