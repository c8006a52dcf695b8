#include <gtest/gtest.h>

#include <filesystem>

#include "platform/fs/local_files.h"
#include "temp_folder.h"

namespace qm {
namespace {

using Names = std::vector<std::string>;

TEST(MaskTest, MatchesIgnoringCaseWithWildcards) {
  EXPECT_TRUE(files::matchesMask("clip.vob", "*.VOB"));
  EXPECT_TRUE(files::matchesMask("ÉTÉ.MP3", "été.mp3"));
  EXPECT_TRUE(files::matchesMask("é.wav", "?.wav")) << "'?' takes a letter, not a byte of it";
  EXPECT_FALSE(files::matchesMask("ab1.wav", "a?.wav"));
  EXPECT_FALSE(files::matchesMask("song.mp3x", "*.mp3"));
  EXPECT_TRUE(files::matchesMask("abcbd.c", "a*b*d.c")) << "a star must give back what it took";
  EXPECT_FALSE(files::matchesMask(std::string(2000, 'a'), "*a*a*a*a*a*a*b"));
  EXPECT_TRUE(files::matchesMask("README", "*.*")) << "\"*.*\" takes names without a dot too";
  EXPECT_FALSE(files::matchesMask("README", "*.txt"));
  EXPECT_TRUE(files::matchesMask("*a.mp4", "*.mp4")) << "a star in the name is a plain character";
  EXPECT_TRUE(files::matchesMask("a?*b.mp4", "a*.mp4"));
}

TEST(MaskTest, PatternIsAnyOfItsMasks) {
  const std::string films = "*.wmv;*.avi;*.DAT;*.VOB;*.mkv";
  EXPECT_TRUE(files::matchesPattern("x.dat", films));
  EXPECT_FALSE(files::matchesPattern("x.mp3", films));
  EXPECT_TRUE(files::matchesPattern("x.mp3", ";;*.mp3;"));
  EXPECT_FALSE(files::matchesPattern("x.mp3", ""));
}

class FilesTest : public ::testing::Test {
 protected:
  void touch(const std::string& name, const std::string& content = "x") { writeFile(dir / name, content); }
  TempFolder dir;
};

TEST_F(FilesTest, ListsMatchingPlainFilesInCaseInsensitiveOrder) {
  for (const char* name : {"b.mp3", "a.mp3", "C.MP3", "B.mp3", "notes.txt", ".hidden.mp3"}) touch(name);
  std::filesystem::create_directory(dir / "folder.mp3");
  std::filesystem::create_symlink(dir / "a.mp3", dir / "link.mp3");
  std::filesystem::create_symlink(dir / "gone", dir / "dangling.mp3");
  EXPECT_EQ(files::list(dir.path(), "*.mp3"), (Names{"a.mp3", "B.mp3", "b.mp3", "C.MP3", "link.mp3"}));
  EXPECT_TRUE(files::list(dir / "missing", "*.*").empty());
}

TEST_F(FilesTest, LookupGivesTheNameOfAnExistingFileOrTheFirstMatch) {
  for (const char* name : {"zeta.dll", "Power.DLL", "movie.avi"}) touch(name);
  std::filesystem::create_directory(dir / "sub");
  EXPECT_EQ(files::lookup(dir / "movie.avi"), "movie.avi");
  EXPECT_EQ(files::lookup(dir / "other.avi"), "");
  EXPECT_EQ(files::lookup(dir / "sub"), "") << "a folder is not a file";
  EXPECT_EQ(files::lookup(dir.path() + "/"), "");
  EXPECT_EQ(files::lookup("\"" + (dir / "movie.avi") + "\""), "") << "quotes are part of the name";
  EXPECT_EQ(files::lookup(dir / "*.dll"), "Power.DLL");
  EXPECT_EQ(files::lookup(dir / "*.flv"), "");
}

TEST_F(FilesTest, RenameNeverReplacesWhatIsThere) {
  touch("power.dll", "movie");
  EXPECT_TRUE(files::rename(dir / "power.dll", dir / "power.swf"));
  EXPECT_EQ(readFile(dir / "power.swf"), "movie");
  touch("a.dll", "new");
  touch("a.swf", "old");
  std::filesystem::create_symlink(dir / "nowhere", dir / "b.swf");
  EXPECT_FALSE(files::rename(dir / "a.dll", dir / "a.swf"));
  EXPECT_EQ(readFile(dir / "a.swf"), "old");
  EXPECT_EQ(readFile(dir / "a.dll"), "new");
  EXPECT_FALSE(files::rename(dir / "a.dll", dir / "b.swf"));
  EXPECT_TRUE(std::filesystem::is_symlink(dir / "b.swf"));
  EXPECT_FALSE(files::rename(dir / "missing.dll", dir / "missing.swf"));
}

TEST_F(FilesTest, FoldersAreMadeOnceAndOnlyUnderExistingOnes) {
  EXPECT_TRUE(files::makeFolder(dir / "datinf"));
  EXPECT_TRUE(files::isFolder(dir / "datinf"));
  EXPECT_FALSE(files::makeFolder(dir / "datinf")) << "it is there already";
  EXPECT_FALSE(files::makeFolder(dir / "missing/datinf"));
  touch("plain");
  EXPECT_TRUE(files::isWritableFolder(dir.path()));
  EXPECT_FALSE(files::isWritableFolder(dir / "plain"));
  EXPECT_FALSE(files::isWritableFolder(dir / "missing"));
}

TEST(JoinTest, PutsExactlyOneSeparatorBetween) {
  EXPECT_EQ(joinPath("/opt/q", "power.swf"), "/opt/q/power.swf");
  EXPECT_EQ(joinPath("/opt/q/", "/power.swf"), "/opt/q/power.swf");
  EXPECT_EQ(joinPath("/", "etc"), "/etc");
  EXPECT_EQ(joinPath("", "a.mp3"), "a.mp3");
}

}  // namespace
}  // namespace qm
