// Sound tracks, subtitle files beside a video in the encodings they come in,
// and frames saved, on real libmpv.
#include <gtest/gtest.h>

#include <QImage>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "mpv_test_support.h"
#include "platform/mpv/mpv_engine.h"
#include "platform/mpv/subtitle_files.h"
#include "support/media_files.h"

namespace qm {
namespace {

using test::Media;
using test::nonBlackShare;
using test::pumpUntil;
namespace ps = play_state;
using Kind = MediaTrack::Kind;

void writeBytes(const std::string& path, const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }

std::string encoded(const std::string& utf8, const char* encoding) {
  const std::string in = Media::get().dir() + "/utf8.txt", out = in + "." + encoding;
  writeBytes(in, utf8);
  const std::string command = "iconv -f UTF-8 -t " + std::string(encoding) + " '" + in + "' > '" + out + "'";
  if (std::system(command.c_str()) != 0) return {};
  std::ifstream file(out, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), {});
}

const std::string kLine = "今天我们一起去看电影吧";
const std::string kSubtitles = "1\n00:00:00,000 --> 00:00:09,000\n" + kLine + "\n";

TEST(SubtitleText, EncodingsSubtitleFilesComeIn) {
  EXPECT_FALSE(subtitleTextAsUtf8(kSubtitles)) << "UTF-8 is read as it is";
  // One short GBK line: too little for a general guess, read as GB18030.
  const std::string gbk = encoded(kSubtitles, "GBK");
  ASSERT_FALSE(gbk.empty());
  EXPECT_EQ(subtitleTextAsUtf8(gbk), kSubtitles);
  const std::string big5 = encoded("1\n00:00:00,000 --> 00:00:09,000\n今天我們一起去看電影吧\n", "BIG5");
  ASSERT_FALSE(big5.empty());
  EXPECT_EQ(subtitleTextAsUtf8(big5), "1\n00:00:00,000 --> 00:00:09,000\n今天我們一起去看電影吧\n");
  EXPECT_EQ(subtitleTextAsUtf8(encoded(kSubtitles, "UTF-16")), kSubtitles) << "UTF-16 with its byte order mark";
}

// The text band at the foot of the picture, where subtitles show.
QImage subtitleBand(const QImage& frame) {
  return frame.copy(0, frame.height() * 3 / 4, frame.width(), frame.height() / 4);
}

QImage frameWithSubtitlesOf(const std::string& video) {
  MpvEngine engine(MpvEngine::Video::Shown, {{"ao", "null"}});
  EXPECT_TRUE(engine.setURL(video));
  EXPECT_TRUE(pumpUntil([&] { return nonBlackShare(subtitleBand(engine.frame())) > 0.002; }))
      << "no subtitles showed over " << video;
  engine.pause();
  return engine.frame().copy();
}

TEST(MpvTracks, AGbkSubtitleFileBesideAVideoReadsAsItsUtf8Twin) {
  const std::string dir = Media::get().dir() + "/subtitles";
  std::filesystem::create_directories(dir);
  ASSERT_FALSE(live::makeColourClip(dir + "/gbk.mp4", "black", 10).empty());
  std::filesystem::copy_file(dir + "/gbk.mp4", dir + "/utf8.mp4", std::filesystem::copy_options::overwrite_existing);
  writeBytes(dir + "/gbk.zh.srt", encoded(kSubtitles, "GBK"));
  writeBytes(dir + "/utf8.srt", kSubtitles);

  const QImage gbk = subtitleBand(frameWithSubtitlesOf(dir + "/gbk.mp4"));
  const QImage utf8 = subtitleBand(frameWithSubtitlesOf(dir + "/utf8.mp4"));
  ASSERT_EQ(gbk.size(), utf8.size());
  int differing = 0;
  for (int y = 0; y < gbk.height(); ++y)
    for (int x = 0; x < gbk.width(); ++x)
      if (std::abs(qGray(gbk.pixel(x, y)) - qGray(utf8.pixel(x, y))) > 48) ++differing;
  EXPECT_LT(differing, gbk.width() * gbk.height() / 200) << "the two subtitle lines differ";

  // The track beside the video is listed, shown, and hidden on request.
  MpvEngine engine(MpvEngine::Video::Shown, {{"ao", "null"}});
  ASSERT_TRUE(engine.setURL(dir + "/gbk.mp4"));
  ASSERT_TRUE(pumpUntil([&] { return nonBlackShare(subtitleBand(engine.frame())) > 0.002; }));
  std::vector<MediaTrack> tracks;
  for (const MediaTrack& track : engine.tracks())
    if (track.kind == Kind::Subtitle) tracks.push_back(track);
  ASSERT_EQ(tracks.size(), 1u);
  EXPECT_EQ(tracks[0].kind, Kind::Subtitle);
  EXPECT_EQ(tracks[0].title, "gbk.zh.srt");
  EXPECT_EQ(tracks[0].language, "zh");
  EXPECT_TRUE(tracks[0].selected);
  ASSERT_TRUE(engine.selectTrack(Kind::Subtitle, 0));
  EXPECT_TRUE(pumpUntil([&] { return nonBlackShare(subtitleBand(engine.frame())) == 0; }));

  // The frame on show saved at the video's own size.
  const std::string shot = dir + "/shot.png";
  std::optional<bool> saved;
  engine.FrameSaved.connect([&](const std::string& path, bool ok) {
    if (path == shot) saved = ok;
  });
  ASSERT_TRUE(engine.saveFrame(shot));
  ASSERT_TRUE(pumpUntil([&] { return saved.has_value(); }));
  EXPECT_TRUE(*saved);
  EXPECT_EQ(QImage(QString::fromStdString(shot)).size(), QSize(160, 120));
}

// A file with two sound tracks: the first sounds on the left only, the
// second on the right only. The switch is heard in what libmpv writes.
TEST(MpvTracks, TheSecondSoundTrackIsHeardOnceSelected) {
  const std::string dir = Media::get().dir();
  const std::string file = dir + "/two_tracks.mkv";
  const std::string make =
      "ffmpeg -v error -y -f lavfi -i 'sine=frequency=440:duration=30' -f lavfi -i 'sine=frequency=660:duration=30' "
      "-filter_complex '[0]pan=stereo|c0=c0[l];[1]pan=stereo|c1=c0[r]' -map '[l]' -map '[r]' -c:a aac "
      "-metadata:s:a:0 title=left -metadata:s:a:1 title=right '" +
      file + "'";
  ASSERT_EQ(std::system(make.c_str()), 0);
  const std::string out = dir + "/two_tracks.wav";
  {
    MpvEngine engine(MpvEngine::Video::None, {{"ao", "pcm"}, {"ao-pcm-file", out}});
    // Opened paused: libmpv writes sound faster than real time.
    ASSERT_TRUE(engine.setURL(file));
    engine.pause();
    ASSERT_TRUE(pumpUntil([&] { return engine.playState() == ps::Paused && engine.tracks().size() == 2; }));
    const std::vector<MediaTrack> tracks = engine.tracks();
    EXPECT_EQ(tracks[0].title, "left");
    EXPECT_TRUE(tracks[0].selected);
    ASSERT_TRUE(engine.selectTrack(Kind::Audio, tracks[1].id));
    ASSERT_TRUE(pumpUntil([&] {
      const auto now = engine.tracks();
      return now.size() == 2 && now[1].selected;
    }));
    engine.play();
    ASSERT_TRUE(pumpUntil([&] { return engine.playState() == ps::Stopped; }, 60000));
  }
  const std::vector<double> levels = test::channelRmsDb(out);
  ASSERT_EQ(levels.size(), 2u);
  EXPECT_GT(levels[1], levels[0] + 10) << "the right-hand track did not take over";
}

}  // namespace
}  // namespace qm
