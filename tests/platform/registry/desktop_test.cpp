#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "registry_fixture.h"

namespace qm {
namespace {

using Desktop = RegistryTest;

std::string defaultFor(const std::string& mimeType) {
  return run("xdg-mime query default " + mimeType + " 2>/dev/null").output;
}

std::vector<std::string> entriesOfOurs(const std::string& folder) {
  std::vector<std::string> names;
  std::error_code ec;
  for (const auto& file : std::filesystem::directory_iterator(folder, ec))
    if (file.path().filename().string().starts_with("quilmora")) names.push_back(file.path().filename().string());
  return names;
}

// Starts the desktop entry as the desktop does and returns what the started
// program recorded: the path it was started as, then its arguments.
std::vector<std::string> launch(const std::string& entry, const std::string& record, const std::string& file = {}) {
  std::filesystem::remove(record);
  run("gio launch " + shellQuoted(entry) + (file.empty() ? "" : " " + shellQuoted(file)) + " 2>/dev/null");
  for (int i = 0; i < 100 && !std::filesystem::exists(record); ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  std::vector<std::string> lines;
  std::string text = readFile(record);
  for (std::size_t start = 0, end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
    lines.push_back(text.substr(start, end - start));
  return lines;
}

TEST_F(Desktop, RegisteredTypesOpenWithThePlayerUntilTheirCommandsGo) {
  if (!installed("xdg-mime")) GTEST_SKIP() << "xdg-mime is not installed";
  const std::string applications = home / "data/applications";
  const std::string mimeapps = home / "config/mimeapps.list";
  std::filesystem::create_directories(applications);
  std::filesystem::create_directories(home / "config");
  writeFile(applications + "/viewer.desktop", "[Desktop Entry]\nType=Application\nName=Viewer\nExec=true %f\n");
  const std::string users =
      "# mine\n[Added Associations]\nvideo/x-msvideo=viewer.desktop;\n\n[Default Applications]\n"
      "video/x-msvideo=viewer.desktop;\ntext/plain=editor.desktop;\r\nvideo/mpeg = viewer.desktop\n\n[Other]\nx=y";
  writeFile(mimeapps, users);
  const std::string folder = home / "player";
  makeRecordingProgram(folder, home / "record");

  auto registry = newRegistry();
  for (RegistryStatus status : applyFileTypes(*registry, folder, {".avi", ".mpeg", ".vob", ".mkv"}))
    EXPECT_EQ(status, RegistryStatus::Ok);
  EXPECT_EQ(defaultFor("video/x-msvideo"), "quilmora.desktop");
  EXPECT_EQ(defaultFor("video/mpeg"), "quilmora.desktop");
  EXPECT_EQ(defaultFor("video/x-matroska"), "quilmora.desktop");
  EXPECT_EQ(defaultFor("audio/mpeg"), "");
  if (installed("desktop-file-validate")) {
    Ran check = run("desktop-file-validate " + shellQuoted(applications + "/quilmora.desktop") + " 2>&1");
    EXPECT_EQ(check.status, 0) << check.output;
    EXPECT_EQ(check.output, "");
  }

  // ".vob" still holds the MPEG type after ".mpeg" lets go of it.
  applyFileTypes(*registry, folder, {".avi", ".vob"});
  EXPECT_EQ(defaultFor("video/mpeg"), "quilmora.desktop");
  // Two program folders: one entry for each command, each type on its own.
  const std::string moved = home / "moved";
  makeRecordingProgram(moved, home / "record");
  ASSERT_EQ(writeString(*registry, kClasses, "vobFile\\shell\\open\\command", "", commandText(moved)),
            RegistryStatus::Ok);
  const std::string avi = defaultFor("video/x-msvideo"), mpeg = defaultFor("video/mpeg");
  EXPECT_TRUE(avi.starts_with("quilmora-")) << avi;
  EXPECT_TRUE(mpeg.starts_with("quilmora-")) << mpeg;
  EXPECT_NE(avi, mpeg);
  EXPECT_EQ(entriesOfOurs(applications).size(), 2u);

  applyFileTypes(*registry, folder, {});
  EXPECT_EQ(readFile(mimeapps), users) << "the user's file is as it was";
  EXPECT_EQ(defaultFor("video/x-msvideo"), "viewer.desktop");
  EXPECT_TRUE(entriesOfOurs(applications).empty());
}

// Installed with the prefix ~/.local, the package's own entry sits where the
// player writes its entries, under the same name.
TEST_F(Desktop, AnEntryInstalledUnderOurNameIsNeitherRewrittenNorRemoved) {
  if (!installed("xdg-mime")) GTEST_SKIP() << "xdg-mime is not installed";
  const std::string applications = home / "data/applications";
  std::filesystem::create_directories(applications);
  const std::string installedEntry = applications + "/quilmora.desktop";
  const std::string text = "[Desktop Entry]\nType=Application\nName=Quilmora\nExec=quilmora %f\nTryExec=quilmora\n";
  writeFile(installedEntry, text);
  const std::string folder = home / "player";
  makeRecordingProgram(folder, home / "record");

  auto registry = newRegistry();
  applyFileTypes(*registry, folder, {".avi"});
  EXPECT_EQ(readFile(installedEntry), text);
  const std::string avi = defaultFor("video/x-msvideo");
  EXPECT_TRUE(avi.starts_with("quilmora-")) << avi;

  applyFileTypes(*registry, folder, {});
  EXPECT_EQ(readFile(installedEntry), text);
  EXPECT_EQ(entriesOfOurs(applications), std::vector<std::string>{"quilmora.desktop"});
}

// A desktop ignores a default it finds among the removed associations: the
// ticked type would not open with the player.
TEST_F(Desktop, ATypePickedAgainIsNoLongerAmongTheRemovedOnes) {
  const std::string mimeapps = home / "config/mimeapps.list";
  std::filesystem::create_directories(home / "config");
  writeFile(
      mimeapps,
      "[Removed Associations]\nvideo/x-matroska=quilmora.desktop;viewer.desktop;\naudio/mpeg=quilmora.desktop;\n");
  const std::string folder = home / "player";
  makeRecordingProgram(folder, home / "record");
  auto registry = newRegistry();
  applyFileTypes(*registry, folder, {".mkv"});
  const std::string text = readFile(mimeapps);
  EXPECT_NE(text.find("[Removed Associations]\nvideo/x-matroska=viewer.desktop;\naudio/mpeg=quilmora.desktop;\n"),
            std::string::npos)
      << text;
  EXPECT_NE(text.find("video/x-matroska=quilmora.desktop;"), std::string::npos) << text;
}

TEST_F(Desktop, AutostartEntryLivesWithTheRunValueAndStartsTheProgramWhole) {
  const std::string folder = home / "a b \"q\" 'x' 100% $HOME `id` \\z;#(影音) %1";
  const std::string program = folder + "/quilmora", record = home / "record";
  makeRecordingProgram(folder, record);
  const std::string entry = home / "config/autostart/quilmora.desktop";
  const std::string runKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

  auto registry = newRegistry();
  ASSERT_EQ(writeString(*registry, kMachine, runKey, "Quilmora", program), RegistryStatus::Ok);
  ASSERT_TRUE(std::filesystem::exists(entry));
  if (installed("desktop-file-validate")) {
    Ran check = run("desktop-file-validate " + shellQuoted(entry) + " 2>&1");
    EXPECT_EQ(check.status, 0) << check.output;
    EXPECT_EQ(check.output, "");
  }
  if (installed("gio")) {
    EXPECT_EQ(launch(entry, record), std::vector<std::string>{program});
    for (RegistryStatus status : applyFileTypes(*registry, folder, {".mkv"})) EXPECT_EQ(status, RegistryStatus::Ok);
    const std::string movie = home / "my movie 100%.mkv";
    EXPECT_EQ(launch(home / "data/applications/quilmora.desktop", record, movie),
              (std::vector<std::string>{program, movie}));
  }

  // Switched off the way the menu does it, by the lower-case path.
  RegistryKey key;
  ASSERT_EQ(registry->openKey(kMachine, "software\\microsoft\\windows\\currentversion\\run", key), RegistryStatus::Ok);
  EXPECT_EQ(registry->deleteValue(key, "Quilmora"), RegistryStatus::Ok);
  EXPECT_FALSE(std::filesystem::exists(entry));
  EXPECT_EQ(registry->setString(key, "quilmora", program), RegistryStatus::Ok);
  EXPECT_TRUE(std::filesystem::exists(entry));
  EXPECT_EQ(registry->setString(key, "Quilmora", ""), RegistryStatus::Ok);
  EXPECT_FALSE(std::filesystem::exists(entry)) << "an empty value names no program";
  registry->closeKey(key);
}

}  // namespace
}  // namespace qm
