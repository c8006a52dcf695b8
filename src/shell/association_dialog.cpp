#include "shell/association_dialog.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <map>
#include <vector>

#include "forms/file_types.h"
#include "model/web_addresses.h"

namespace qm {

namespace {

constexpr const char* kFlagFile = "datinf/QLinf.ini";
constexpr const char* kSection = "user";
constexpr const char* kSelectAll = "全 选";
constexpr const char* kSelectNone = "全不选";

const RegistryKey kClasses = RegistryKey::root(RegistryRoot::ClassesRoot);

// Create or open the key, set its default value, close it; the result is not
// looked at.
void writeDefaultValue(Registry& registry, const std::string& keyName, const std::string& text) {
  RegistryKey key;
  if (registry.createKey(kClasses, keyName, key) != RegistryStatus::Ok) return;
  registry.setString(key, "", text);
  registry.closeKey(key);
}

void deleteDefaultValue(Registry& registry, const std::string& keyName) {
  RegistryKey key;
  if (registry.openKey(kClasses, keyName, key) != RegistryStatus::Ok) return;
  registry.deleteValue(key, "");
  registry.closeKey(key);
}

// A flag's text as the number it reads as: leading blanks, a sign and
// digits; anything else reads as 0.
int flagNumber(const std::string& text) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  long long n = 0;
  bool digits = false;
  while (i < text.size() && text[i] >= '0' && text[i] <= '9' && n < 1000000) {
    n = n * 10 + (text[i++] - '0');
    digits = true;
  }
  return digits ? static_cast<int>(negative ? -n : n) : 0;
}

// The ticks read back from the flag file; the description and the toggle
// start over.
void loadTicks(PlayerContext& p) {
  AssociationForm& d = p.Form4;
  const std::string file = associationFlagFile(p);
  auto boxes = d.boxes();
  for (std::size_t i = 0; i < boxes.size(); ++i) {
    const int n = flagNumber(p.settings.getString(file, kSection, kAssociationTypes[i].flagKey, "false", 255));
    boxes[i]->setValue(n == CheckBox::Checked || n == CheckBox::Grayed ? n : CheckBox::Unchecked);
  }
  d.Label2.setCaption("说明: 如果遇到播放器不支持的文件格式， 请到以下网站下载最新解码器以获得支持。");
  d.Command1.setCaption(kSelectNone);
}

// The extension as the user reads it: ".rmvb" is "RMVB".
std::string extensionName(const char* extensionKey) {
  std::string name(extensionKey[0] == '.' ? extensionKey + 1 : extensionKey);
  for (char& c : name) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return name;
}

// The desktop keeps one default application per file type. Where a ticked
// and an unticked extension share a type, the player stays the default of
// both, so both are ticked (and stored so); the user is told which. Returns
// what to tell, empty when nothing was joined.
std::string joinTicksOfSharedTypes(PlayerContext& p) {
  auto boxes = p.Form4.boxes();
  std::map<std::string, std::vector<std::size_t>> byType;
  for (std::size_t i = 0; i < boxes.size(); ++i) {
    const std::string type = p.registry.desktopFileType(kAssociationTypes[i].extensionKey);
    if (!type.empty()) byType[type].push_back(i);
  }
  std::string joined;
  for (const auto& [type, members] : byType) {
    const auto ticked = std::count_if(members.begin(), members.end(),
                                      [&](std::size_t i) { return boxes[i]->value() == CheckBox::Checked; });
    if (ticked == 0 || ticked == static_cast<long>(members.size())) continue;
    std::string names;
    for (std::size_t i : members) {
      boxes[i]->setValue(CheckBox::Checked);
      names += (names.empty() ? "" : " 与 ") + extensionName(kAssociationTypes[i].extensionKey);
    }
    joined += (joined.empty() ? "" : "\n") + names;
  }
  if (joined.empty()) return {};
  return "桌面把以下文件视为同一种类型，无法分开设置，Quilmora 仍是它们的默认播放器：\n" + joined;
}

// Everything OK does except closing the dialog.
void writeAssociations(PlayerContext& p) {
  auto boxes = p.Form4.boxes();
  const std::string command = openCommandText(p);
  const std::string icon = iconText(p);
  for (std::size_t i = 0; i < boxes.size(); ++i) {
    const AssociationType& type = kAssociationTypes[i];
    const std::string classKey = type.classKey;
    if (boxes[i]->value() == CheckBox::Checked) {
      p.registry.deleteKey(kClasses, classKey + "\\shell\\open\\DropTarget");
      writeDefaultValue(p.registry, type.extensionKey, type.extensionValue);
      writeDefaultValue(p.registry, classKey + "\\shell\\open\\command", command);
      writeDefaultValue(p.registry, classKey + "\\shell\\play\\command", command);
      writeDefaultValue(p.registry, classKey + "\\DefaultIcon", icon);
    } else {
      deleteDefaultValue(p.registry, classKey + "\\shell\\open\\command");
      deleteDefaultValue(p.registry, classKey + "\\shell\\play\\command");
    }
  }
  const std::string file = associationFlagFile(p);
  for (std::size_t i = 0; i < boxes.size(); ++i)
    p.settings.writeString(file, kSection, kAssociationTypes[i].flagKey,
                           boxes[i]->value() == CheckBox::Checked ? "1" : "0");
}

}  // namespace

std::string associationFlagFile(const PlayerContext& p) { return p.programFile(kFlagFile); }

std::string openCommandText(const PlayerContext& p) { return p.executable + " %1"; }

std::string iconText(const PlayerContext& p) { return p.executable + ",0"; }

void loadAssociationDialog(PlayerContext& p) {
  AssociationForm& d = p.Form4;
  d.PointerRefX = d.PointerRefY = 0;
  p.windows.setTopmost(d);
  if (p.files.isFile(associationFlagFile(p))) {
    loadTicks(p);
    return;
  }
  // The first use registers every type without asking. The dialog then
  // stays open with the ticks read back from the new flag file, so the user
  // sees what was registered and may take some types back.
  p.settings.writeSection(associationFlagFile(p), kSection, "");
  for (CheckBox* box : d.boxes()) box->setValue(CheckBox::Checked);
  writeAssociations(p);
  loadTicks(p);
}

void showFileTypeDescription(PlayerContext& p, std::size_t index) {
  if (index < std::size(kAssociationTypes)) p.Form4.Label2.setCaption(kAssociationTypes[index].description);
}

void toggleAllFileTypes(PlayerContext& p) {
  AssociationForm& d = p.Form4;
  const bool selectAll = d.Command1.caption() == kSelectAll;
  d.Command1.setCaption(selectAll ? kSelectNone : kSelectAll);
  for (CheckBox* box : d.boxes()) box->setValue(selectAll ? CheckBox::Checked : CheckBox::Unchecked);
  d.Label2.setCaption("说明:");
}

void applyFileTypes(PlayerContext& p) {
  const std::string joined = joinTicksOfSharedTypes(p);
  writeAssociations(p);
  p.Form4.unload();
  if (!joined.empty()) p.windows.messageBox(joined);
}

void openCodecDownload(PlayerContext& p) { p.launcher.openWebPage(kCodecDownloadAddress); }

void pointerMovedOverDialog(PlayerContext& p, double x, double y) {
  AssociationForm& d = p.Form4;
  if (d.PointerRefX == 0 && d.PointerRefY == 0) {
    d.PointerRefX = x;
    d.PointerRefY = y;
  } else if (std::abs(x - d.PointerRefX) > 1 || std::abs(y - d.PointerRefY) > 1) {
    showPointer(p.windows);
  }
}

}  // namespace qm
