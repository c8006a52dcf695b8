#include "player/seek_preview.h"

#include <gtest/gtest.h>

#include "support/test_player.h"

namespace qm::test {
namespace {

class SeekPreviewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    t.makeMedia({"film.mp4", "movie.swf", "song.mp3"});
    ASSERT_TRUE(t.load(""));
    t.form().File1.setPath(t.mediaFolder);
    t.form().File1.setPattern("*.*");
  }
  void play(int entry, double seconds) {
    t.form().File1.setListIndex(entry);
    t.media->setDuration(seconds);
    t.media->setState(play_state::Playing);
  }
  // The pointer, without a button, `share` of the way along the seek bar.
  void hover(double share) { t.form().tVate1.surfaceMouseMove(0, 0, t.form().tVate1.width() * share, 60); }
  SeekPreview& preview() { return t.player().seekPreview; }
  FakeThumbnailDecoder& decoder() { return t.thumbnails; }

  TestPlayer t;
};

TEST_F(SeekPreviewTest, OnlyTheNewestPositionWaitsWhileAFrameIsDecoded) {
  play(0, 200);
  hover(0.5);
  ASSERT_EQ(decoder().asked.size(), 1u);
  EXPECT_EQ(decoder().asked[0].path, t.mediaPath("film.mp4"));
  EXPECT_GT(decoder().asked[0].seconds, 0);
  EXPECT_LT(decoder().asked[0].seconds, 200);
  EXPECT_FALSE(preview().shown()) << "nothing to show before the first picture";

  hover(0.3);
  hover(1);
  EXPECT_EQ(decoder().asked.size(), 1u) << "a second request while the first is decoded";
  ASSERT_TRUE(decoder().answer());
  EXPECT_TRUE(preview().shown());
  EXPECT_EQ(preview().picture()->width(), SeekPreview::kPictureWidth);
  EXPECT_EQ(preview().timeText(), "03:20");
  ASSERT_EQ(decoder().asked.size(), 2u);
  EXPECT_DOUBLE_EQ(decoder().asked[1].seconds, 200) << "the newest position: the bar's end, the middle passed over";
  ASSERT_TRUE(decoder().answer());
  EXPECT_EQ(decoder().waiting(), 0u);

  // The bar's hover watch sees the pointer go.
  t.windows.pointerOver = false;
  t.clock.advance(20);
  EXPECT_FALSE(preview().shown());
}

// The exact frame that follows a key frame is taken only while the pointer
// still rests on the time it was asked for.
TEST_F(SeekPreviewTest, TheExactFrameReplacesTheKeyFrameOnlyForTheRestingTime) {
  play(0, 200);
  hover(0.25);
  const double resting = decoder().asked[0].seconds;
  ASSERT_TRUE(decoder().answer());
  auto exact = [&](double seconds) {
    QImage picture(SeekPreview::kPictureWidth, 90, QImage::Format_RGB32);
    picture.fill(Qt::white);
    decoder().Decoded.raise(
        Thumbnail{t.mediaPath("film.mp4"), seconds, std::make_shared<const QImage>(std::move(picture)), true, true});
  };
  exact(resting);
  EXPECT_EQ(preview().picture()->pixel(0, 0), qRgb(255, 255, 255));
  hover(1);
  ASSERT_TRUE(decoder().answer());
  exact(resting);  // late: the pointer has moved on to the end
  EXPECT_NE(preview().picture()->pixel(0, 0), qRgb(255, 255, 255));
  EXPECT_EQ(preview().timeText(), "03:20");
}

TEST_F(SeekPreviewTest, OnlyAPlayingVideoHasPictures) {
  play(2, 200);  // music
  hover(0.5);
  EXPECT_TRUE(decoder().asked.empty());

  play(0, 200);
  hover(0.5);
  ASSERT_TRUE(decoder().answer());
  EXPECT_TRUE(preview().shown());
  // Playback ends.
  t.media->finish();
  EXPECT_FALSE(preview().shown());
  EXPECT_GE(decoder().releases, 1);

  play(0, 200);
  hover(0.6);
  ASSERT_TRUE(decoder().answer());
  ASSERT_TRUE(preview().shown());
  // A Flash movie takes the display area.
  t.form().File1.setListIndex(1);
  EXPECT_FALSE(preview().shown());
  hover(0.3);
  EXPECT_EQ(decoder().waiting(), 0u);

  // A file the decoder finds no video in is not asked about again.
  play(0, 200);
  hover(0.1);
  ASSERT_TRUE(decoder().answer(false));
  hover(0.2);
  EXPECT_FALSE(preview().shown());
  EXPECT_EQ(decoder().waiting(), 0u);
}

}  // namespace
}  // namespace qm::test
