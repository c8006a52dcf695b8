#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <random>

#include "platform/fs/ini_settings_files.h"
#include "platform/fs/local_files.h"
#include "temp_folder.h"

namespace qm {
namespace {

class ProfileTest : public ::testing::Test {
 protected:
  std::string get(const std::string& section, const std::string& key, int buffer = 255) {
    return profile.getString(ini, section, key, "false", buffer);
  }
  std::size_t filesInFolder() {
    auto entries = std::filesystem::directory_iterator(dir.path());
    return static_cast<std::size_t>(std::distance(begin(entries), end(entries)));
  }
  TempFolder dir;
  LocalFileSystem disk;
  IniSettingsFiles profile{disk};
  std::string ini = dir / "fileinf.ini";
};

TEST_F(ProfileTest, MissingFileSectionOrKeyGivesTheDefault) {
  EXPECT_EQ(get("user", "filepath"), "false");
  EXPECT_EQ(profile.getString(ini, "user", "k", "none   ", 255), "none") << "the default loses its trailing blanks";
  writeFile(ini, "[User]\nFilePath=/home/a\n");
  EXPECT_EQ(get(" USER ", " filepath "), "/home/a") << "names compare ignoring case and blanks";
  EXPECT_EQ(get("user", "other"), "false");
  EXPECT_EQ(get("users", "filepath"), "false");
}

TEST_F(ProfileTest, ValuesAreTrimmedAndUnquoted) {
  writeFile(ini,
            "[user]\n"
            "  spaced =   /a b/c  \t\n"
            "double=\"/quoted path \"\n"
            "single='x'\n"
            "half=\"open\n"
            "mixed=\"a'\n"
            "lone=\"\n");
  EXPECT_EQ(get("user", "spaced"), "/a b/c");
  EXPECT_EQ(get("user", "double"), "/quoted path ");
  EXPECT_EQ(get("user", "single"), "x");
  EXPECT_EQ(get("user", "half"), "\"open");
  EXPECT_EQ(get("user", "mixed"), "\"a'");
  EXPECT_EQ(get("user", "lone"), "\"");
}

TEST_F(ProfileTest, ValueIsCutToTheBufferBetweenCharacters) {
  std::string chinese;
  for (int i = 0; i < 100; ++i) chinese += "影";
  writeFile(ini, "[user]\nfilepath=" + std::string(300, 'x') + "\nchinese=/" + chinese + "\n");
  EXPECT_EQ(get("user", "filepath"), std::string(254, 'x')) << "one place is kept for the terminator";
  EXPECT_EQ(get("user", "filepath", 1), "");
  EXPECT_EQ(get("user", "filepath", 0), "");
  EXPECT_EQ(profile.getString(ini, "user", "missing", "default", 4), "def");
  EXPECT_EQ(get("user", "chinese", 11), "/" + chinese.substr(0, 9 * 3));
  EXPECT_EQ(get("user", "chinese"), "/" + chinese) << "a hundred characters fit in 255";
}

TEST_F(ProfileTest, WritesCreateFileSectionAndKey) {
  ASSERT_TRUE(profile.writeString(ini, "user", "filepath", "/home/u/Videos"));
  EXPECT_EQ(readFile(ini), "[user]\nfilepath=/home/u/Videos\n");
  ASSERT_TRUE(profile.writeString(ini, "other", "k", "v"));
  ASSERT_TRUE(profile.writeString(ini, "user", "serialavi", "1"));
  EXPECT_EQ(readFile(ini), "[user]\nfilepath=/home/u/Videos\nserialavi=1\n\n[other]\nk=v\n")
      << "a new key joins the end of its section, before the blank line";
}

TEST_F(ProfileTest, RewriteChangesOnlyTheValue) {
  const std::string before =
      "; settings\n"
      "loose=line\n"
      "[user]\n"
      "# kept\n"
      "FilePath = /old\n"
      "filepath=/second\n"
      "\n"
      "[next]\n"
      "filepath=/other\n";
  writeFile(ini, before);
  ASSERT_TRUE(profile.writeString(ini, "USER", "filepath", "/new"));
  std::string expected = before;
  expected.replace(expected.find("FilePath = /old"), 15, "FilePath=/new");
  EXPECT_EQ(readFile(ini), expected);
  EXPECT_EQ(get("next", "filepath"), "/other");
}

TEST_F(ProfileTest, WrittenValuesReadBackExactly) {
  for (const std::string value : {"  padded  ", "\"quoted\"", "'single'", "", "a=b;c", "tab\t", "[x]", "#x"}) {
    ASSERT_TRUE(profile.writeString(ini, "user", "filepath", value)) << value;
    EXPECT_EQ(get("user", "filepath"), value);
  }
}

TEST_F(ProfileTest, CrlfReadsLikeLfAndStaysCrlf) {
  writeFile(ini, "\xEF\xBB\xBF[user]\r\nfilepath=/a\r\n");
  EXPECT_EQ(get("user", "filepath"), "/a");
  ASSERT_TRUE(profile.writeString(ini, "user", "filepath", "/b"));
  EXPECT_EQ(readFile(ini), "\xEF\xBB\xBF[user]\r\nfilepath=/b\r\n");
}

TEST_F(ProfileTest, BrokenLinesAreSkipped) {
  writeFile(ini, std::string("\xff\xfe garbage \x01\n[user\nfilepath=/under-broken\n") +
                     "[user]\nno equals sign\n=nameless\n" + std::string("bin\0ary=x\n", 10) + "filepath=/right\n");
  EXPECT_EQ(get("user", "filepath"), "/right") << "keys under a broken header belong to no section";
  EXPECT_EQ(get("user", "no equals sign"), "false");
  EXPECT_EQ(get("user", ""), "false");
  ASSERT_TRUE(profile.writeString(ini, "user", "filepath", "/new"));
  EXPECT_EQ(get("user", "filepath"), "/new");
  EXPECT_NE(readFile(ini).find("filepath=/under-broken"), std::string::npos);
  writeFile(ini, "[user]\n;filepath=/commented\n# filepath=/hash\nfilepath=/real\n[other\nlater=/x\n");
  EXPECT_EQ(get("user", "filepath"), "/real") << "comments are no keys";
  EXPECT_EQ(get("user", "later"), "false") << "a broken header ends the section before it";
  writeFile(ini, "[user]\nk=1\nk=2\n[user]\nk=3\nonly=4\n");
  EXPECT_EQ(get("user", "k"), "1");
  EXPECT_EQ(get("user", "only"), "false") << "only the first section of a name is read";
}

TEST_F(ProfileTest, RandomBytesNeverStopReadingOrWriting) {
  std::mt19937 random(7);
  const std::string alphabet = std::string("[]=;#\"' \t\r\nkeyuser\xc3\xa9\xff") + std::string(1, '\0');
  for (int round = 0; round < 80; ++round) {
    std::string content;
    const int length = static_cast<int>(random() % 200);
    for (int i = 0; i < length; ++i) content += alphabet[random() % alphabet.size()];
    writeFile(ini, content);
    get("user", "key");
    ASSERT_TRUE(profile.writeString(ini, "user", "key", "value")) << round;
    ASSERT_EQ(get("user", "key"), "value") << round;
  }
}

TEST_F(ProfileTest, SectionBodyIsReplacedWhole) {
  ASSERT_TRUE(profile.writeSection(ini, "user", ""));
  EXPECT_EQ(readFile(ini), "[user]\n");
  writeFile(ini, "[a]\nx=1\n[user]\nold=1\n; note\nolder=2\n\n[b]\ny=2\n");
  ASSERT_TRUE(profile.writeSection(ini, "USER", "k1=v1\r\nk2=v2\n"));
  EXPECT_EQ(readFile(ini), "[a]\nx=1\n[user]\nk1=v1\nk2=v2\n\n[b]\ny=2\n");
  ASSERT_TRUE(profile.writeSection(ini, "user", ""));
  EXPECT_EQ(readFile(ini), "[a]\nx=1\n[user]\n\n[b]\ny=2\n");
  EXPECT_EQ(get("b", "y"), "2");
}

TEST_F(ProfileTest, WritesThatWouldReadBackAsOtherSettingsAreRefused) {
  writeFile(ini, "[user]\nfilepath=/keep\n");
  const std::string before = readFile(ini);
  EXPECT_FALSE(profile.writeString(ini, "user", "filepath", "/a\n[evil]\nx=1"));
  EXPECT_FALSE(profile.writeString(ini, "user", "file=path", "1"));
  EXPECT_FALSE(profile.writeString(ini, "us]er", "k", "1"));
  EXPECT_FALSE(profile.writeString(ini, "user", "", "1"));
  EXPECT_FALSE(profile.writeSection(ini, "user", "a=1\n[evil]\nx=1"));
  EXPECT_FALSE(profile.writeSection(ini, "user", "a=1\nno value line"));
  EXPECT_EQ(readFile(ini), before);
}

TEST_F(ProfileTest, UnreadableFilesAreNeverOverwritten) {
  std::filesystem::create_directory(dir / "folder.ini");
  EXPECT_EQ(profile.getString(dir / "folder.ini", "user", "k", "d", 255), "d");
  EXPECT_FALSE(profile.writeString(dir / "folder.ini", "user", "k", "v"));

  ASSERT_EQ(::mkfifo((dir / "pipe.ini").c_str(), 0600), 0);
  EXPECT_EQ(profile.getString(dir / "pipe.ini", "user", "k", "d", 255), "d") << "must not wait for a writer";
  EXPECT_FALSE(profile.writeString(dir / "pipe.ini", "user", "k", "v"));

  const std::string huge = dir / "huge.ini";
  writeFile(huge, "[user]\nk=1\n");
  std::filesystem::resize_file(huge, 64 * 1024 * 1024);
  EXPECT_EQ(profile.getString(huge, "user", "k", "d", 255), "d");
  EXPECT_FALSE(profile.writeString(huge, "user", "k", "2"));
  EXPECT_EQ(std::filesystem::file_size(huge), 64u * 1024 * 1024);

  EXPECT_FALSE(profile.writeString(dir / "missing/fileinf.ini", "user", "k", "v"));
}

TEST_F(ProfileTest, WriteReplacesTheFileInOneStep) {
  writeFile(ini, "[user]\nfilepath=/old\n");
  ASSERT_EQ(::chmod(ini.c_str(), 0640), 0);
  struct stat before, after;
  ASSERT_EQ(::stat(ini.c_str(), &before), 0);
  ASSERT_TRUE(profile.writeString(ini, "user", "filepath", "/new"));
  ASSERT_EQ(::stat(ini.c_str(), &after), 0);
  EXPECT_NE(before.st_ino, after.st_ino) << "a new file took the name; the old one was not written over";
  EXPECT_EQ(after.st_mode & 07777, 0640u);
  EXPECT_EQ(filesInFolder(), 1u) << "no temporary file is left";
}

TEST_F(ProfileTest, FailedWriteLeavesTheOldFile) {
  const std::string old = "[user]\nfilepath=/old\n";
  writeFile(ini, old);
  rlimit saved;
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
  auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit small = saved;
  small.rlim_cur = 64;
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  const bool written = profile.writeString(ini, "user", "filepath", std::string(200, 'x'));
  ::setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, previousHandler);
  EXPECT_FALSE(written);
  EXPECT_EQ(readFile(ini), old);
  EXPECT_EQ(filesInFolder(), 1u);
}

TEST_F(ProfileTest, WritingThroughALinkUpdatesItsTarget) {
  writeFile(dir / "real.ini", "[user]\nfilepath=/old\n");
  std::filesystem::create_symlink(dir / "real.ini", ini);
  ASSERT_TRUE(profile.writeString(ini, "user", "filepath", "/new"));
  EXPECT_TRUE(std::filesystem::is_symlink(ini));
  EXPECT_EQ(readFile(dir / "real.ini"), "[user]\nfilepath=/new\n");
}

}  // namespace
}  // namespace qm
