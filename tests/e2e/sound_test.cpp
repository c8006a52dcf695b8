// The sound of the file named on the command line reaches the engine's
// output (here a WAV file instead of a sound card).
#include <gtest/gtest.h>

#include <filesystem>

#include "e2e/player_run.h"
#include "support/event_wait.h"
#include "support/media_files.h"
#include "support/sound_levels.h"

namespace qm::e2e {
namespace {

using namespace live;

TEST(PlayerSound, TheToneOfTheCommandLineFileIsWritten) {
  PlayerRun run;
  ASSERT_TRUE(run.ready());
  const std::string tone = makeTone(run.scratch("media") + "/tone.wav", 2);
  ASSERT_FALSE(tone.empty());
  const std::string out = run.scratch("out") + "/sound.wav";
  run.setEnv("QUILMORA_MPV_OPTIONS", QString::fromStdString("ao=pcm,ao-pcm-file=" + out));
  ASSERT_TRUE(run.start({QString::fromStdString(tone)}));

  // Without video the engine writes faster than real time: a second of
  // 16-bit stereo or more is there quickly.
  std::error_code ec;
  EXPECT_TRUE(pumpUntil(
      [&] {
        const auto size = std::filesystem::file_size(out, ec);
        return !ec && size > 44100 * 4;
      },
      8000))
      << "no sound written\n"
      << run.output();
  // The WAV header is complete once the engine is gone with the player.
  ASSERT_TRUE(run.terminate(5000));
  EXPECT_EQ(run.exitCode(), 0);
  const auto levels = channelRmsDb(out);
  ASSERT_EQ(levels.size(), 2u) << run.output();
  EXPECT_GT(levels[0], kAudibleDb);
  EXPECT_GT(levels[1], kAudibleDb);
}

}  // namespace
}  // namespace qm::e2e
