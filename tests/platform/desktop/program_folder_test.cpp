#include "platform/desktop/program_folder.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
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

}  // namespace
}  // namespace qm
