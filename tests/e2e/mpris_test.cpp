// The desktop's media controls drive the running player over a session bus
// of the test's own, as media keys and panel widgets do.
#include <gtest/gtest.h>

#include "e2e/player_run.h"
#include "e2e/private_bus.h"
#include "support/event_wait.h"
#include "support/media_files.h"
#include "support/x_tools.h"

namespace qm::e2e {
namespace {

using namespace live;

TEST(MediaControls, PauseResumeAndQuitThroughTheSessionBus) {
  PrivateBus bus;
  ASSERT_FALSE(bus.address().isEmpty()) << "no dbus-daemon";
  PlayerRun run;
  ASSERT_TRUE(run.ready());
  const std::string clip = makeTestClip(run.scratch("media") + "/clip.mp4", 20);
  ASSERT_FALSE(clip.empty());
  run.setEnv("DBUS_SESSION_BUS_ADDRESS", bus.address());
  ASSERT_TRUE(run.start({QString::fromStdString(clip)}));
  ASSERT_TRUE(run.waitForWindow(5000)) << run.output();

  ASSERT_TRUE(pumpUntil([&] { return bus.property("PlaybackStatus").contains("\"Playing\""); }, 5000))
      << bus.property("PlaybackStatus").toStdString();
  const QByteArray metadata = bus.property("Metadata");
  EXPECT_TRUE(metadata.contains("clip.mp4")) << metadata.toStdString();
  EXPECT_TRUE(metadata.contains("mpris:length")) << metadata.toStdString();

  ASSERT_TRUE(bus.send("org.mpris.MediaPlayer2.Player.PlayPause"));
  EXPECT_TRUE(pumpUntil([&] { return bus.property("PlaybackStatus").contains("\"Paused\""); }, 3000));
  ASSERT_TRUE(bus.send("org.mpris.MediaPlayer2.Player.Play"));
  EXPECT_TRUE(pumpUntil([&] { return bus.property("PlaybackStatus").contains("\"Playing\""); }, 3000));

  // Quitting runs the player's own shutdown.
  ASSERT_TRUE(bus.send("org.mpris.MediaPlayer2.Quit"));
  ASSERT_TRUE(run.waitForExit(5000));
  EXPECT_EQ(run.exitCode(), 0);
  EXPECT_TRUE(run.hasProgramFile("power.dll"));
}

}  // namespace
}  // namespace qm::e2e
