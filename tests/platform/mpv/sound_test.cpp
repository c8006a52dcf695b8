// Volume, mute and balance measured in the sound libmpv actually writes:
// ao=pcm writes it to a WAV file (faster than real time), SDL's disk driver
// writes it in real time for a change made while a file plays.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <functional>

#include "mpv_test_support.h"
#include "platform/mpv/mpv_engine.h"

namespace qm {
namespace {

using test::channelRmsDb;
using test::Media;
using test::pumpUntil;
namespace ps = play_state;

// The test tone (-21 dB) at volume 50 comes out near -42 dB; a silent
// channel is all zeros (-inf).
constexpr double kAudibleDb = -50;
constexpr double kSilentDb = -80;

// Plays `file` through an engine set up by `configure` and returns the
// per-channel levels of what it wrote.
std::vector<double> levelsOf(const std::string& file, const std::function<void(MpvEngine&)>& configure,
                             MpvEngine::Startup startup = MpvEngine::Startup::Now) {
  static int run = 0;
  const std::string out = Media::get().dir() + "/out" + std::to_string(run++) + ".wav";
  {
    MpvEngine engine(MpvEngine::Video::None, {{"ao", "pcm"}, {"ao-pcm-file", out}}, startup);
    configure(engine);
    EXPECT_TRUE(engine.setURL(file));
    EXPECT_TRUE(pumpUntil([&] { return engine.playState() == ps::Stopped; }));
  }  // the WAV is complete once the player is gone
  return channelRmsDb(out);
}

TEST(MpvSound, AnEngineStartedOnFirstUseKeepsTheSoundSetBeforeIt) {
  const auto left = levelsOf(
      Media::get().stereoTone(),
      [](MpvEngine& e) {
        EXPECT_TRUE(e.setBalance(-100));
        EXPECT_TRUE(e.setVolume(100));
        EXPECT_FALSE(e.started());  // setting the sound does not start libmpv
      },
      MpvEngine::Startup::OnFirstUse);
  ASSERT_EQ(left.size(), 2u);
  EXPECT_GT(left[0], kAudibleDb + 10);  // volume 100: about 6 dB over volume 50's -42
  EXPECT_LT(left[1], kSilentDb);
  const auto muted = levelsOf(
      Media::get().stereoTone(), [](MpvEngine& e) { e.setMute(true); }, MpvEngine::Startup::OnFirstUse);
  ASSERT_EQ(muted.size(), 2u);
  EXPECT_LT(muted[0], kSilentDb);
}

TEST(MpvSound, BalanceSilencesTheOtherSide) {
  const auto centre = levelsOf(Media::get().stereoTone(), [](MpvEngine&) {});
  ASSERT_EQ(centre.size(), 2u);
  EXPECT_GT(centre[0], kAudibleDb);
  EXPECT_NEAR(centre[0], centre[1], 0.5);

  const auto left = levelsOf(Media::get().stereoTone(), [](MpvEngine& e) { e.setBalance(-100); });
  ASSERT_EQ(left.size(), 2u);
  EXPECT_NEAR(left[0], centre[0], 0.5);
  EXPECT_LT(left[1], kSilentDb);

  const auto right = levelsOf(Media::get().stereoTone(), [](MpvEngine& e) { e.setBalance(100); });
  ASSERT_EQ(right.size(), 2u);
  EXPECT_LT(right[0], kSilentDb);
  EXPECT_NEAR(right[1], centre[1], 0.5);

  // Half way: the far side is quieter (-6 dB at half gain), not silent.
  const auto half = levelsOf(Media::get().stereoTone(), [](MpvEngine& e) { e.setBalance(50); });
  ASSERT_EQ(half.size(), 2u);
  EXPECT_NEAR(half[0], centre[0] - 6.0, 1.0);
  EXPECT_NEAR(half[1], centre[1], 0.5);
}

TEST(MpvSound, BalanceKeepsMonoAndCentreChannelSound) {
  for (const std::string& file : {Media::get().monoTone(), Media::get().centreOnlySurround()}) {
    SCOPED_TRACE(file);
    const auto left = levelsOf(file, [](MpvEngine& e) { e.setBalance(-100); });
    ASSERT_EQ(left.size(), 2u);
    EXPECT_GT(left[0], kAudibleDb);
    EXPECT_LT(left[1], kSilentDb);
  }
}

TEST(MpvSound, MuteSilencesAndVolumeChangesTheLevel) {
  const auto muted = levelsOf(Media::get().stereoTone(), [](MpvEngine& e) { e.setMute(true); });
  ASSERT_EQ(muted.size(), 2u);
  EXPECT_LT(muted[0], kSilentDb);
  EXPECT_LT(muted[1], kSilentDb);

  const auto at50 = levelsOf(Media::get().stereoTone(), [](MpvEngine&) {});  // 50 from creation
  const auto at80 = levelsOf(Media::get().stereoTone(), [](MpvEngine& e) { e.setVolume(80); });
  ASSERT_EQ(at50.size(), 2u);
  ASSERT_EQ(at80.size(), 2u);
  EXPECT_GT(at80[0], at50[0] + 3);
  EXPECT_GT(at80[1], at50[1] + 3);
}

// Each run of SDL's disk driver writes raw samples in the format forced here.
const std::vector<std::string> kRawStereo = {"-t", "raw", "-r", "44100", "-e", "signed", "-b", "16", "-c", "2"};

TEST(MpvSound, BalanceChangedWhilePlayingTakesEffect) {
  const std::string out = Media::get().dir() + "/live.raw";
  setenv("SDL_AUDIODRIVER", "disk", 1);
  setenv("SDL_DISKAUDIOFILE", out.c_str(), 1);
  {
    MpvEngine engine(MpvEngine::Video::None, {{"ao", "sdl"},
                                              {"audio-fallback-to-null", "no"},
                                              {"audio-format", "s16"},
                                              {"audio-channels", "stereo"},
                                              {"audio-samplerate", "44100"}});
    ASSERT_TRUE(engine.setURL(Media::get().longStereoTone()));
    ASSERT_TRUE(pumpUntil([&] { return engine.currentPosition() >= 1.0; }));
    engine.setBalance(100);
    ASSERT_TRUE(pumpUntil([&] { return engine.playState() == ps::Stopped; }));
  }
  unsetenv("SDL_AUDIODRIVER");
  unsetenv("SDL_DISKAUDIOFILE");
  ASSERT_TRUE(std::filesystem::exists(out));
  // Before the change both sides sound; the last second only the right.
  const auto before = channelRmsDb(out, kRawStereo, {"trim", "0.2", "0.6"});
  const auto after = channelRmsDb(out, kRawStereo, {"trim", "-1.2", "1.0"});
  ASSERT_EQ(before.size(), 2u);
  ASSERT_EQ(after.size(), 2u);
  EXPECT_GT(before[0], kAudibleDb);
  EXPECT_GT(before[1], kAudibleDb);
  EXPECT_LT(after[0], kSilentDb);
  EXPECT_GT(after[1], kAudibleDb);
}

}  // namespace
}  // namespace qm
