// The desktop's media controls drive the running player over a session bus
// of the test's own, as media keys and panel widgets do.
#include <gtest/gtest.h>

#include <QRegularExpression>

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
  const std::string clip = makeTestClip(run.scratch("media") + "/片 clip.mp4", 20);
  ASSERT_FALSE(clip.empty());
  run.setEnv("DBUS_SESSION_BUS_ADDRESS", bus.address());
  ASSERT_TRUE(run.start({QString::fromStdString(clip)}));
  ASSERT_TRUE(run.waitForWindow(5000)) << run.output();

  ASSERT_TRUE(pumpUntil([&] { return bus.property("PlaybackStatus").contains("\"Playing\""); }, 5000))
      << bus.property("PlaybackStatus").toStdString();
  pumpFor(1000);  // the start-up's list locate has opened the file again: a new track
  const QByteArray metadata = bus.property("Metadata");
  EXPECT_TRUE(metadata.contains("片 clip.mp4")) << metadata.toStdString();
  EXPECT_TRUE(metadata.contains("/%E7%89%87%20clip.mp4\"")) << metadata.toStdString();
  EXPECT_TRUE(metadata.contains("mpris:length")) << metadata.toStdString();

  // A position before the start or past the end of the track is ignored;
  // one inside it is where the player goes.
  const QRegularExpression trackPattern("\"mpris:trackid\"\\s+variant\\s+object path \"([^\"]+)\"");
  const QString track = trackPattern.match(QString::fromUtf8(metadata)).captured(1);
  ASSERT_FALSE(track.isEmpty()) << metadata.toStdString();
  auto setPosition = [&](qlonglong microseconds) {
    return bus.send("org.mpris.MediaPlayer2.Player.SetPosition",
                    {"objpath:" + track, "int64:" + QString::number(microseconds)});
  };
  auto position = [&] {
    const QByteArray reply = bus.property("Position");
    return QRegularExpression("int64 (\\d+)").match(QString::fromUtf8(reply)).captured(1).toLongLong();
  };
  ASSERT_TRUE(setPosition(10'000'000));
  ASSERT_TRUE(pumpUntil([&] { return position() >= 10'000'000; }, 3000)) << position();
  ASSERT_TRUE(setPosition(-5'000'000));
  ASSERT_TRUE(setPosition(60'000'000));
  pumpFor(500);
  EXPECT_GE(position(), 10'000'000);
  EXPECT_TRUE(bus.property("PlaybackStatus").contains("\"Playing\""));

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
