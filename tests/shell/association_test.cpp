// The association dialog on the real registry in a private home (the
// desktop's defaults follow it), and on the registry in memory for the ticks.
#include <gtest/gtest.h>

#include <fstream>

#include "forms/file_types.h"
#include "platform/registry/registry_fixture.h"
#include "shell/association_dialog.h"
#include "support/test_player.h"

namespace qm {

namespace {

std::string readText(const std::string& path) {
  std::ifstream in(path);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

std::string defaultApplication(const std::string& mimeType) {
  return run("xdg-mime query default " + mimeType + " 2>/dev/null").output;
}

}  // namespace

class AssociationOnDesktop : public RegistryTest {};

// The first start registers every type; OK with only the AVI box ticked keeps
// AVI, takes the player's open and play commands from the other fourteen
// (whoever set them), and leaves the user's other defaults alone.
TEST_F(AssociationOnDesktop, FirstStartThenOnlyAvi) {
  const std::string mimeapps = home / "config/mimeapps.list";
  std::filesystem::create_directories(home / "config");
  std::ofstream(mimeapps) << "[Default Applications]\ntext/plain=editor.desktop\n";
  auto registry = newRegistry();
  ASSERT_EQ(writeString(*registry, kClasses, "AVIFile\\shell\\open\\DropTarget", "Clsid", "{x}"), RegistryStatus::Ok);

  test::TestPlayer t(registry.get());
  // The desktop names only an entry whose program is there.
  makeRecordingProgram(home / "program", home / "started");
  t.context().executable = home / "program/quilmora";
  ASSERT_TRUE(t.load(""));
  const std::string command = t.context().executable + " %1";
  for (const AssociationType& type : kAssociationTypes)
    EXPECT_EQ(readString(*registry, kClasses, std::string(type.classKey) + "\\shell\\open\\command", ""), command)
        << type.classKey;
  EXPECT_EQ(t.settings.getString(t.programFile("datinf/QLinf.ini"), "user", "serialmkv", "none"), "1");
  const bool haveXdgMime = installed("xdg-mime");
  const std::string ours = "quilmora.desktop";
  if (haveXdgMime) {
    EXPECT_EQ(defaultApplication("video/x-msvideo"), ours);
    EXPECT_EQ(defaultApplication("audio/mpeg"), ours);
  }

  // Another program takes MP3 over; the user then keeps only AVI.
  ASSERT_EQ(writeString(*registry, kClasses, "mp3file\\shell\\open\\command", "", "/usr/bin/other %1"),
            RegistryStatus::Ok);
  AssociationForm& d = t.context().Form4;
  ASSERT_TRUE(d.visible()) << "the first-use dialog stays open with its ticks";
  for (CheckBox* box : d.boxes()) box->setValue(CheckBox::Unchecked);
  d.Check1.click();
  d.Command2.Click.raise();

  EXPECT_FALSE(d.loaded());
  EXPECT_EQ(readString(*registry, kClasses, ".avi", ""), "avifile");
  EXPECT_EQ(readString(*registry, kClasses, "avifile\\shell\\open\\command", ""), command);
  EXPECT_EQ(readString(*registry, kClasses, "AVIFile\\shell\\play\\command", ""), command);
  EXPECT_EQ(readString(*registry, kClasses, "AVIFile\\DefaultIcon", ""), t.context().executable + ",0");
  RegistryKey dropTarget;
  EXPECT_EQ(registry->openKey(kClasses, "AVIFile\\shell\\open\\DropTarget", dropTarget), RegistryStatus::NotFound);
  for (const AssociationType& type : kAssociationTypes) {
    if (std::string(type.box) == "Check1") continue;
    for (const char* verb : {"open", "play"})
      EXPECT_FALSE(readString(*registry, kClasses, std::string(type.classKey) + "\\shell\\" + verb + "\\command", ""))
          << type.classKey << " " << verb;
  }
  EXPECT_EQ(readString(*registry, kClasses, ".mp3", ""), "mp3file");
  EXPECT_EQ(readString(*registry, kClasses, "mp3file\\DefaultIcon", ""), t.context().executable + ",0");
  const std::string flags = t.programFile("datinf/QLinf.ini");
  for (const AssociationType& type : kAssociationTypes)
    EXPECT_EQ(t.settings.getString(flags, "user", type.flagKey, "none"), type.box == std::string("Check1") ? "1" : "0");

  if (haveXdgMime) {
    EXPECT_EQ(defaultApplication("video/x-msvideo"), ours);
    EXPECT_NE(defaultApplication("audio/mpeg"), ours);
  }
  EXPECT_NE(readText(mimeapps).find("text/plain=editor.desktop"), std::string::npos);
}

// The desktop keeps one default for .rm and .rmvb: keeping one of them keeps
// both, the flags say so, and the user is told.
TEST_F(AssociationOnDesktop, ExtensionsOfOneDesktopTypeGoTogether) {
  auto registry = newRegistry();
  test::TestPlayer t(registry.get());
  ASSERT_TRUE(t.load(""));
  AssociationForm& d = t.context().Form4;
  for (CheckBox* box : d.boxes()) box->setValue(CheckBox::Unchecked);
  d.Check11.click();  // RMVB alone
  d.Command2.Click.raise();
  const std::string flags = t.programFile("datinf/QLinf.ini");
  EXPECT_EQ(t.settings.getString(flags, "user", "serialrm", "none"), "1");
  EXPECT_EQ(t.settings.getString(flags, "user", "serialrmvb", "none"), "1");
  EXPECT_EQ(t.settings.getString(flags, "user", "serialvob", "none"), "0");
  EXPECT_TRUE(readString(*registry, kClasses, "rmfile\\shell\\open\\command", ""));
  ASSERT_EQ(t.windows.messages.size(), 1u);
  EXPECT_NE(t.windows.messages[0].find("RMVB 与 RM"), std::string::npos) << t.windows.messages[0];
}

// A store that is junk through and through: the first start still registers
// the types, and the junk is kept aside rather than lost.
TEST_F(AssociationOnDesktop, FirstStartOverAJunkStore) {
  std::filesystem::create_directories(home / "data/quilmora");
  const std::string junk = std::string("\x01\xff\x00[HKEY_\n=", 9) + std::string(3000, '\xfe');
  writeFile(storeFile(), junk);
  auto registry = newRegistry();
  test::TestPlayer t(registry.get());
  ASSERT_TRUE(t.load(""));
  EXPECT_EQ(readString(*registry, kClasses, "MIDFile\\shell\\open\\command", ""), t.context().executable + " %1");
  EXPECT_EQ(readText(storeFile() + ".bad"), junk);
}

// Flags as the file holds them: 1 ticks, 2 greys, anything else clears; the
// toggle clears all first, then ticks all; a greyed box is stored as 0.
TEST(AssociationDialog, FlagsToggleAndGreyedBoxes) {
  test::TestPlayer t;
  t.files.addFolder(t.programFile("datinf"));
  t.files.write(t.programFile("datinf/QLinf.ini"),
                "[user]\nserialavi=2\nserialwmv=junk\nserialmpeg=1\nserialwma=-1\n\x01\xff garbage line\n");
  ASSERT_TRUE(t.load(""));
  AssociationForm& d = t.context().Form4;
  d.show();
  EXPECT_EQ(d.Check1.value(), CheckBox::Grayed);
  EXPECT_EQ(d.Check2.value(), CheckBox::Unchecked);
  EXPECT_EQ(d.Check3.value(), CheckBox::Checked);
  EXPECT_EQ(d.Check4.value(), CheckBox::Unchecked);
  EXPECT_EQ(d.Check15.value(), CheckBox::Unchecked);
  EXPECT_TRUE(t.registry.tree.root(RegistryRoot::ClassesRoot).subkeys.empty()) << "loading writes nothing";

  // A click shows the box's description and changes nothing else.
  d.Check6.click();
  EXPECT_EQ(d.Label2.caption(), kAssociationTypes[5].description);
  EXPECT_EQ(d.Check6.value(), CheckBox::Checked);
  EXPECT_EQ(d.Check3.value(), CheckBox::Checked);
  EXPECT_EQ(d.Command1.caption(), "全不选");

  d.Command1.Click.raise();
  for (CheckBox* box : d.boxes()) EXPECT_EQ(box->value(), CheckBox::Unchecked);
  EXPECT_EQ(d.Command1.caption(), "全 选");
  d.Command1.Click.raise();
  for (CheckBox* box : d.boxes()) EXPECT_EQ(box->value(), CheckBox::Checked);
  EXPECT_EQ(d.Label2.caption(), "说明:");

  d.Check2.setValue(CheckBox::Grayed);
  d.Command2.Click.raise();
  EXPECT_EQ(t.settings.getString(t.programFile("datinf/QLinf.ini"), "user", "serialwmv", "none"), "0");
  EXPECT_EQ(t.settings.getString(t.programFile("datinf/QLinf.ini"), "user", "serialavi", "none"), "1");

  d.show();
  // Pointer movement brings a hidden pointer back, once it went beyond a
  // pixel from where it first moved.
  t.windows.counter = -2;
  d.MouseMove.raise(0, 0, 100, 100);
  d.Frame1.MouseMove.raise(0, 0, 101, 99);
  EXPECT_LT(t.windows.counter, 0);
  d.Frame1.MouseMove.raise(0, 0, 103, 100);
  EXPECT_EQ(t.windows.counter, 0);

  // Cancel writes nothing.
  d.Command1.Click.raise();
  d.Command3.Click.raise();
  EXPECT_FALSE(d.loaded());
  EXPECT_EQ(t.settings.getString(t.programFile("datinf/QLinf.ini"), "user", "serialavi", "none"), "1");
}

}  // namespace qm
