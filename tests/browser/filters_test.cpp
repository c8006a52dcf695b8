#include <gtest/gtest.h>

#include "model/media_types.h"
#include "support/test_player.h"

namespace qm::test {
namespace {

class Filters : public ::testing::Test {
 protected:
  void SetUp() override {
    t.makeMedia({"clip.vob", "photo.JPG", "song.mp3", "a.png", "film.mkv"});
    ASSERT_TRUE(t.load(""));
    t.form().File1.setPath(t.mediaFolder);
  }
  std::vector<std::string> listed() {
    std::vector<std::string> names;
    for (int i = 0; i < t.form().File1.listCount(); ++i) names.push_back(t.form().File1.list(i));
    return names;
  }
  TestPlayer t;
};

TEST_F(Filters, EachKindListsItsFilesIgnoringCase) {
  Form1& f = t.form();
  f.Option1.Click.raise();
  EXPECT_EQ(listed(), (std::vector<std::string>{"a.png", "photo.JPG"}));
  EXPECT_TRUE(f.Image2.visible());
  EXPECT_FALSE(f.Image3.visible());
  f.Option2.Click.raise();
  EXPECT_EQ(listed(), (std::vector<std::string>{"clip.vob", "film.mkv"}));
  EXPECT_TRUE(f.Image3.visible());
  f.Option3.Click.raise();
  EXPECT_EQ(listed(), (std::vector<std::string>{"song.mp3"}));
}

TEST_F(Filters, FilmsLeaveTheVideoAloneOthersShowIt) {
  Form1& f = t.form();
  f.WindowsMediaPlayer1.setVisible(false);
  f.Option2.Click.raise();
  EXPECT_FALSE(f.WindowsMediaPlayer1.visible());
  f.Option3.Click.raise();
  EXPECT_TRUE(f.WindowsMediaPlayer1.visible());
}

TEST_F(Filters, AnyFilterEndsTheSlideShowAndTheMusic) {
  Form1& f = t.form();
  f.Option1.Click.raise();
  f.File1.setListIndex(0);
  f.Image2.Click.raise();
  ASSERT_TRUE(f.Timer1.enabled());
  f.Option1.Click.raise();
  EXPECT_FALSE(f.Timer1.enabled());
  EXPECT_EQ(t.music->playState(), play_state::Undefined);
  EXPECT_FALSE(t.music->enabled());
}

TEST_F(Filters, ListTabResumesWhenPausedAndLeavesThePanel) {
  Form1& f = t.form();
  f.Option3.Click.raise();
  f.File1.setListIndex(0);
  f.Image4.Click.raise();
  f.Label6.Click.raise();
  EXPECT_FALSE(f.PausedFlag());
  EXPECT_FALSE(f.Frame1.visible());
  EXPECT_EQ(f.Label6.foreColor(), 0xFF9933u);
  f.Label6.Click.raise();
  EXPECT_TRUE(f.Frame1.visible());
}

// Over the lists of a maximised window a movement shows a hidden pointer and
// arms its hiding again; in the normal window the lists leave it alone.
TEST_F(Filters, MovingOverTheListsOfAMaximisedWindowShowsThePointer) {
  Form1& f = t.form();
  t.windows.counter = -1;
  f.File1.MouseMove.raise(0, 0, 100, 100);
  f.File1.MouseMove.raise(0, 0, 400, 100);
  EXPECT_EQ(t.windows.counter, -1);
  t.windows.setWindowState(f, Form::Maximized);
  t.windows.counter = -1;
  t.state().PointerRefX = t.state().PointerRefY = 0;
  f.Dir1.MouseMove.raise(0, 0, 100, 100);  // the first movement is the reference
  f.Dir1.MouseMove.raise(0, 0, 400, 100);
  EXPECT_GE(t.windows.counter, 0);
  EXPECT_TRUE(f.Timer3.enabled());
}

// The filters' patterns and the classification read one table: every
// extension a filter lists plays the way its kind says.
// The original patterns, with the formats of today after them.
TEST(MediaTypes, FiltersListWhatTheirKindPlays) {
  EXPECT_EQ(groupPattern(MediaGroup::Pictures), "*.jpg;*.jpeg;*.gif;*.png;*.bmp;*.tiff;*.psd;*.ico");
  EXPECT_EQ(groupPattern(MediaGroup::Films),
            "*.wmv;*.avi;*.mpeg;*.mpg;*.asf;*.rm;*.mov;*.rmvb;*.3gp;*.3gpp;*.swf;*.mp4;*.flv;*.DAT;*.VOB;*.mkv;"
            "*.webm;*.ogv;*.m4v;*.ts;*.m2ts");
  EXPECT_EQ(groupPattern(MediaGroup::Music), "*.mp3;*.mid;*.midi;*.wma;*.wav;*.au;*.aiff;*.ogg;*.opus;*.flac;*.m4a;*.aac");
  EXPECT_EQ(allMediaPattern(),
            "*.wmv;*.avi;*.mpeg;*.mpg;*.asf;*.rm;*.mov;*.rmvb;*.3gp;*.3gpp;*.mp3;*.mid;*.midi;*.wma;*.wav;*.au;*.aiff;"
            "*.swf;*.mp4;*.flv;*.DAT;*.VOB;*.mkv;*.webm;*.ogv;*.m4v;*.ts;*.m2ts;*.ogg;*.opus;*.flac;*.m4a;*.aac");
  for (const char* picture : {"jpg", "jpeg", "gif", "png", "bmp", "tiff", "psd", "ico"})
    EXPECT_EQ(kindOfExtension(picture), MediaKind::Picture) << picture;
  EXPECT_TRUE(opensFromCommandLine("DAT"));
  EXPECT_FALSE(opensFromCommandLine("mov"));
}

}  // namespace
}  // namespace qm::test
