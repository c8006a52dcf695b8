#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>

#include "browser/tabs.h"
#include "model/media_types.h"
#include "model/web_addresses.h"
#include "support/test_player.h"

namespace qm::test {
namespace {

class Browse : public ::testing::Test {
 protected:
  void SetUp() override {
    t.makeMedia({"a.mp3", "b.mp4"});
    ASSERT_TRUE(t.load(""));
    t.form().File1.setPath(t.mediaFolder);
  }
  std::string choose(const std::string& path) {
    t.fileDialog.answer = path;
    t.form().Label7.Click.raise();
    return path;
  }
  std::vector<std::string> listed() {
    std::vector<std::string> names;
    for (int i = 0; i < t.form().File1.listCount(); ++i) names.push_back(t.form().File1.list(i));
    return names;
  }
  TestPlayer t;
};

// Every entry between the two "all files" ends lists one extension the
// player plays, under its own mask.
TEST_F(Browse, DialogOffersAllFilesFirstThenOneEntryPerKnownExtension) {
  choose("");
  const std::vector<FileFilter>& offered = t.fileDialog.offered;
  ASSERT_EQ(offered.size(), 33u);
  EXPECT_EQ(offered.front().description, "AllFiles");
  EXPECT_EQ(offered.front().mask, "*.*");
  EXPECT_EQ(offered.back().mask, "*.*");
  for (std::size_t i = 1; i + 1 < offered.size(); ++i) {
    EXPECT_EQ(offered[i].description, offered[i].mask);
    const std::string ext = offered[i].mask.substr(2);
    EXPECT_TRUE(std::any_of(std::begin(kMediaTypes), std::end(kMediaTypes), [&](const MediaType& m) {
      std::string known = m.extension;
      std::transform(known.begin(), known.end(), known.begin(), [](unsigned char c) { return std::tolower(c); });
      return known == ext;
    })) << offered[i].mask;
  }
}

TEST_F(Browse, CancelLeavesTheListsAndResetsTabsAndTimes) {
  Form1& f = t.form();
  f.Label6.Click.raise();
  ASSERT_TRUE(f.Frame1.visible());
  f.Label1.setCaption("01:02");
  f.KeyDown.raise(kKeyO, 0);  // no key of the player's
  EXPECT_EQ(t.fileDialog.shows, 0);
  f.KeyDown.raise(kKeyO, kShiftCtrl);  // the browse tab's key
  EXPECT_EQ(t.fileDialog.shows, 1);
  EXPECT_EQ(f.File1.path(), t.mediaFolder);
  EXPECT_EQ(listed().size(), 2u);
  EXPECT_FALSE(f.Frame1.visible());
  EXPECT_EQ(f.Label7.foreColor(), 0xFF9933u);
  EXPECT_EQ(f.Label6.foreColor(), 0xFFFFFFu);
  EXPECT_EQ(f.Label1.caption(), "00:00");
  EXPECT_EQ(f.Label2.caption(), "/00:00");
  EXPECT_TRUE(t.media->urls.empty());
}

// A chosen clip plays at once; half a second later the list, moved to its
// folder with music and films, selects it and opens it again.
TEST_F(Browse, ChosenClipPlaysAndIsSelectedInItsFolder) {
  Form1& f = t.form();
  const std::string folder = "/home/user/影 片 \"新\"";
  const std::string clip = folder + "/clip \"x\"\nlast.avi";
  t.files.write(clip);
  t.files.write(folder + "/song.mp3");
  t.files.write(folder + "/photo.jpg");
  choose(clip);
  EXPECT_EQ(f.File1.path(), folder);
  EXPECT_EQ(f.Dir1.path(), folder);
  EXPECT_EQ(listed(), (std::vector<std::string>{"clip \"x\"\nlast.avi", "song.mp3"}));
  EXPECT_EQ(t.media->URL(), clip);
  EXPECT_TRUE(f.WindowsMediaPlayer1.visible());
  EXPECT_TRUE(f.Image3.visible());
  t.clock.advance(500);
  EXPECT_EQ(f.File1.fileName(), "clip \"x\"\nlast.avi");
  EXPECT_EQ(t.state().ListNum, 0);
  EXPECT_EQ(t.media->URL(), clip);
}

TEST_F(Browse, ChosenPictureAndMovieSetTheirKindsPatternWithoutLocating) {
  Form1& f = t.form();
  t.files.write("/pics/b.png");
  t.files.write("/pics/z.jpg");
  t.files.write("/pics/a.mp3");
  t.state().ListNum = 5;
  choose("/pics/z.jpg");
  EXPECT_EQ(listed(), (std::vector<std::string>{"b.png", "z.jpg"}));
  EXPECT_TRUE(f.Image2.visible());
  EXPECT_TRUE(f.Timer1.enabled());
  EXPECT_EQ(t.state().ListNum, 0);
  EXPECT_FALSE(f.Timer6.enabled());
  t.clock.advance(7000);  // the slide show goes on from the list's start
  EXPECT_EQ(f.File1.fileName(), "z.jpg");

  // A movie chosen while the slide show runs plays as one clicked in the
  // list does, and the title names it.
  t.files.write("/movies/m.swf");
  t.files.write("/movies/n.swf");
  choose("/movies/m.swf");
  EXPECT_EQ(f.File1.pattern(), "*.swf");
  EXPECT_TRUE(f.ShockwaveFlash1.visible());
  EXPECT_FALSE(f.WindowsMediaPlayer1.visible());
  EXPECT_FALSE(f.Timer6.enabled() || f.Timer10.enabled());
  t.clock.advance(12000);
  EXPECT_EQ(t.flash->movie(), "/movies/m.swf");
  EXPECT_EQ(f.caption(), "m.swf - Quilmora");
}

// The home page leaves playback: a movie's limit, armed once the movie has
// played five seconds, does not open the next entry over the page.
TEST_F(Browse, NothingMovesOnOverTheHomePage) {
  Form1& f = t.form();
  t.files.write("/movies/m.swf");
  t.files.write("/movies/n.swf");
  f.File1.setPath("/movies");
  f.File1.setListIndex(0);
  t.clock.advance(6000);
  f.Label8.Click.raise();
  t.clock.advance(4 * 60 * 1000);
  EXPECT_EQ(f.File1.listIndex(), 0);
  EXPECT_EQ(t.flash->movie(), t.programFile("0.swf"));
  EXPECT_TRUE(f.WebBrowser1.visible());
}

// Dropping a folder opens it in the lists; dropping a file plays it as a
// chosen one; a drive that cannot be read leaves the lists where they were.
TEST_F(Browse, DropsAndUnreadableDrive) {
  Form1& f = t.form();
  t.files.write("/drop/x.wav");
  f.FilesDropped.raise({"/drop"});
  EXPECT_EQ(f.File1.path(), "/drop");
  EXPECT_TRUE(f.Frame1.visible());
  f.FilesDropped.raise({"/drop/x.wav", t.mediaPath("a.mp3")});
  EXPECT_EQ(t.media->URL(), "/drop/x.wav");
  EXPECT_FALSE(f.Frame1.visible());

  f.Drive1.setDrive("/media/empty-cd");
  EXPECT_EQ(f.Drive1.drive(), "/media/empty-cd");
  EXPECT_EQ(f.Dir1.path(), "/drop");
  EXPECT_EQ(listed(), (std::vector<std::string>{"x.wav"}));
}

TEST_F(Browse, HomePageShowsTheShippedPageAndHelpOpensBeside) {
  Form1& f = t.form();
  f.File1.setListIndex(1);
  ASSERT_TRUE(f.Timer4.enabled());
  f.Label8.Click.raise();
  EXPECT_FALSE(f.Timer4.enabled());
  EXPECT_FALSE(f.WindowsMediaPlayer1.visible());
  EXPECT_EQ(t.media->playState(), play_state::Undefined);
  EXPECT_EQ(t.flash->movie(), t.programFile("0.swf"));
  ASSERT_FALSE(t.web->calls.empty());
  EXPECT_EQ(t.web->calls.back(), "navigate " + t.programFile(kHomePageFile));
  EXPECT_TRUE(f.WebBrowser1.visible());
  EXPECT_EQ(f.Label8.foreColor(), 0xFF9933u);

  f.Label9.Click.raise();
  ASSERT_EQ(t.help.shown.size(), 1u);
  EXPECT_EQ(t.help.shown[0].first, t.programFile("Quilmora.chm"));
  EXPECT_EQ(t.help.shown[0].second, "help.htm");
  EXPECT_TRUE(f.WebBrowser1.visible());
}

}  // namespace
}  // namespace qm::test
