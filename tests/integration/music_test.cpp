// The background music of the slide show: it repeats while the pictures
// change, pauses and resumes with the picture, and stop ends it. Its sound
// goes through SDL's disk driver, which writes it in real time.
#include <gtest/gtest.h>

#include <cstdlib>

#include "integration/audio_tap.h"
#include "integration/player_rig.h"
#include "support/event_wait.h"
#include "support/media_files.h"
#include "support/sound_levels.h"
#include "support/temp_dir.h"

namespace qm::integration {
namespace {

using namespace live;
namespace ps = play_state;

// SDL reads its driver from the environment when the engine opens its
// sound output; the video's engine stays on ao=null.
class DiskAudio {
 public:
  explicit DiskAudio(const std::string& file) {
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", file.c_str(), 1);
  }
  ~DiskAudio() {
    unsetenv("SDL_AUDIODRIVER");
    unsetenv("SDL_DISKAUDIOFILE");
  }
};

PlayerRig::Options musicOnDisk() {
  PlayerRig::Options options;
  options.music = {{"ao", "sdl"},
                   {"audio-fallback-to-null", "no"},
                   {"audio-format", "s16"},
                   {"audio-channels", "stereo"},
                   {"audio-samplerate", "44100"}};
  return options;
}

// The level of what the music engine writes over `ms`, after letting a
// change settle for `settleMs` (what was written meanwhile is dropped).
double levelOver(RawAudioTap& tap, int settleMs, int ms, size_t* samples = nullptr) {
  pumpFor(settleMs);
  tap.read();
  std::vector<std::int16_t> all;
  const int slices = ms / 50;
  for (int i = 0; i < slices; ++i) {
    pumpFor(50);
    const auto more = tap.read();
    all.insert(all.end(), more.begin(), more.end());
  }
  if (samples) *samples = all.size();
  return rmsDb(all);
}

TEST(BackgroundMusic, RepeatsThroughTheSlideShowFollowsPauseAndEndsWithStop) {
  test::TempDir out;
  const std::string sound = out.path() + "/music.raw";
  DiskAudio disk(sound);
  PlayerRig rig(musicOnDisk());
  // A music file of two seconds, so it ends and starts again within a slide.
  const std::string musicFile = rig.programFolder() + "/music.wma";
  ASSERT_FALSE(makeTone(musicFile, 2).empty());
  const std::string folder = rig.folder("pictures");
  ASSERT_FALSE(makeSolidPicture(folder + "/1.png", "red").empty());
  ASSERT_FALSE(makeSolidPicture(folder + "/2.png", "green").empty());
  rig.rememberListFolder(folder);
  ASSERT_TRUE(rig.start());
  Form1& f = rig.form();
  f.File1.setPattern("*.png");
  ASSERT_EQ(f.File1.listCount(), 2);

  PlayLog slides(rig.media());
  StateLog music(rig.music());
  f.File1.setListIndex(0);
  ASSERT_TRUE(pumpUntil([&] { return slides.urls().size() == 1; }, 3000));
  f.Image2.Click.raise();
  ASSERT_TRUE(pumpUntil([&] { return rig.music().playState() == ps::Playing; }, 3000));
  EXPECT_EQ(rig.music().URL(), musicFile);

  // The next picture comes; the music is still there and has started again
  // after each of its ends.
  ASSERT_TRUE(pumpUntil([&] { return slides.urls().size() == 2; }, 9000));
  EXPECT_EQ(rig.music().URL(), musicFile);
  EXPECT_TRUE(pumpUntil([&] { return rig.music().playState() == ps::Playing; }, 1500));
  const auto ends = std::count(music.states().begin(), music.states().end(), ps::Stopped);
  EXPECT_GE(ends, 2) << "the music did not end and start again";
  EXPECT_EQ(music.states().back(), ps::Playing);

  RawAudioTap tap(sound);
  size_t playedSamples = 0;
  const double playing = levelOver(tap, 0, 1000, &playedSamples);

  // Pause holds both engines; nothing sounds and the music does not restart.
  f.Image4.Click.raise();
  EXPECT_TRUE(
      pumpUntil([&] { return rig.media().playState() == ps::Paused && rig.music().playState() == ps::Paused; }, 1500));
  size_t pausedSamples = 0;
  const double paused = levelOver(tap, 300, 1200, &pausedSamples);
  EXPECT_EQ(rig.music().playState(), ps::Paused);

  // Play resumes both.
  f.Image3.Click.raise();
  EXPECT_TRUE(pumpUntil(
      [&] { return rig.media().playState() == ps::Playing && rig.music().playState() == ps::Playing; }, 1500));
  size_t resumedSamples = 0;
  const double resumed = levelOver(tap, 300, 1000, &resumedSamples);

  // A second of real-time stereo is 88200 samples; both playing spans must
  // hold most of theirs for the levels to mean anything.
  EXPECT_GT(playedSamples, 60000u);
  EXPECT_GT(resumedSamples, 60000u);
  EXPECT_GT(playing, kAudibleDb);
  EXPECT_GT(resumed, kAudibleDb);
  EXPECT_LT(paused, kSilentDb) << pausedSamples << " samples written while paused";

  // Stop closes the music engine for good.
  f.Image9.Click.raise();
  EXPECT_TRUE(pumpUntil([&] { return rig.music().playState() == ps::Undefined; }, 1500));
  pumpFor(2500);
  EXPECT_EQ(rig.music().playState(), ps::Undefined);
}

}  // namespace
}  // namespace qm::integration
