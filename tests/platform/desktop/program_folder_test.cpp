#include "platform/desktop/program_folder.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>

#include "support/temp_dir.h"

namespace qm {
namespace {

// Each file of the folder by name: its size and a hash of its content.
std::map<std::string, std::pair<std::size_t, std::size_t>> filesIn(const std::string& folder) {
  std::map<std::string, std::pair<std::size_t, std::size_t>> files;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    std::ifstream in(entry.path(), std::ios::binary);
    const std::string content(std::istreambuf_iterator<char>(in), {});
    files[entry.path().filename().string()] = {content.size(), std::hash<std::string>{}(content)};
  }
  return files;
}

// A disk that fills up during the first copy: what it cut short is not left
// as a file, so the next start copies it whole.
TEST(ProgramFolderTest, CopyCutShortByAFullDiskIsDoneWholeNextTime) {
  test::TempDir shipped, data;
  shipped.write("0.dll", "empty movie");
  shipped.write("power.dll", "player movie");
  shipped.write("music.wma", std::string(256 * 1024, 'm'));
  shipped.write("Quilmora.chm", "help");
  shipped.write("dorl.chm", "help");
  shipped.write("home.html", "<html></html>");

  rlimit saved;
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
  auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit small = saved;
  small.rlim_cur = 64 * 1024;
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  copyOwnFiles(shipped.path(), data.path());
  ::setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, previousHandler);
  const auto whole = filesIn(shipped.path());
  for (const auto& [name, content] : filesIn(data.path())) EXPECT_EQ(content, whole.at(name)) << name;

  copyOwnFiles(shipped.path(), data.path());
  EXPECT_EQ(filesIn(data.path()), whole);
}

// An installed folder is writable by root: the player still keeps its files
// in the user's data folder, and never renames the package's files.
TEST(ProgramFolderTest, InstalledFolderIsNeverWrittenEvenWhenWritable) {
  test::TempDir build, installed, data;
  for (const test::TempDir* folder : {&build, &installed}) {
    folder->write("0.dll", "empty movie");
    folder->write("home.html", "<html></html>");
  }
  installed.write(kInstalledMark, "installed");
  const char* saved = std::getenv("XDG_DATA_HOME");
  const std::string savedValue = saved ? saved : "";
  ::setenv("XDG_DATA_HOME", data.path().c_str(), 1);

  EXPECT_EQ(chooseProgramFolder(build.path()), build.path());
  const auto shipped = filesIn(installed.path());
  const std::string chosen = chooseProgramFolder(installed.path());

  if (saved)
    ::setenv("XDG_DATA_HOME", savedValue.c_str(), 1);
  else
    ::unsetenv("XDG_DATA_HOME");
  EXPECT_EQ(chosen, data.path() + "/quilmora");
  EXPECT_EQ(filesIn(installed.path()), shipped);
  EXPECT_EQ(filesIn(chosen).count("0.dll"), 1u);
}

}  // namespace
}  // namespace qm
