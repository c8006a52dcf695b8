// What the player adds to the original's transport: tracks, subtitles,
// speed, snapshots and going on where a file was left.
#include <gtest/gtest.h>

#include "support/test_player.h"

namespace qm::test {
namespace {

class MediaExtras : public ::testing::Test {
 protected:
  void SetUp() override {
    t.makeMedia({"a.mkv", "b.mkv"});
    ASSERT_TRUE(t.load(""));
    t.form().File1.setPath(t.mediaFolder);
    t.form().File1.setListIndex(0);
    t.media->setState(play_state::Playing);
  }
  std::vector<std::string> captions(MenuItem& menu) {
    std::vector<std::string> names;
    for (Control* c : menu.children()) names.push_back(static_cast<MenuItem*>(c)->caption());
    return names;
  }
  void key(int code) { t.form().KeyDown.raise(code, 0); }
  TestPlayer t;
};

TEST_F(MediaExtras, TracksAreListedAsTheMenuOpensAndTheKeysStepThroughThem) {
  using Kind = MediaTrack::Kind;
  t.media->trackList = {{Kind::Audio, 1, "国语", "chi", true, false},
                        {Kind::Audio, 2, "", "", false, false},
                        {Kind::Subtitle, 1, "a.zh.srt", "zh", true, true}};
  Form1& f = t.form();
  f.MenuOpening.raise();
  EXPECT_EQ(captions(f.AudioTracks), (std::vector<std::string>{"国语 [chi]", "音轨 2"}));
  ASSERT_EQ(f.Subtitles.children().size(), 3u);  // load a file, off, the one track
  EXPECT_TRUE(static_cast<MenuItem*>(f.Subtitles.children()[2])->checked());
  EXPECT_FALSE(f.SubtitlesOff.checked());

  key(kKeyB);
  EXPECT_TRUE(t.media->trackList[1].selected);
  key(kKeyB);  // wraps to the first
  EXPECT_TRUE(t.media->trackList[0].selected);
  key(kKeyV);  // past the only subtitles: none
  EXPECT_FALSE(t.media->trackList[2].selected);
  EXPECT_EQ(t.media->texts.back(), "关闭字幕");
  key(kKeyV);
  EXPECT_TRUE(t.media->trackList[2].selected);

  // A subtitle file dropped on the playing video joins it; it does not open.
  t.files.write("/home/user/subs/b.ass");
  f.FilesDropped.raise({"/home/user/subs/b.ass"});
  EXPECT_EQ(t.media->subtitleFiles, std::vector<std::string>{"/home/user/subs/b.ass"});
  EXPECT_EQ(t.media->URL(), t.mediaPath("a.mkv"));
  // The subtitle dialog opens beside the video.
  t.fileDialog.answer = t.mediaPath("a.srt");
  f.SubtitleFile.Click.raise();
  EXPECT_EQ(t.fileDialog.shownIn, t.mediaFolder);
  EXPECT_EQ(t.media->subtitleFiles.back(), t.mediaPath("a.srt"));
}

TEST_F(MediaExtras, SpeedStepsWithinItsListAndSnapshotsGoToThePicturesFolder) {
  Form1& f = t.form();
  key(kKeyCloseBracket);
  EXPECT_DOUBLE_EQ(t.media->speed(), 1.25);
  EXPECT_EQ(t.media->texts.back(), "播放速度 1.25x");
  for (int i = 0; i < 5; ++i) key(kKeyOpenBracket);
  EXPECT_DOUBLE_EQ(t.media->speed(), 0.5) << "the slowest is the floor";
  f.MenuOpening.raise();
  EXPECT_TRUE(f.Speed050.checked());
  EXPECT_FALSE(f.Speed100.checked());

  t.windows.pictures = "/home/user/Pictures";
  t.media->setPosition(3725.4);
  key(kKeyS);
  key(kKeyS);
  ASSERT_EQ(t.media->savedFrames.size(), 2u);
  EXPECT_EQ(t.media->savedFrames[0], "/home/user/Pictures/a 01-02-05.png");
  EXPECT_TRUE(t.files.isFolder("/home/user/Pictures"));
  t.files.write(t.media->savedFrames[0]);
  f.Snapshot.Click.raise();
  EXPECT_EQ(t.media->savedFrames.back(), "/home/user/Pictures/a 01-02-05 (2).png");
  t.media->FrameSaved.raise(t.media->savedFrames[0], true);
  EXPECT_EQ(t.media->texts.back(), "截图已保存：/home/user/Pictures/a 01-02-05.png");
}

TEST_F(MediaExtras, ALongFileOpenedAgainGoesOnWhereItWasLeft) {
  Form1& f = t.form();
  t.media->setDuration(600);
  t.media->setPosition(120);
  f.File1.setListIndex(1);  // nothing kept: remembering is off
  f.File1.setListIndex(0);
  EXPECT_EQ(t.media->currentPosition(), 0);

  f.RememberPosition.Click.raise();
  t.media->setState(play_state::Playing);
  t.media->setPosition(120);
  f.File1.setListIndex(1);
  t.media->setState(play_state::Playing);
  t.media->setPosition(30);
  f.File1.setListIndex(0);
  EXPECT_EQ(t.media->currentPosition(), 120);
  // Opens in quick succession (start-up's walk to the command line's file)
  // leave the engine opening throughout; the last still goes on.
  t.media->setState(play_state::Playing);
  t.media->setPosition(150);
  f.File1.setListIndex(1);
  f.File1.setListIndex(0);
  EXPECT_EQ(t.media->currentPosition(), 150);

  // The loop button starts over; a file changed on disk starts at its
  // beginning too; and the choice outlives the player.
  t.media->setState(play_state::Playing);
  f.Image20.Click.raise();
  EXPECT_EQ(t.media->currentPosition(), 0);
  t.media->setState(play_state::Playing);
  t.media->setPosition(200);
  f.File1.setListIndex(1);
  t.files.write(t.mediaPath("a.mkv"), "changed");
  f.File1.setListIndex(0);
  EXPECT_EQ(t.media->currentPosition(), 0);
  TestPlayer again;
  again.files.write(again.programFile("fileinf.ini"), "[user]\nresume=1\n");
  ASSERT_TRUE(again.load(""));
  EXPECT_TRUE(again.form().RememberPosition.checked());
}

}  // namespace
}  // namespace qm::test
