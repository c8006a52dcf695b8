#include <gtest/gtest.h>

#include <vector>

#include "platform/av/av_thumbnail_decoder.h"
#include "support/event_wait.h"
#include "support/image_checks.h"
#include "support/media_files.h"
#include "support/temp_dir.h"

namespace qm {
namespace {

using namespace live;

QImage pictureOf(const Thumbnail& t) { return t.picture ? *t.picture : QImage(); }

TEST(AvThumbnails, TwoTimesOfAClipGiveTheirOwnFramesAtTheWidthAsked) {
  test::TempDir dir;
  // testsrc draws a running counter; a key frame every second.
  const std::string clip =
      ffmpegMake(dir.path() + "/counter.mp4", {"-f", "lavfi", "-i", "testsrc=size=320x240:rate=25:duration=10", "-c:v",
                                               "libx264", "-preset", "ultrafast", "-g", "25", "-pix_fmt", "yuv420p"});
  const std::string song = makeTone(dir.path() + "/song.mp3", 2);
  // What ffmpeg itself shows at 7 s, at the preview's size.
  const std::string reference = ffmpegMake(
      dir.path() + "/at7.png",
      {"-ss", "7", "-i", QString::fromStdString(clip), "-frames:v", "1", "-vf", "scale=160:120", "-update", "1"});
  ASSERT_FALSE(clip.empty() || song.empty() || reference.empty());

  AvThumbnailDecoder decoder;
  std::vector<Thumbnail> answers;
  decoder.Decoded.connect([&](const Thumbnail& t) { answers.push_back(t); });
  for (double seconds : {2.0, 7.0}) {
    decoder.request(clip, seconds, 160);
    ASSERT_TRUE(pumpUntil([&] { return answers.size() == (seconds < 5 ? 1u : 2u); }, 20000));
  }
  decoder.request(song, 1, 160);
  ASSERT_TRUE(pumpUntil([&] { return answers.size() == 3; }, 20000));

  const QImage at2 = pictureOf(answers[0]), at7 = pictureOf(answers[1]);
  EXPECT_EQ(answers[1].path, clip);
  EXPECT_DOUBLE_EQ(answers[1].seconds, 7);
  EXPECT_EQ(at2.size(), QSize(160, 120));
  EXPECT_EQ(at7.size(), QSize(160, 120));
  const QImage expected = QImage(QString::fromStdString(reference)).convertToFormat(QImage::Format_RGB32);
  const double sameAsReference = changedShare(at7, expected), otherTime = changedShare(at2, expected);
  EXPECT_LT(sameAsReference, 0.05) << "the picture at 7 s is not ffmpeg's";
  EXPECT_GT(otherTime, 4 * sameAsReference + 0.01) << "2 s and 7 s look alike";

  EXPECT_FALSE(answers[2].hasVideo) << "music has no pictures";
  EXPECT_FALSE(answers[2].picture);
}

double meanGrey(const QImage& image) {
  double sum = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) sum += qGray(image.pixel(x, y));
  return image.isNull() ? -1 : sum / (double(image.width()) * image.height());
}

// Key frames far apart: the key frame answers at once, the frame of the time
// itself follows.
TEST(AvThumbnails, TheKeyFrameBeforeTheTimeIsFollowedByTheExactFrame) {
  test::TempDir dir;
  // Grey rising with time (about 127 of 255 at 5 s); one key frame, at 0.
  const std::string clip = ffmpegMake(
      dir.path() + "/rising.mp4", {"-f", "lavfi", "-i", "color=c=black:s=64x48:r=10:d=8,geq=lum='T*25':cb=128:cr=128",
                                   "-c:v", "libx264", "-preset", "ultrafast", "-g", "100", "-pix_fmt", "yuv420p"});
  ASSERT_FALSE(clip.empty());
  AvThumbnailDecoder decoder;
  std::vector<Thumbnail> answers;
  decoder.Decoded.connect([&](const Thumbnail& t) { answers.push_back(t); });
  decoder.request(clip, 5, 32);
  ASSERT_TRUE(pumpUntil([&] { return answers.size() == 2; }, 20000));
  EXPECT_FALSE(answers[0].exact);
  EXPECT_LT(meanGrey(pictureOf(answers[0])), 30) << "the key frame at 0 s";
  EXPECT_TRUE(answers[1].exact);
  EXPECT_DOUBLE_EQ(answers[1].seconds, 5);
  EXPECT_NEAR(meanGrey(pictureOf(answers[1])), 127, 15) << "the frame at 5 s";
}

}  // namespace
}  // namespace qm
