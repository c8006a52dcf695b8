#include "shell/wiring.h"

#include "shell/about_box.h"
#include "shell/association_dialog.h"
#include "shell/menu_window.h"

namespace qm {

namespace {

void connectMenuWindow(PlayerContext& p) {
  MenuWindowForm& m = p.Form3;
  m.Load.connect([&p] { loadMenuWindow(p); });
  m.MouseMove.connect([&p](int, int, double, double) { highlightMenuEntry(p, nullptr); });
  for (Label* entry : m.entries())
    entry->MouseMove.connect([&p, entry](int, int, double, double) { highlightMenuEntry(p, entry); });
  m.Label1.Click.connect([&p] { showInstructions(p); });
  m.Label2.Click.connect([&p] { openResourcesPage(p); });
  m.Label3.Click.connect([&p] { openHomePage(p); });
  m.Label6.Click.connect([&p] { toggleRunAtStartUp(p); });
  m.Label8.Click.connect([&p] { showAssociationDialog(p); });
  m.Label4.Click.connect([&p] { showAboutBox(p); });
  m.Label7.Click.connect([&p] { closeMenuWindow(p); });
  m.closeRequested.connect([&p] { closeMenuWindow(p); });
  // Hidden by the main window (its click, drag or close) is closed: the next
  // opening loads the window afresh and reads the start-up state again.
  m.changed.connect([&m] {
    if (m.loaded() && !m.visible()) m.unload();
  });
}

void connectAssociationDialog(PlayerContext& p) {
  AssociationForm& d = p.Form4;
  d.Load.connect([&p] { loadAssociationDialog(p); });
  auto boxes = d.boxes();
  for (std::size_t i = 0; i < boxes.size(); ++i) boxes[i]->Click.connect([&p, i] { showFileTypeDescription(p, i); });
  d.Command1.Click.connect([&p] { toggleAllFileTypes(p); });
  d.Command2.Click.connect([&p] { applyFileTypes(p); });
  d.Command3.Click.connect([&p] { p.Form4.unload(); });
  d.Label3.Click.connect([&p] { openCodecDownload(p); });
  auto moved = [&p](int, int, double x, double y) { pointerMovedOverDialog(p, x, y); };
  d.MouseMove.connect(moved);
  d.Frame1.MouseMove.connect(moved);
  // The desktop's close button of the dialog cancels it.
  d.closeRequested.connect([&p] { p.Form4.unload(); });
}

void connectAboutBox(PlayerContext& p) {
  AboutForm& a = p.frmAbout;
  a.Load.connect([&p] { loadAboutBox(p); });
  a.cmdOK.Click.connect([&p] { p.frmAbout.unload(); });
  a.cmdSysInfo.Click.connect([&p] { startSystemInformation(p); });
  a.closeRequested.connect([&p] { p.frmAbout.unload(); });
}

}  // namespace

void connectShell(PlayerContext& p) {
  connectMenuWindow(p);
  connectAssociationDialog(p);
  connectAboutBox(p);
}

}  // namespace qm
