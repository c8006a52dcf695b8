// The menu window: its entries' colours and actions, and run at start-up on
// the real registry in a private home (the autostart entry follows it).
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "model/web_addresses.h"
#include "platform/registry/registry_fixture.h"
#include "support/test_player.h"

namespace qm {

class RunAtStartUp : public RegistryTest {};

// On, off, on: the Run value and the autostart entry come and go with the
// entry, the caption read at each opening matches, and a program folder with
// Chinese characters and blanks is written whole.
TEST_F(RunAtStartUp, TogglesTheAutostartEntry) {
  auto registry = newRegistry();
  test::TestPlayer t(registry.get());
  t.files.addFolder(t.programFile("datinf"));
  ASSERT_TRUE(t.load(""));
  const std::string program = "/opt/影音 播放器/quilmora";
  t.context().executable = program;
  const std::string autostart = home / "config/autostart/quilmora.desktop";
  const char* runKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
  MenuWindowForm& m = t.context().Form3;

  m.show();
  EXPECT_EQ(m.Label6.caption(), " 开机自运行(&E)");
  m.Label6.Click.raise();
  EXPECT_FALSE(m.loaded());
  EXPECT_EQ(readString(*registry, kMachine, runKey, "Quilmora"), program);
  ASSERT_TRUE(std::filesystem::exists(autostart));
  std::ifstream entry(autostart);
  const std::string text((std::istreambuf_iterator<char>(entry)), {});
  EXPECT_NE(text.find("影音"), std::string::npos) << text;
  EXPECT_NE(text.find("播放器"), std::string::npos) << text;

  m.show();
  EXPECT_EQ(m.Label6.caption(), " 退出自运行(&O)");
  m.Label6.Click.raise();
  EXPECT_FALSE(readString(*registry, kMachine, runKey, "Quilmora"));
  EXPECT_FALSE(std::filesystem::exists(autostart));

  // An empty value counts as not running at start-up.
  ASSERT_EQ(writeString(*registry, kMachine, runKey, "Quilmora", ""), RegistryStatus::Ok);
  m.show();
  EXPECT_EQ(m.Label6.caption(), " 开机自运行(&E)");
}

// A registry that refuses every write: the caption still flips, nothing is
// reported, and the next opening shows what the registry holds.
TEST(MenuWindow, RefusedWriteStillFlipsTheCaption) {
  test::TestPlayer t;
  t.files.addFolder(t.programFile("datinf"));
  ASSERT_TRUE(t.load(""));
  t.registry.readOnly = true;
  MenuWindowForm& m = t.context().Form3;
  m.show();
  m.Label6.Click.raise();
  EXPECT_TRUE(m.AutoRunOn);
  EXPECT_TRUE(t.windows.messages.empty());
  m.show();
  EXPECT_EQ(m.Label6.caption(), " 开机自运行(&E)");
}

// Hovering paints one entry; each entry does its job and closes the window.
TEST(MenuWindow, HoverAndEntries) {
  test::TestPlayer t;
  t.files.addFolder(t.programFile("datinf"));
  ASSERT_TRUE(t.load(""));
  MenuWindowForm& m = t.context().Form3;
  m.show();
  m.Label3.MouseMove.raise(0, 0, 10, 10);
  for (Label* entry : m.entries()) {
    const bool hovered = entry == &m.Label3;
    EXPECT_EQ(entry->backColor(), hovered ? 0xBC6916u : 0xFFFFFFu) << entry->name();
    EXPECT_EQ(entry->foreColor(), hovered ? 0xFFFFFFu : 0u) << entry->name();
  }
  m.MouseMove.raise(0, 0, 10, 10);
  EXPECT_EQ(m.Label3.backColor(), 0xFFFFFFu);

  t.launcher.browserWorks = false;  // ignored
  m.Label3.Click.raise();
  EXPECT_FALSE(m.loaded());
  m.show();
  m.Label2.Click.raise();
  ASSERT_EQ(t.launcher.pages.size(), 2u);
  EXPECT_EQ(t.launcher.pages[1], kResourcesAddress);
  m.show();
  m.Label1.Click.raise();
  ASSERT_EQ(t.help.shown.size(), 1u);
  EXPECT_EQ(t.help.shown[0], std::make_pair(t.programFile("Quilmora.chm"), std::string("help.htm")));
  m.show();
  m.Label8.Click.raise();
  EXPECT_TRUE(t.context().Form4.visible());
  m.show();
  m.Label4.Click.raise();
  EXPECT_TRUE(t.context().frmAbout.visible());
  EXPECT_FALSE(m.loaded());

  // Hidden by the main window, it loads afresh when shown again; a close
  // unloads it once.
  int unloads = 0;
  m.Unload.connect([&unloads] { ++unloads; });
  m.show();
  t.form().Click.raise();
  EXPECT_FALSE(m.loaded());
  m.show();
  m.Label7.Click.raise();
  EXPECT_EQ(unloads, 2);
}

}  // namespace qm
