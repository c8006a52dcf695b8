// Ending the player: by its close button and by SIGTERM. Either way the
// list's folder is saved and the movies get their stored names back.
#include <gtest/gtest.h>

#include "e2e/player_run.h"
#include "e2e/window_places.h"
#include "support/event_wait.h"
#include "support/media_files.h"
#include "support/x_tools.h"

namespace qm::e2e {
namespace {

using namespace live;

class Shutdown : public testing::Test {
 protected:
  // Starts the player on a clip; returns the window's place on the screen.
  QRect startOnClip() {
    EXPECT_TRUE(run.ready());
    mediaFolder = run.scratch("media");
    const std::string clip = makeTestClip(mediaFolder + "/clip.mp4", 5);
    EXPECT_FALSE(clip.empty());
    EXPECT_TRUE(run.start({QString::fromStdString(clip)}));
    const auto window = run.waitForWindow(5000);
    EXPECT_TRUE(window) << run.output();
    if (!window) return {};
    // While it runs, the movies carry their running names.
    EXPECT_TRUE(pumpUntil([&] { return run.hasProgramFile("0.swf") && run.hasProgramFile("power.swf"); }, 2000));
    EXPECT_FALSE(run.hasProgramFile("0.dll"));
    return settledGeometry(*window);
  }

  void expectCleanEnd() {
    EXPECT_EQ(run.exitCode(), 0) << run.output();
    const auto saved = run.savedFolder();
    ASSERT_TRUE(saved.has_value()) << "no [user] filepath in fileinf.ini";
    EXPECT_TRUE(sameFolder(*saved, mediaFolder)) << *saved << " is not " << mediaFolder;
    EXPECT_TRUE(run.hasProgramFile("0.dll"));
    EXPECT_TRUE(run.hasProgramFile("power.dll"));
    EXPECT_FALSE(run.hasProgramFile("0.swf"));
    EXPECT_FALSE(run.hasProgramFile("power.swf"));
  }

  PlayerRun run;
  std::string mediaFolder;
};

TEST_F(Shutdown, ByTheCloseButton) {
  const QRect window = startOnClip();
  ASSERT_FALSE(window.isEmpty());
  Pointer pointer;
  ASSERT_TRUE(pointer.click(window.topLeft() + kCloseButton));
  ASSERT_TRUE(run.waitForExit(5000)) << "the close button did not end the player";
  expectCleanEnd();
}

TEST_F(Shutdown, ByTheTerminationSignal) {
  ASSERT_FALSE(startOnClip().isEmpty());
  ASSERT_TRUE(run.terminate(5000)) << "SIGTERM did not end the player";
  expectCleanEnd();
}

}  // namespace
}  // namespace qm::e2e
