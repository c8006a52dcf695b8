// The background music of the slide show: it repeats while the pictures
// change, pauses and resumes with the picture, and stop ends it. Its sound
// goes through SDL's disk driver, which writes it in real time, silence
// included: the sound is measured by samples, not by the clock.
#include <gtest/gtest.h>

#include <algorithm>
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

// Samples of one second of the driver's stereo output.
constexpr size_t kSecond = 88200;

// The next `seconds` of what the music engine writes from now on, after
// `settle` seconds of it: the sound already on its way when a change came.
std::vector<std::int16_t> nextSound(RawAudioTap& tap, double settle, double seconds) {
  tap.read();
  std::vector<std::int16_t> all;
  const auto skipped = static_cast<size_t>(settle * kSecond);
  pumpUntil(
      [&] {
        const auto more = tap.read();
        all.insert(all.end(), more.begin(), more.end());
        return all.size() >= skipped + seconds * kSecond;
      },
      30000);
  all.erase(all.begin(), all.begin() + std::min(skipped, all.size()));
  return all;
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
  ASSERT_TRUE(pumpUntil([&] { return slides.urls().size() == 1; }, 10000));
  f.Image2.Click.raise();
  ASSERT_TRUE(pumpUntil([&] { return rig.music().playState() == ps::Playing; }, 10000));
  EXPECT_EQ(rig.music().URL(), musicFile);

  // The next picture comes; the music is still there and has started again
  // after each of its ends.
  ASSERT_TRUE(pumpUntil([&] { return slides.urls().size() == 2; }, 30000));
  EXPECT_EQ(rig.music().URL(), musicFile);
  EXPECT_TRUE(pumpUntil([&] { return rig.music().playState() == ps::Playing; }, 10000));
  const auto ends = std::count(music.states().begin(), music.states().end(), ps::Stopped);
  EXPECT_GE(ends, 2) << "the music did not end and start again";
  EXPECT_EQ(music.states().back(), ps::Playing);

  RawAudioTap tap(sound);
  const auto playing = nextSound(tap, 0, 1);

  // Pause holds both engines; nothing sounds and the music does not restart.
  f.Image4.Click.raise();
  EXPECT_TRUE(
      pumpUntil([&] { return rig.media().playState() == ps::Paused && rig.music().playState() == ps::Paused; }, 10000));
  const auto paused = nextSound(tap, 0.3, 1.2);
  EXPECT_EQ(rig.music().playState(), ps::Paused);

  // Play resumes both.
  f.Image3.Click.raise();
  EXPECT_TRUE(pumpUntil(
      [&] { return rig.media().playState() == ps::Playing && rig.music().playState() == ps::Playing; }, 10000));
  const auto resumed = nextSound(tap, 0.3, 1);

  EXPECT_GE(playing.size(), kSecond);
  EXPECT_GE(resumed.size(), kSecond);
  EXPECT_GT(rmsDb(playing), kAudibleDb);
  EXPECT_GT(rmsDb(resumed), kAudibleDb);
  EXPECT_LT(rmsDb(paused), kSilentDb) << paused.size() << " samples written while paused";

  // Stop closes the music engine (that the closed engine is not started
  // again is the handlers' and the engine's own tests' business).
  f.Image9.Click.raise();
  EXPECT_TRUE(pumpUntil([&] { return rig.music().playState() == ps::Undefined; }, 10000));
}

}  // namespace
}  // namespace qm::integration
