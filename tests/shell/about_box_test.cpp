// The about box: the build's version, and the system information lookup
// with its one failure message.
#include <gtest/gtest.h>

#include "shell/registry_values.h"
#include "support/test_player.h"

namespace qm {

namespace {

void setValue(Registry& registry, const std::string& keyName, const std::string& name, RegistryValueType type,
              const std::string& data) {
  RegistryKey key;
  ASSERT_EQ(registry.createKey(RegistryKey::root(RegistryRoot::LocalMachine), keyName, key), RegistryStatus::Ok);
  ASSERT_EQ(registry.setValue(key, name, type, data), RegistryStatus::Ok);
}

constexpr const char* kToolKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
constexpr const char* kFolderKey = "SOFTWARE\\Microsoft\\Shared Tools Location";

}  // namespace

TEST(AboutBox, ShowsTheBuildsVersion) {
  test::TestPlayer t;
  t.context().frmAbout.show();
  EXPECT_EQ(t.context().frmAbout.caption(), "关于 Quilmora");
  EXPECT_EQ(t.context().frmAbout.lblVersion.caption(), std::string("版本 ") + QM_PROJECT_VERSION);
  t.context().frmAbout.cmdOK.Click.raise();
  EXPECT_FALSE(t.context().frmAbout.loaded());
}

TEST(AboutBox, SystemInformationLookup) {
  test::TestPlayer t;
  AboutForm& a = t.context().frmAbout;
  a.show();
  // Nothing in the registry.
  a.cmdSysInfo.Click.raise();
  EXPECT_EQ(t.windows.messages, std::vector<std::string>{"此时系统信息不可用"});
  EXPECT_TRUE(t.launcher.programs.empty());

  // Only a folder, without the tool in it.
  setValue(t.registry, kFolderKey, "MSINFO", RegistryValueType::String, std::string("/tools\0", 7));
  a.cmdSysInfo.Click.raise();
  EXPECT_EQ(t.windows.messages.size(), 2u);
  EXPECT_TRUE(t.launcher.programs.empty());
  // The tool there (the value's trailing NUL is not part of the folder).
  t.files.addFolder("/tools");
  t.files.write("/tools/MSINFO32.EXE");
  a.cmdSysInfo.Click.raise();
  EXPECT_EQ(t.launcher.programs, std::vector<std::string>{"/tools/MSINFO32.EXE"});

  // The tool's own path comes first; a tool that does not start is told.
  setValue(t.registry, kToolKey, "PATH", RegistryValueType::String, "/usr/bin/hardinfo");
  t.launcher.programsStart = false;
  a.cmdSysInfo.Click.raise();
  EXPECT_EQ(t.launcher.programs.back(), "/usr/bin/hardinfo");
  EXPECT_EQ(t.windows.messages.size(), 3u);
  EXPECT_TRUE(a.visible());
}

// Strings lose one trailing NUL only; numbers read as their decimal value
// whatever bytes they hold.
TEST(AboutBox, KeyValues) {
  test::TestPlayer t;
  setValue(t.registry, kToolKey, "a", RegistryValueType::String, std::string("abc\0", 4));
  setValue(t.registry, kToolKey, "b", RegistryValueType::String, "abc");
  setValue(t.registry, kToolKey, "n", RegistryValueType::Number32, std::string("\x00\x01\x00\x00", 4));
  setValue(t.registry, kToolKey, "m", RegistryValueType::Number32, std::string("\x0F\x00\x00\x80", 4));
  std::string value = "left over";
  EXPECT_TRUE(getKeyValue(t.registry, RegistryRoot::LocalMachine, kToolKey, "a", value));
  EXPECT_EQ(value, "abc");
  EXPECT_TRUE(getKeyValue(t.registry, RegistryRoot::LocalMachine, kToolKey, "b", value));
  EXPECT_EQ(value, "abc");
  EXPECT_TRUE(getKeyValue(t.registry, RegistryRoot::LocalMachine, kToolKey, "n", value));
  EXPECT_EQ(value, "256");
  EXPECT_TRUE(getKeyValue(t.registry, RegistryRoot::LocalMachine, kToolKey, "m", value));
  EXPECT_EQ(value, "2147483663");
  EXPECT_FALSE(getKeyValue(t.registry, RegistryRoot::LocalMachine, kToolKey, "missing", value));
  EXPECT_EQ(value, "");
}

}  // namespace qm
