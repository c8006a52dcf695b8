#include <gtest/gtest.h>

#include "platform/remote_control.h"
#include "player/remote_commands.h"
#include "support/test_player.h"

namespace qm::test {
namespace {

class Transport : public ::testing::Test {
 protected:
  void start(const std::vector<std::string>& names) {
    t.makeMedia(names);
    ASSERT_TRUE(t.load(""));
    t.form().File1.setPath(t.mediaFolder);
    t.form().File1.setPattern("*.*");
  }
  std::string playing() const { return t.media->URL(); }
  TestPlayer t;
};

TEST_F(Transport, MediaListPlaysInOrderAndWraps) {
  start({"0.mp3", "1.mp3", "2.mp3"});
  t.form().File1.setListIndex(0);
  std::vector<std::string> order = {playing()};
  for (int i = 0; i < 4; ++i) {
    t.media->setState(play_state::Playing);
    t.clock.advance(3000);  // still playing: nothing moves
    ASSERT_EQ(playing(), order.back());
    t.media->finish();
    t.clock.advance(1000);
    order.push_back(playing());
  }
  const std::vector<std::string> expected = {t.mediaPath("0.mp3"), t.mediaPath("1.mp3"), t.mediaPath("2.mp3"),
                                             t.mediaPath("0.mp3"), t.mediaPath("1.mp3")};
  EXPECT_EQ(order, expected);
  EXPECT_EQ(t.state().ListNum, 1);
}

TEST_F(Transport, AFileThatFailsMovesOn) {
  start({"bad.mp3", "good.mp3"});
  t.form().File1.setListIndex(0);
  t.media->finish();  // the engine gives up on the file
  t.clock.advance(1000);
  EXPECT_EQ(playing(), t.mediaPath("good.mp3"));
}

TEST_F(Transport, PicturesAdvanceEverySevenSeconds) {
  start({"a.png", "b.png", "c.png"});
  t.form().File1.setListIndex(0);
  t.media->setState(play_state::Playing);
  t.clock.advance(6999);
  EXPECT_EQ(playing(), t.mediaPath("a.png"));
  t.clock.advance(1);
  EXPECT_EQ(playing(), t.mediaPath("b.png"));
  t.clock.advance(7000 * 2);
  EXPECT_EQ(playing(), t.mediaPath("a.png"));
  // A picture opened by hand has its own seven seconds.
  t.clock.advance(5000);
  t.form().File1.setListIndex(2);
  t.clock.advance(6999);
  EXPECT_EQ(playing(), t.mediaPath("c.png"));
  t.clock.advance(1);
  EXPECT_EQ(playing(), t.mediaPath("a.png"));
}

TEST_F(Transport, PauseStopsTheAdvanceAndPlayResumesBothEngines) {
  start({"a.mp3", "b.mp3"});
  Form1& f = t.form();
  f.File1.setListIndex(0);
  f.Image2.Click.raise();  // background music
  t.media->setState(play_state::Playing);
  f.Image4.Click.raise();
  EXPECT_TRUE(f.PausedFlag());
  EXPECT_EQ(t.media->playState(), play_state::Paused);
  EXPECT_EQ(t.music->playState(), play_state::Paused);
  EXPECT_FALSE(f.Timer4.enabled());
  const bool panel = f.Frame1.visible();
  f.Image3.Click.raise();
  EXPECT_FALSE(f.PausedFlag());
  EXPECT_EQ(t.media->playState(), play_state::Playing);
  EXPECT_EQ(t.music->playState(), play_state::Playing);
  EXPECT_EQ(f.Frame1.visible(), panel);  // resuming leaves the panel alone
  // The list moves on at the end of the resumed file.
  t.media->finish();
  t.clock.advance(1000);
  EXPECT_EQ(playing(), t.mediaPath("b.mp3"));
}

// The menu's play/pause after a pause runs the slide show again.
TEST_F(Transport, MenuResumesASlideShow) {
  start({"a.jpg", "b.jpg"});
  Form1& f = t.form();
  f.File1.setListIndex(0);
  f.Image4.Click.raise();
  f.BUT4.Click.raise();
  EXPECT_FALSE(f.PausedFlag());
  t.clock.advance(7000);
  EXPECT_EQ(playing(), t.mediaPath("b.jpg"));
}

TEST_F(Transport, PlayWithoutPauseTogglesTheListPanel) {
  start({"a.mp3"});
  Form1& f = t.form();
  f.setWidth(9000);
  ASSERT_FALSE(f.Frame1.visible());
  f.Image3.Click.raise();
  EXPECT_TRUE(f.Frame1.visible());
  EXPECT_EQ(f.Frame1.width(), 1800);
  EXPECT_EQ(f.WindowsMediaPlayer1.left(), 1920);
  EXPECT_EQ(f.WindowsMediaPlayer1.width(), 6960);
  EXPECT_DOUBLE_EQ(f.Dir1.height(), f.Frame1.height() * 0.3);
  EXPECT_GT(f.Frame1.stackIndex(), f.WindowsMediaPlayer1.stackIndex());
  f.Image3.Click.raise();
  EXPECT_FALSE(f.Frame1.visible());
  EXPECT_EQ(f.WindowsMediaPlayer1.left(), 120);
  EXPECT_EQ(f.WindowsMediaPlayer1.width(), 8760);
}

TEST_F(Transport, FlashVideoPauseAndPlayTalkToThePlayerMovie) {
  start({"v.flv"});
  Form1& f = t.form();
  f.File1.setListIndex(0);
  f.Image4.Click.raise();
  EXPECT_EQ(t.flash->GetVariable("testVar2"), "vbpause");
  f.Image3.Click.raise();
  EXPECT_EQ(t.flash->GetVariable("testVar2"), "vbplay");
  // The play tab resumes the same way.
  f.Image4.Click.raise();
  f.Label3.Click.raise();
  EXPECT_EQ(t.flash->GetVariable("testVar2"), "vbplay");
  EXPECT_EQ(f.Label3.foreColor(), 0xFF9933u);
  EXPECT_EQ(f.Label6.foreColor(), 0xFFFFFFu);
}

TEST_F(Transport, StopClosesEverythingAndResetsTheTimes) {
  start({"a.mp3", "b.swf"});
  Form1& f = t.form();
  f.File1.setListIndex(1);
  t.clock.advance(6000);  // the movie's limit runs
  f.File1.setListIndex(0);
  f.Image2.Click.raise();
  f.Label1.setCaption("01:23");
  f.tVate1.setValue(90);
  f.Image9.Click.raise();
  EXPECT_EQ(t.media->playState(), play_state::Undefined);
  EXPECT_EQ(t.music->playState(), play_state::Undefined);
  EXPECT_EQ(f.Label1.caption(), "00:00");
  EXPECT_EQ(f.Label2.caption(), "/00:00");
  EXPECT_EQ(f.tVate1.Value(), 0);
  EXPECT_EQ(t.flash->movie(), t.programFile("power.swf"));
  // A closed engine never reads as ended, and no movie's limit outlives the
  // stop: nothing moves on afterwards.
  t.clock.advance(4 * 60 * 1000);
  EXPECT_EQ(t.media->URL(), "");
  EXPECT_EQ(f.File1.listIndex(), 0);
  EXPECT_EQ(f.Label1.caption(), "00:00");
}

// PgUp and PgDn are the arrows of the kind on show.
TEST_F(Transport, ArrowsAndPageKeysWalkTheirOwnCursor) {
  start({"0.mp3", "1.mp3", "2.mp3", "3.mp3", "4.mp3", "5.mp3", "6.mp3"});
  Form1& f = t.form();
  f.File1.setListIndex(5);
  f.Image8.Click.raise();  // next: the cursor, not the selection, moves on
  EXPECT_EQ(f.File1.listIndex(), 1);
  EXPECT_EQ(playing(), t.mediaPath("1.mp3"));
  f.KeyDown.raise(kKeyPageUp, 0);
  EXPECT_EQ(f.File1.listIndex(), 0);
  f.Image6.Click.raise();  // before the first entry: no selection
  EXPECT_EQ(f.File1.listIndex(), -1);
  EXPECT_EQ(t.state().BtnIndex, -1);
  f.Image6.Click.raise();  // -2 is no entry: nothing changes
  EXPECT_EQ(f.File1.listIndex(), -1);
  EXPECT_EQ(t.state().BtnIndex, -2);
  f.Image8.Click.raise();
  EXPECT_EQ(f.File1.listIndex(), -1);
  f.KeyDown.raise(kKeyPageDown, 0);
  EXPECT_EQ(f.File1.listIndex(), 0);
}

// Next wraps after the last entry; previous from the last entry goes to the
// one above it.
TEST_F(Transport, NextWrapsAfterTheLastEntryAndPreviousStepsBackFromIt) {
  start({"a.mp3", "b.mp3", "c.mp3"});
  Form1& f = t.form();
  f.Image8.Click.raise();
  f.Image8.Click.raise();
  EXPECT_EQ(f.File1.listIndex(), 2);
  f.Image6.Click.raise();
  EXPECT_EQ(f.File1.listIndex(), 1);
  f.Image8.Click.raise();
  f.Image8.Click.raise();
  EXPECT_EQ(f.File1.listIndex(), 0);
  // A cursor left past the end by a larger folder wraps for next and stands
  // on the last entry for previous.
  t.state().BtnIndex = 7;
  f.Image8.Click.raise();
  EXPECT_EQ(f.File1.listIndex(), 0);
  t.state().BtnIndex = 7;
  f.Image6.Click.raise();
  EXPECT_EQ(f.File1.listIndex(), 2);
}

// The desktop's media keys and player widgets.
TEST_F(Transport, RemoteNextPreviousSeekAndStop) {
  start({"a.mp3", "b.mp3", "c.mp3", "d.mp3"});
  RemoteControl remote;
  connectRemoteControl(t.context(), remote);
  remote.Next.raise();
  remote.Next.raise();
  EXPECT_EQ(playing(), t.mediaPath("c.mp3"));
  remote.Previous.raise();
  EXPECT_EQ(playing(), t.mediaPath("b.mp3"));
  t.media->setDuration(60);
  t.media->setState(play_state::Playing);
  t.media->setPosition(20);
  auto seekBy = [&](double s) {
    remote.SeekBy.raise(s);
    return t.media->currentPosition();
  };
  EXPECT_EQ(seekBy(15), 35);
  EXPECT_EQ(seekBy(-50), 0);
  EXPECT_EQ(seekBy(100), 60);
  remote.SetVolume.raise(80);
  EXPECT_EQ(t.media->volume(), 80);
  EXPECT_EQ(t.form().volume.Value(), 80) << "the bar shows the volume set from outside";
  remote.Stop.raise();
  EXPECT_EQ(t.media->playState(), play_state::Undefined);
  t.clock.advance(60000);
  EXPECT_EQ(t.media->URL(), "") << "nothing moves on after a stop";
}

TEST_F(Transport, AListThatShowsNothingEndsTheWatch) {
  start({"a.mp3"});
  Form1& f = t.form();
  f.File1.setListIndex(0);
  f.File1.setPattern("*.none");
  t.media->finish();
  const std::size_t opens = t.media->urls.size();
  t.clock.advance(5000);
  EXPECT_EQ(t.media->urls.size(), opens) << "the old file is not played again";
  EXPECT_FALSE(f.Timer4.enabled());
}

TEST_F(Transport, MenuNextAndPreviousFollowTheirCaptions) {
  start({"a.mp3", "b.mp3", "c.mp3"});
  Form1& f = t.form();
  f.BUT14.Click.raise();  // play the next file
  EXPECT_EQ(f.File1.listIndex(), 1);
  EXPECT_TRUE(f.BUT14.checked());
  f.BUT15.Click.raise();  // play the previous file
  EXPECT_EQ(f.File1.listIndex(), 0);
  EXPECT_TRUE(f.BUT15.checked());
  EXPECT_FALSE(f.BUT14.checked());
  // A marked item only plays on and loses its mark.
  t.media->pause();
  f.BUT15.Click.raise();
  EXPECT_FALSE(f.BUT15.checked());
  EXPECT_EQ(f.File1.listIndex(), 0);
  EXPECT_EQ(t.media->playState(), play_state::Playing);
}

TEST_F(Transport, LoopItemPressedTwice) {
  start({"a.mp3"});
  Form1& f = t.form();
  f.File1.setListIndex(0);
  const size_t opens = t.media->urls.size();
  f.BUT12.Click.raise();
  EXPECT_TRUE(f.BUT12.checked());
  EXPECT_EQ(t.media->urls.size(), opens + 1);
  f.BUT12.Click.raise();
  EXPECT_FALSE(f.BUT12.checked());
  EXPECT_EQ(t.media->urls.size(), opens + 1);
  f.Image20.Click.raise();
  EXPECT_EQ(t.media->urls.size(), opens + 2);
}

TEST_F(Transport, MenuTransportDrivesTheMediaEngine) {
  start({"a.mp3"});
  Form1& f = t.form();
  f.File1.setListIndex(0);
  t.media->setState(play_state::Playing);
  f.BUT4.Click.raise();
  EXPECT_EQ(t.media->playState(), play_state::Paused);
  f.BUT4.Click.raise();
  EXPECT_EQ(t.media->playState(), play_state::Playing);
  f.BUT6.Click.raise();
  f.BUT7.Click.raise();
  EXPECT_EQ(t.media->calls[t.media->calls.size() - 2], "fastForward");
  EXPECT_EQ(t.media->calls.back(), "fastReverse");
  f.BUT5.Click.raise();
  EXPECT_EQ(t.media->playState(), play_state::Undefined);
}

TEST_F(Transport, BackgroundMusicRepeatsUntilStopped) {
  start({"a.png", "b.png"});
  Form1& f = t.form();
  f.File1.setListIndex(0);
  f.Image2.Click.raise();
  EXPECT_EQ(t.music->URL(), t.programFile("music.wma"));
  EXPECT_TRUE(t.music->enabled());
  t.music->finish();  // the piece ended: it starts again
  EXPECT_EQ(t.music->playState(), play_state::Playing);
  t.clock.advance(7000);
  EXPECT_EQ(t.music->playState(), play_state::Playing);
  f.Image7.Click.raise();  // the picture arrows end it
  EXPECT_EQ(t.music->playState(), play_state::Undefined);
}

TEST_F(Transport, FlashMovieMovesOnAfterThreeMinutes) {
  start({"a.swf", "b.mp3"});
  Form1& f = t.form();
  f.File1.setListIndex(0);
  t.clock.advance(4900);
  EXPECT_FALSE(f.Timer4.enabled()) << "the end watch waits out the start delay";
  t.clock.advance(100);
  EXPECT_TRUE(f.Timer4.enabled());
  EXPECT_TRUE(f.Timer5.enabled());
  t.clock.advance(3 * 60 * 1000 - 5000);
  EXPECT_EQ(t.flash->movie(), t.mediaPath("a.swf")) << "not yet";
  t.clock.advance(6000);
  EXPECT_EQ(f.File1.listIndex(), 1);
  EXPECT_EQ(playing(), t.mediaPath("b.mp3"));
  // The media entry is not cut off three minutes later.
  t.media->setState(play_state::Playing);
  t.clock.advance(4 * 60 * 1000);
  EXPECT_EQ(f.File1.listIndex(), 1);
}

TEST_F(Transport, FlashMovieThatEndsMovesOnToTheNextMovie) {
  start({"a.swf", "b.swf"});
  Form1& f = t.form();
  f.File1.setListIndex(0);
  t.clock.advance(5000);
  t.flash->endMovie();
  t.clock.advance(1000);
  EXPECT_EQ(t.flash->movie(), t.mediaPath("b.swf"));
  // The next movie plays its own three minutes, not skipped by the end watch.
  t.clock.advance(2 * 60 * 1000);
  EXPECT_EQ(t.flash->movie(), t.mediaPath("b.swf"));
}

TEST_F(Transport, PlayerMovieEndingAVideoLoadsTheNextOne) {
  start({"a.flv", "b.flv"});
  Form1& f = t.form();
  f.File1.setListIndex(1);
  f.Timer7.setEnabled(true);  // the player movie said the video ended
  t.clock.advance(1000);
  EXPECT_EQ(f.File1.listIndex(), 0);
  EXPECT_EQ(t.flash->GetVariable("testVar"), t.mediaPath("a.flv"));
  EXPECT_FALSE(f.Timer7.enabled());
}

TEST_F(Transport, VideoClickPlacesTheVideoAndHidesThePanel) {
  start({"a.mp3"});
  Form1& f = t.form();
  f.Image3.Click.raise();
  t.player().Form3.setVisible(true);
  f.WindowsMediaPlayer1.Click.raise();
  EXPECT_FALSE(f.Frame1.visible());
  EXPECT_FALSE(t.context().Form3.visible());
  EXPECT_EQ(f.WindowsMediaPlayer1.left(), 120);
}

}  // namespace
}  // namespace qm::test
