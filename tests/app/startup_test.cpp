#include <gtest/gtest.h>

#include "player/execute_requests.h"
#include "support/test_player.h"

namespace qm::test {
namespace {

std::string readFile(TestPlayer& t, const std::string& path) {
  const std::string* content = t.files.content(path);
  return content ? *content : std::string();
}

TEST(StartUp, SecondStartEndsBeforeTouchingAnything) {
  TestPlayer t;
  t.files.write(t.programFile("power.dll"), "movie");
  t.makeMedia({"clip.mp4"});
  t.instance.anotherRuns = true;
  EXPECT_FALSE(t.load(t.mediaPath("clip.mp4")));
  EXPECT_TRUE(t.media->urls.empty());
  EXPECT_TRUE(t.files.isFile(t.programFile("power.dll")));
  EXPECT_FALSE(t.files.isFile(t.programFile("fileinf.ini")));
  EXPECT_TRUE(t.windows.screenSaver.empty());
}

TEST(StartUp, FirstRunWithoutCommandLine) {
  TestPlayer t;
  ASSERT_TRUE(t.load(""));
  // The settings file is created with an empty section; the list shows the
  // documents folder; the data folder marks the first run as over.
  EXPECT_EQ(t.settings.getString(t.programFile("fileinf.ini"), "user", "filepath", "none"), "none");
  EXPECT_NE(readFile(t, t.programFile("fileinf.ini")).find("[user]"), std::string::npos);
  EXPECT_EQ(t.form().Dir1.path(), t.windows.documents);
  EXPECT_EQ(t.form().File1.path(), t.windows.documents);
  EXPECT_TRUE(t.files.isFolder(t.programFile("datinf")));
  EXPECT_TRUE(t.context().Form4.visible());
  EXPECT_TRUE(t.media->urls.empty());
  EXPECT_TRUE(t.form().WebBrowser1.visible()) << "the home page greets a first start";
  EXPECT_EQ(t.windows.topmost, (std::set<std::string>{"Form1", "Form4"}))
      << "the main window and the association dialog stay above others";
  EXPECT_EQ(t.windows.screenSaver, std::vector<bool>{false});
}

TEST(StartUp, LaterRunRestoresTheSavedFolder) {
  TestPlayer t;
  t.files.addFolder(t.programFile("datinf"));
  t.settings.writeString(t.programFile("fileinf.ini"), "user", "filepath", t.mediaFolder);
  t.files.write(t.mediaPath("song.mp3"));
  ASSERT_TRUE(t.load(""));
  EXPECT_EQ(t.form().File1.path(), t.mediaFolder);
  EXPECT_EQ(t.form().Dir1.path(), t.mediaFolder);
  EXPECT_EQ(t.form().File1.listCount(), 1);
  EXPECT_FALSE(t.context().Form4.visible());

  // A file named on the command line takes both lists to its folder.
  TestPlayer other;
  other.files.addFolder(other.programFile("datinf"));
  other.settings.writeString(other.programFile("fileinf.ini"), "user", "filepath", other.mediaFolder);
  other.files.write(other.mediaPath("song.mp3"));
  other.files.write("/home/user/films/clip.mp4");
  ASSERT_TRUE(other.load("/home/user/films/clip.mp4"));
  EXPECT_EQ(other.form().File1.path(), "/home/user/films");
  EXPECT_EQ(other.form().Dir1.path(), "/home/user/films");
  EXPECT_EQ(other.form().File1.listCount(), 1);
}

// A saved folder the list refuses (a removed disk), a broken file or a
// missing key start in the documents folder; a list left without any folder
// never overwrites the one saved.
TEST(StartUp, AnUnusableSavedFolderStartsInTheDocumentsFolder) {
  for (const std::string& content :
       {std::string("[user]\nfilepath=/media/usb/Movies\n"), std::string("[user\n\x01\xff==\n"), std::string("")}) {
    TestPlayer t;
    t.files.write(t.programFile("fileinf.ini"), content);
    ASSERT_TRUE(t.load(""));
    EXPECT_EQ(t.form().File1.path(), t.windows.documents) << content;
  }
  TestPlayer t;
  t.files.write(t.programFile("fileinf.ini"), "[user]\nfilepath=/media/usb/Movies\n");
  t.windows.documents = "";
  ASSERT_TRUE(t.load(""));
  ASSERT_EQ(t.form().File1.path(), "");
  t.player().unload();
  EXPECT_EQ(t.settings.getString(t.programFile("fileinf.ini"), "user", "filepath", ""), "/media/usb/Movies");
}

TEST(StartUp, ALockThatCannotBeMadeIsSaid) {
  TestPlayer t;
  t.files.write(t.programFile("power.dll"), "movie");
  t.instance.failure = "no runtime folder";
  EXPECT_FALSE(t.load(""));
  EXPECT_EQ(t.windows.messages, std::vector<std::string>{"无法启动 Quilmora：no runtime folder"});
  EXPECT_TRUE(t.files.isFile(t.programFile("power.dll")));
}

// Execute requests that arrive while a box is open wait for it; a flood of
// them never opens a box inside a box.
TEST(ExecuteRequests, OneBoxAtATime) {
  TestPlayer t;
  ASSERT_TRUE(t.load(""));
  int sent = 0;
  t.windows.whileBoxOpen = [&] {
    while (sent < 1000) t.instance.Execute.raise("request " + std::to_string(++sent));
  };
  t.instance.Execute.raise("first");
  EXPECT_EQ(t.windows.maxBoxDepth, 1);
  EXPECT_EQ(t.windows.messages.front(), "first");
  EXPECT_EQ(t.windows.messages.back(), "request 1000") << "the newest request is shown";
  EXPECT_LE(t.windows.messages.size(), 1 + ExecuteRequests::kMaxWaiting);
}

TEST(StartUp, MoviesRunUnderTheirSwfNamesAndAreStoredBackAtShutdown) {
  TestPlayer t;
  t.files.write(t.programFile("x.dll"), "x");
  t.files.write(t.programFile("power.dll"), "p");
  t.files.write(t.programFile("0.dll"), "0");
  ASSERT_TRUE(t.load(""));
  EXPECT_TRUE(t.files.isFile(t.programFile("x.swf")));
  EXPECT_TRUE(t.files.isFile(t.programFile("power.swf")));
  EXPECT_FALSE(t.files.isFile(t.programFile("power.dll")));
  // Any swf of the folder goes back to dll, also one that came later.
  t.files.write(t.programFile("later.swf"), "l");
  t.player().unload();
  for (const char* name : {"x.dll", "power.dll", "0.dll", "later.dll"})
    EXPECT_TRUE(t.files.isFile(t.programFile(name))) << name;
  EXPECT_FALSE(t.files.isFile(t.programFile("power.swf")));
}

TEST(StartUp, ARenameOntoAnExistingNameIsSkipped) {
  TestPlayer t;
  t.files.write(t.programFile("power.dll"), "stored");
  t.files.write(t.programFile("power.swf"), "left over");
  ASSERT_TRUE(t.load(""));
  EXPECT_EQ(readFile(t, t.programFile("power.swf")), "left over");
  EXPECT_EQ(readFile(t, t.programFile("power.dll")), "stored");
}

TEST(Shutdown, SavesTheFolderRestoresTheScreenSaverAndThePointerOnce) {
  TestPlayer t;
  t.makeMedia({"a.mp3"});
  ASSERT_TRUE(t.load(""));
  t.form().File1.setPath(t.mediaFolder);
  t.windows.counter = -3;
  t.player().unload();
  t.player().unload();
  EXPECT_EQ(t.settings.getString(t.programFile("fileinf.ini"), "user", "filepath", ""), t.mediaFolder);
  EXPECT_EQ(t.windows.screenSaver, (std::vector<bool>{false, true}));
  EXPECT_EQ(t.windows.counter, 0);
}

}  // namespace
}  // namespace qm::test
