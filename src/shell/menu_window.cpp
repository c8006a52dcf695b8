#include "shell/menu_window.h"

#include "model/web_addresses.h"
#include "shell/registry_values.h"

namespace qm {

namespace {

constexpr const char* kRunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr const char* kRunValue = "Quilmora";
constexpr const char* kRunAtStartUp = " 开机自运行(&E)";
constexpr const char* kStopRunningAtStartUp = " 退出自运行(&O)";

constexpr Colour kHoverText = 0xFFFFFF, kHoverGround = 0xBC6916;
constexpr Colour kNormalText = 0x000000, kNormalGround = 0xFFFFFF;

}  // namespace

void loadMenuWindow(PlayerContext& p) {
  MenuWindowForm& m = p.Form3;
  p.windows.setTopmost(m);
  highlightMenuEntry(p, nullptr);
  const std::string value = readRegString(p.registry, RegistryRoot::LocalMachine, kRunKey, kRunValue);
  m.AutoRunOn = !value.empty();
  m.Label6.setCaption(m.AutoRunOn ? kStopRunningAtStartUp : kRunAtStartUp);
}

void highlightMenuEntry(PlayerContext& p, const Label* entry) {
  for (Label* label : p.Form3.entries()) {
    const bool hover = label == entry;
    label->setForeColor(hover ? kHoverText : kNormalText);
    label->setBackColor(hover ? kHoverGround : kNormalGround);
  }
}

void showInstructions(PlayerContext& p) {
  p.help.displayTopic(p.programFile("Quilmora.chm"), "help.htm");
  closeMenuWindow(p);
}

void openResourcesPage(PlayerContext& p) {
  p.launcher.openWebPage(kResourcesAddress);
  closeMenuWindow(p);
}

void openHomePage(PlayerContext& p) {
  p.launcher.openWebPage(kHomePageAddress);
  closeMenuWindow(p);
}

// The caption and the flag follow the user's choice even when the registry
// refused it; the next opening shows what the registry holds.
void toggleRunAtStartUp(PlayerContext& p) {
  MenuWindowForm& m = p.Form3;
  const RegistryKey machine = RegistryKey::root(RegistryRoot::LocalMachine);
  RegistryKey key;
  if (m.AutoRunOn) {
    m.Label6.setCaption(kRunAtStartUp);
    if (p.registry.openKey(machine, "software\\microsoft\\windows\\currentversion\\run", key) == RegistryStatus::Ok) {
      p.registry.deleteValue(key, kRunValue);
      p.registry.closeKey(key);
    }
    m.AutoRunOn = false;
  } else {
    m.Label6.setCaption(kStopRunningAtStartUp);
    if (p.registry.createKey(machine, kRunKey, key) == RegistryStatus::Ok) {
      p.registry.setString(key, kRunValue, p.executable);
      p.registry.closeKey(key);
    }
    m.AutoRunOn = true;
  }
  closeMenuWindow(p);
}

void showAssociationDialog(PlayerContext& p) {
  p.Form4.show();
  closeMenuWindow(p);
}

void showAboutBox(PlayerContext& p) {
  p.frmAbout.show();
  closeMenuWindow(p);
}

void closeMenuWindow(PlayerContext& p) { p.Form3.unload(); }

}  // namespace qm
