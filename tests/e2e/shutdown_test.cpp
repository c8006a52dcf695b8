// Ending the player: by its close button and by SIGTERM. Either way the
// list's folder is saved and the movies get their stored names back.
#include <gtest/gtest.h>

#include <QFile>
#include <csignal>

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

// Whether the process catches SIGTERM (its handler is in place).
bool catchesTermination(qint64 pid) {
  QFile status(QString("/proc/%1/status").arg(pid));
  if (!status.open(QIODevice::ReadOnly)) return false;
  for (const QByteArray& line : status.readAll().split('\n'))
    if (line.startsWith("SigCgt:")) return (line.mid(7).trimmed().toULongLong(nullptr, 16) >> (SIGTERM - 1)) & 1;
  return false;
}

// A signal as soon as the player can take one, long before its window
// shows, ends it all the same, through one whole shutdown.
TEST_F(Shutdown, ByASignalDuringStartUp) {
  ASSERT_TRUE(run.ready());
  ASSERT_TRUE(run.start());
  ASSERT_TRUE(pumpUntil([&] { return catchesTermination(run.pid()); }, 5000)) << run.output();
  ASSERT_TRUE(run.terminate(5000)) << "a signal during start-up was lost";
  EXPECT_EQ(run.exitCode(), 0) << run.output();
  EXPECT_TRUE(run.hasProgramFile("power.dll"));
  EXPECT_FALSE(run.hasProgramFile("power.swf"));
}

// A lock that cannot be made is no second player: the start fails and says why.
TEST(StartFailure, AnUnusableLockIsSaidAndFails) {
  PlayerRun run;
  ASSERT_TRUE(run.ready());
  // A folder where the lock file should be: it cannot be opened as a file.
  test::TempDir runtime;
  runtime.write("quilmora.lock/x");
  run.setEnv("XDG_RUNTIME_DIR", QString::fromStdString(runtime.path()));
  ASSERT_TRUE(run.start());
  const auto box = findWindow("quilmora", run.pid(), 5000);
  ASSERT_TRUE(box) << "no message box said why: " << run.output();
  runTool("xdotool", {"key", "--window", QString::number(*box), "Return"});
  ASSERT_TRUE(run.waitForExit(5000));
  EXPECT_NE(run.exitCode(), 0);
  EXPECT_NE(run.output().find("quilmora.lock"), std::string::npos) << run.output();
}

}  // namespace
}  // namespace qm::e2e
