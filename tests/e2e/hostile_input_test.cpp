// Command lines the player cannot or can only just open: it stays up with
// its window, saves the folder it was pointed at, and ends cleanly.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "e2e/player_run.h"
#include "support/event_wait.h"
#include "support/media_files.h"
#include "support/sound_levels.h"

namespace qm::e2e {
namespace {

using namespace live;

struct Case {
  std::string label;
  std::string folder;  // under the run's media folder
  std::string fileName;
  enum Content { Clip, Noise, Nothing } content;
};

// All players run side by side (each its own user): the checks only ask
// about each player's own process and files.
TEST(HostileInput, PlayerStaysUpAndEndsCleanly) {
  const std::vector<Case> cases = {
      {"corrupt media", "corrupt", "random.mp4", Case::Noise},
      {"missing file", "missing", "not here.mp4", Case::Nothing},
      {"spaces", "my media files", "a clip with spaces.mp4", Case::Clip},
      {"quotes", "quoted", "it's \"quoted\".mp4", Case::Clip},
      {"Chinese", "视频 文件夹", "测试影片.mp4", Case::Clip},
  };
  struct Running {
    const Case* what;
    std::unique_ptr<PlayerRun> run;
    std::string folder, sound;
  };
  std::vector<Running> players;
  for (const Case& c : cases) {
    Running r{&c, std::make_unique<PlayerRun>(), {}, {}};
    ASSERT_TRUE(r.run->ready());
    r.folder = r.run->scratch(c.folder);
    const std::string file = r.folder + "/" + c.fileName;
    if (c.content == Case::Clip) {
      ASSERT_FALSE(makeTestClip(file, 5).empty()) << c.label;
    } else if (c.content == Case::Noise) {
      ASSERT_FALSE(writeNoise(file).empty()) << c.label;
    }
    r.sound = r.run->scratch("out") + "/sound.wav";
    r.run->setEnv("QUILMORA_MPV_OPTIONS", QString::fromStdString("ao=pcm,ao-pcm-file=" + r.sound));
    ASSERT_TRUE(r.run->start({QString::fromStdString(file)})) << c.label;
    players.push_back(std::move(r));
  }

  pumpFor(3000);
  for (Running& r : players) {
    SCOPED_TRACE(r.what->label);
    EXPECT_TRUE(r.run->running()) << r.run->output();
    EXPECT_TRUE(r.run->waitForWindow(2000)) << "no visible window";
  }
  for (Running& r : players) {
    SCOPED_TRACE(r.what->label);
    ASSERT_TRUE(r.run->terminate(5000));
    EXPECT_EQ(r.run->exitCode(), 0) << r.run->output();
    const auto saved = r.run->savedFolder();
    ASSERT_TRUE(saved.has_value());
    EXPECT_TRUE(sameFolder(*saved, r.folder)) << *saved << " is not " << r.folder;
  }
  // Names with spaces and Chinese characters were opened and played (the
  // quoted name cannot be: the command line loses its quotes).
  for (Running& r : players) {
    if (r.what->label != "spaces" && r.what->label != "Chinese") continue;
    SCOPED_TRACE(r.what->label);
    const auto levels = channelRmsDb(r.sound);
    ASSERT_EQ(levels.size(), 2u);
    EXPECT_GT(levels[0], kAudibleDb);
  }
}

}  // namespace
}  // namespace qm::e2e
