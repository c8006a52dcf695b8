#include <gtest/gtest.h>

#include "app/command_line.h"
#include "support/test_player.h"

namespace qm::test {
namespace {

constexpr double W = 9510, H = 6795;

TEST(CommandLine, MediaFileOpensInTheMediaEngine) {
  TestPlayer t;
  t.makeMedia({"a.mp3", "clip.mp4", "z.wav"});
  ASSERT_TRUE(t.load(t.mediaPath("clip.mp4")));
  Form1& f = t.form();
  EXPECT_EQ(t.media->urls, std::vector<std::string>{t.mediaPath("clip.mp4")});
  EXPECT_TRUE(f.WindowsMediaPlayer1.visible());
  EXPECT_FALSE(f.ShockwaveFlash1.visible());
  EXPECT_EQ(f.WindowsMediaPlayer1.width(), W - 240);
  EXPECT_EQ(f.WindowsMediaPlayer1.height(), H - 1650);
  EXPECT_TRUE(f.Timer6.enabled());
  EXPECT_TRUE(f.Timer8.enabled());
  EXPECT_TRUE(f.Timer4.enabled());
  EXPECT_EQ(f.File1.path(), t.mediaFolder);
  EXPECT_EQ(t.state().CmdFileName, "clip.mp4");
}

TEST(CommandLine, ExtensionsCompareExactly) {
  TestPlayer t;
  t.makeMedia({"c.MP3", "d.mp3"});
  ASSERT_TRUE(t.load("\"" + t.mediaPath("c.MP3") + "\""));
  EXPECT_TRUE(t.media->urls.empty());
  EXPECT_EQ(t.state().CmdFile, t.mediaPath("c.MP3"));
  // The list still moves to the file's folder.
  EXPECT_EQ(t.form().File1.path(), t.mediaFolder);
}

TEST(CommandLine, FlashVideoStartsThePlayerMovieWithoutTheTimeDisplay) {
  TestPlayer t;
  t.makeMedia({"v.flv"});
  ASSERT_TRUE(t.load(t.mediaPath("v.flv")));
  Form1& f = t.form();
  EXPECT_EQ(t.flash->movies, std::vector<std::string>{t.programFile("power.swf")});
  EXPECT_EQ(t.flash->GetVariable("testVar"), t.mediaPath("v.flv"));
  EXPECT_TRUE(t.flash->IsPlaying());
  EXPECT_TRUE(f.ShockwaveFlash1.visible());
  EXPECT_FALSE(f.WindowsMediaPlayer1.visible());
  EXPECT_EQ(f.ShockwaveFlash1.height(), H - 1635);
  EXPECT_TRUE(f.Timer10.enabled());
  EXPECT_FALSE(f.Timer8.enabled());
  EXPECT_FALSE(f.Timer4.enabled());
}

TEST(CommandLine, FlashMovieLoadsItself) {
  TestPlayer t;
  t.makeMedia({"m.swf"});
  ASSERT_TRUE(t.load(t.mediaPath("m.swf")));
  EXPECT_EQ(t.flash->movies, std::vector<std::string>{t.mediaPath("m.swf")});
  EXPECT_TRUE(t.form().Timer6.enabled());
  EXPECT_TRUE(t.form().Timer4.enabled());
  EXPECT_TRUE(t.form().Timer8.enabled());
}

TEST(CommandLine, PicturesMissingFilesAndUnknownKindsAreNotOpened) {
  for (const char* name : {"photo.jpg", "notes.txt", "noext", "missing.mp4"}) {
    TestPlayer t;
    if (std::string(name) != "missing.mp4") t.makeMedia({name});
    ASSERT_TRUE(t.load(t.mediaPath(name)));
    EXPECT_TRUE(t.media->urls.empty()) << name;
    EXPECT_TRUE(t.flash->movies.empty()) << name;
    EXPECT_FALSE(t.form().Timer6.enabled()) << name;
  }
}

TEST(CommandLine, NamesWithDotsSpacesQuotesAndChineseCharacters) {
  for (const char* name : {"a.b.c.mp4", "my clip.mp4", "say \"hi\".mp4", "音乐 视频.mkv"}) {
    TestPlayer t;
    t.makeMedia({name});
    // A name may hold quotes: the line that is a file as it stands keeps them.
    ASSERT_TRUE(t.load(t.mediaPath(name)));
    EXPECT_EQ(t.media->urls, std::vector<std::string>{t.mediaPath(name)}) << name;
    EXPECT_EQ(t.state().CmdFileName, name);
  }
}

TEST(ListLocate, MarksTheCommandLineFileAndOpensItAgain) {
  TestPlayer t;
  t.makeMedia({"a.mp3", "b.mp3", "clip.mp4", "d.wav"});
  ASSERT_TRUE(t.load(t.mediaPath("clip.mp4")));
  t.clock.advance(499);
  EXPECT_EQ(t.media->urls.size(), 1u);
  t.clock.advance(1);
  EXPECT_EQ(t.form().File1.fileName(), "clip.mp4");
  EXPECT_EQ(t.state().ListNum, 2);
  EXPECT_FALSE(t.form().Timer6.enabled());
  // The walk opened b.mp3 on its way, then clip.mp4 a second time.
  EXPECT_EQ(t.media->urls.back(), t.mediaPath("clip.mp4"));
  EXPECT_EQ(t.media->urls[1], t.mediaPath("b.mp3"));
}

TEST(ListLocate, FirstEntryIsReachedAfterTheWalkWraps) {
  TestPlayer t;
  t.makeMedia({"a.mp3", "b.mp3", "c.mp3"});
  ASSERT_TRUE(t.load(t.mediaPath("a.mp3")));
  t.clock.advance(500);
  EXPECT_EQ(t.state().ListNum, 0);
  EXPECT_EQ(t.form().File1.listIndex(), 0);
}

TEST(ListLocate, AMissingFileEndsAtNoSelection) {
  TestPlayer t;
  t.makeMedia({"a.mp3", "b.mp3"});
  ASSERT_TRUE(t.load(t.mediaPath("gone.mp3")));
  // Nothing was opened at start, so no locate runs; the open dialog starts
  // one the same way with an empty name.
  t.state().CmdFileName.clear();
  t.form().Timer6.setEnabled(true);
  t.clock.advance(500);
  EXPECT_EQ(t.state().ListNum, -1);
  EXPECT_EQ(t.form().File1.listIndex(), -1);
  EXPECT_FALSE(t.form().Timer6.enabled());
}

// A file the list does not show is never found: nothing is opened over the
// file that plays.
TEST(ListLocate, ANameNoEntryCarriesOpensNothing) {
  TestPlayer t;
  t.makeMedia({"a.mp3", "b.mp3", "c.mp3", "photo.JPG"});
  t.state().CmdFileName = "photo.JPG";  // not listed by the media pattern
  t.form().File1.setPattern("*.mp3");
  t.form().Timer10.setEnabled(true);
  t.clock.advance(500);
  EXPECT_FALSE(t.form().Timer10.enabled());
  EXPECT_EQ(t.form().File1.listIndex(), -1);
  EXPECT_TRUE(t.media->urls.empty());
}

// Names are bytes: a name that is no UTF-8 opens as it is on the disk.
TEST(CommandLine, NamesKeepTheirBytes) {
  TestPlayer t;
  t.makeMedia({"caf\xe9 x.mp3", "b 1.mp3", "say \"hi\".mp3"});
  auto isFile = [&t](const std::string& path) { return t.files.isFile(path); };
  auto lineOf = [&](std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), "quilmora");
    return commandLineOf(arguments, t.mediaFolder, isFile);
  };
  // A path in pieces is joined; a caller's quotes go.
  const std::string line = lineOf({"caf\xe9", "\"x\".mp3"});
  EXPECT_EQ(line, t.mediaPath("caf\xe9 x.mp3"));
  // A relative name with quotes of its own keeps them; an address is its path.
  EXPECT_EQ(lineOf({"say \"hi\".mp3"}), t.mediaPath("say \"hi\".mp3"));
  EXPECT_EQ(lineOf({"file://" + t.mediaFolder + "/caf%E9%20x.mp3"}), t.mediaPath("caf\xe9 x.mp3"));
  // Several files (a shell's wildcard): the first.
  EXPECT_EQ(lineOf({"b 1.mp3", "caf\xe9 x.mp3"}), t.mediaPath("b 1.mp3"));
  ASSERT_TRUE(t.load(line));
  EXPECT_EQ(t.media->urls, std::vector<std::string>{t.mediaPath("caf\xe9 x.mp3")});
}

}  // namespace
}  // namespace qm::test
