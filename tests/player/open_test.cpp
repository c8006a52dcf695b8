#include <gtest/gtest.h>

#include "player/media_kind.h"
#include "support/test_player.h"

namespace qm::test {
namespace {

TEST(MediaKind, ByTheLastPieceOfTheNameExactly) {
  EXPECT_EQ(kindOfExtension(entryExtension("photo.jpg")), MediaKind::Picture);
  EXPECT_EQ(kindOfExtension(entryExtension("photo.JPG")), MediaKind::Media);
  EXPECT_EQ(kindOfExtension(entryExtension("a.b.swf")), MediaKind::FlashMovie);
  EXPECT_EQ(kindOfExtension(entryExtension("swf")), MediaKind::FlashMovie);
  EXPECT_EQ(kindOfExtension(entryExtension("clip.flv")), MediaKind::FlashVideo);
  EXPECT_EQ(kindOfExtension(entryExtension("song.mp3")), MediaKind::Media);
  EXPECT_EQ(entryExtension("name."), "");
  EXPECT_EQ(entryExtension(""), "");
}

TEST(PathFunctions, FolderAndExtension) {
  EXPECT_EQ(GetPathFromFileName("/a b/c.MP3", "/"), "/a b/");
  EXPECT_EQ(GetPathFromFileName("c.mp3", "/"), "");
  EXPECT_EQ(GetPathFromFileName("", "/"), "");
  EXPECT_EQ(GetExtension("/a/c.MP3"), "MP3");
  EXPECT_EQ(GetExtension("/a.b/c"), "");
  EXPECT_EQ(GetExtension("/a/c."), "");
  EXPECT_EQ(GetExtension("/a/x.tar.gz"), "gz");
  EXPECT_EQ(GetExtension(""), "");
}

class Open : public ::testing::Test {
 protected:
  void SetUp() override {
    t.makeMedia({"a.mp3", "b.flv", "c.jpg", "d.swf", "e.mp4", "photo.JPG"});
    t.files.addFolder(t.programFile("datinf"));  // not the first start
    ASSERT_TRUE(t.load(""));
    t.form().File1.setPath(t.mediaFolder);
    t.form().File1.setPattern("*.*");
  }
  void select(const std::string& name) {
    for (int i = 0; i < t.form().File1.listCount(); ++i)
      if (t.form().File1.list(i) == name) {
        t.form().File1.setListIndex(i);
        return;
      }
    FAIL() << name;
  }
  TestPlayer t;
};

TEST_F(Open, MediaGoesToTheMediaEngineWithTheEndWatch) {
  Form1& f = t.form();
  f.Frame1.setVisible(true);
  select("e.mp4");
  EXPECT_EQ(t.media->URL(), t.mediaPath("e.mp4"));
  EXPECT_EQ(t.state().PlayFile, t.mediaPath("e.mp4"));
  EXPECT_EQ(t.state().ListNum, f.File1.listIndex());
  EXPECT_EQ(t.flash->movie(), t.programFile("0.swf"));
  EXPECT_TRUE(f.WindowsMediaPlayer1.visible());
  EXPECT_FALSE(f.ShockwaveFlash1.visible());
  EXPECT_EQ(f.WindowsMediaPlayer1.left(), 120);
  EXPECT_EQ(f.WindowsMediaPlayer1.width(), f.width() - 240);
  EXPECT_TRUE(f.Timer4.enabled());
  EXPECT_FALSE(f.Timer1.enabled());
  EXPECT_FALSE(f.Frame1.visible());
  EXPECT_TRUE(f.Timer8.enabled());
  EXPECT_EQ(f.Timer8.interval(), 50);
  EXPECT_TRUE(f.Image3.visible());
  EXPECT_FALSE(f.Image2.visible());
}

TEST_F(Open, UpperCasePictureNameIsMediaWithoutSlideShow) {
  select("photo.JPG");
  EXPECT_EQ(t.media->URL(), t.mediaPath("photo.JPG"));
  EXPECT_FALSE(t.form().Timer1.enabled());
  EXPECT_TRUE(t.form().Timer4.enabled());
}

TEST_F(Open, PictureSwitchesToPictureModeAndStartsTheSlideShow) {
  Form1& f = t.form();
  select("c.jpg");
  EXPECT_EQ(t.media->URL(), t.mediaPath("c.jpg"));
  EXPECT_TRUE(f.Timer1.enabled());
  EXPECT_FALSE(f.Timer4.enabled());
  for (Image* shown : {&f.Image2, &f.Image5, &f.Image7}) EXPECT_TRUE(shown->visible()) << shown->name();
  for (Image* hidden : {&f.Image3, &f.Image6, &f.Image8}) EXPECT_FALSE(hidden->visible()) << hidden->name();
}

TEST_F(Open, FlashMovieClosesTheMediaEngineAndWaitsBeforeTheEndWatch) {
  Form1& f = t.form();
  select("e.mp4");
  select("d.swf");
  EXPECT_EQ(t.media->playState(), play_state::Undefined);
  EXPECT_FALSE(f.WindowsMediaPlayer1.visible());
  EXPECT_TRUE(f.ShockwaveFlash1.visible());
  EXPECT_EQ(t.flash->movie(), t.mediaPath("d.swf"));
  EXPECT_EQ(f.ShockwaveFlash1.height(), f.height() - 1635);
  EXPECT_FALSE(f.Timer4.enabled());
  EXPECT_TRUE(f.Timer2.enabled());
}

TEST_F(Open, FlashVideoReloadsThePlayerMovieEveryTime) {
  select("b.flv");
  select("b.flv");
  const std::vector<std::string> expected = {t.programFile("0.swf"), t.programFile("power.swf"), t.programFile("0.swf"),
                                             t.programFile("power.swf")};
  EXPECT_EQ(t.flash->movies, expected);
  EXPECT_EQ(t.flash->GetVariable("testVar"), t.mediaPath("b.flv"));
  EXPECT_EQ(t.flash->calls.back(), "Play");
  EXPECT_FALSE(t.form().Timer4.enabled());
}

// Ruffle's web engine holds some 400 MB: it may start ahead for a movie the
// list opens next, and never while the list goes on with media.
TEST_F(Open, TheFlashEngineExpectsAMovieOnlyWhileTheListOpensOneNext) {
  select("c.jpg");
  EXPECT_EQ(t.flash->expected, t.mediaPath("d.swf"));
  select("e.mp4");
  EXPECT_EQ(t.flash->expected, "");
  select("a.mp3");
  EXPECT_EQ(t.flash->expected, "");
}

TEST_F(Open, NoSelectionGivesTheFolderToTheMediaEngine) {
  t.form().File1.setListIndex(-1);
  EXPECT_EQ(t.media->URL(), t.mediaFolder + "/");
  EXPECT_EQ(t.state().ListNum, -1);
}

TEST_F(Open, ListNumFollowsOpensMadeByCode) {
  t.form().File1.setListIndex(3);
  EXPECT_EQ(t.state().ListNum, 3);
  t.form().File1.setListIndex(1);
  EXPECT_EQ(t.state().ListNum, 1);
  EXPECT_FALSE(t.form().File1.setListIndex(99));
  EXPECT_EQ(t.state().ListNum, 1);
}

TEST_F(Open, BackgroundMusicPlaysOnAcrossOpens) {
  t.form().Image2.Click.raise();
  ASSERT_EQ(t.music->playState(), play_state::Playing);
  select("e.mp4");
  select("c.jpg");
  EXPECT_EQ(t.music->playState(), play_state::Playing);
}

TEST_F(Open, WebViewIsHiddenStoppedAndClosed) {
  t.form().WebBrowser1.setVisible(true);
  select("a.mp3");
  EXPECT_FALSE(t.form().WebBrowser1.visible());
  EXPECT_EQ(t.web->calls, (std::vector<std::string>{"stop", "quit"}));
}

// Window commands come from any movie; the player movie's own protocol
// (the reset on an unknown command, "oknext") only while a Flash video plays,
// so a .swf's ordinary fscommands never replace it with the player movie.
TEST_F(Open, FlashCommandsByKindAndExactCase) {
  Form1& f = t.form();
  select("d.swf");
  t.flash->FSCommand.raise("showmenu", "false");
  EXPECT_EQ(t.flash->movie(), t.mediaPath("d.swf"));

  t.flash->FSCommand.raise("full", "");
  EXPECT_FALSE(f.Picture2.visible() || f.Image32.visible());
  EXPECT_EQ(t.flash->ScaleMode(), 1);
  EXPECT_EQ(f.ShockwaveFlash1.width(), t.windows.screenWidth());
  t.flash->FSCommand.raise("normal", "");
  EXPECT_TRUE(f.Picture2.visible() && f.Image32.visible());
  EXPECT_EQ(t.flash->ScaleMode(), 0);
  EXPECT_EQ(f.ShockwaveFlash1.left(), 120);
  EXPECT_EQ(f.ShockwaveFlash1.width(), f.width() - 240);
  t.flash->FSCommand.raise("full", "");
  f.KeyDown.raise(kKeyEscape, 0);  // Esc leaves it as the movie's own button does
  EXPECT_TRUE(f.Picture2.visible() && f.Picture4.visible());
  EXPECT_EQ(f.windowState(), Form::Normal);

  select("b.flv");
  const size_t loads = t.flash->movies.size();
  t.flash->FSCommand.raise("FULL", "");
  ASSERT_EQ(t.flash->movies.size(), loads + 2);
  EXPECT_EQ(t.flash->movie(), t.programFile("power.swf"));
  EXPECT_TRUE(f.Picture2.visible());

  t.flash->FSCommand.raise("oknext", "");
  t.clock.advance(900);
  EXPECT_EQ(f.File1.listIndex(), 1);
  t.clock.advance(200);
  EXPECT_EQ(f.File1.listIndex(), 2);
}

}  // namespace
}  // namespace qm::test
