// One player per user: a second start while one runs ends at once and
// leaves the running player and its files alone.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "e2e/player_run.h"
#include "support/event_wait.h"
#include "support/media_files.h"

namespace qm::e2e {
namespace {

using namespace live;

std::string readFile(const std::string& path) {
  std::ifstream in(path);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST(SecondStart, EndsAtOnceWithoutOpeningItsFile) {
  PlayerRun first;
  ASSERT_TRUE(first.ready());
  const std::string media = first.scratch("media");
  const std::string clip = makeTestClip(media + "/clip.mp4", 5);
  const std::string other = makeTestClip(media + "/other.mp4", 2);
  ASSERT_FALSE(clip.empty());
  ASSERT_FALSE(other.empty());
  ASSERT_TRUE(first.start({QString::fromStdString(clip)}));
  ASSERT_TRUE(first.waitForWindow(5000)) << first.output();

  PlayerRun second(first.runtimeFolder());
  ASSERT_TRUE(second.ready());
  const std::string secondSound = second.scratch("out") + "/sound.wav";
  const std::string secondLog = second.scratch("out") + "/mpv.log";
  second.setEnv("QUILMORA_MPV_OPTIONS",
                QString::fromStdString("ao=pcm,ao-pcm-file=" + secondSound + ",log-file=" + secondLog));
  // How fast it ends is the benchmarks' to measure; here it ends by itself,
  // before it opens anything.
  ASSERT_TRUE(second.start({QString::fromStdString(other)}));
  ASSERT_TRUE(second.waitForExit(5000)) << second.output();
  EXPECT_EQ(second.exitCode(), 0) << second.output();

  // Its engine never opened the file, and it did not touch its program folder.
  pumpFor(500);
  EXPECT_FALSE(std::filesystem::exists(secondSound));
  EXPECT_EQ(readFile(secondLog).find("other.mp4"), std::string::npos) << "libmpv opened the file";
  EXPECT_TRUE(second.hasProgramFile("0.dll"));
  EXPECT_FALSE(second.hasProgramFile("fileinf.ini"));
  // The first one plays on, with its window.
  EXPECT_TRUE(first.running());
  EXPECT_TRUE(first.waitForWindow(1000));
}

}  // namespace
}  // namespace qm::e2e
