// The web engine comes into the player only when a page needs it: playing
// media maps none of it (nor the OpenGL it brings), the first start's home
// page loads it from beside the executable.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <filesystem>
#include <fstream>

#include "e2e/player_run.h"
#include "support/event_wait.h"
#include "support/media_files.h"

namespace qm::e2e {
namespace {

using namespace live;

bool maps(qint64 pid, const char* library) {
  QFile file(QStringLiteral("/proc/%1/maps").arg(pid));
  return file.open(QIODevice::ReadOnly) && file.readAll().contains(library);
}

int webEngineChildren(qint64 parent) {
  int count = 0;
  for (const QString& pid : QDir("/proc").entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
    QFile stat("/proc/" + pid + "/stat");
    if (!stat.open(QIODevice::ReadOnly)) continue;
    const QList<QByteArray> fields = stat.readAll().split(' ');
    if (fields.size() > 3 && fields[3] == QByteArray::number(parent) && fields[1].contains("QtWebEngine")) ++count;
  }
  return count;
}

TEST(WebEngineModule, MediaLeavesItOutAndTheHomePageLoadsIt) {
  {
    PlayerRun run;
    ASSERT_TRUE(run.ready());
    const std::string clip = makeTestClip(run.scratch("media") + "/clip.mp4", 5, 320, 240);
    ASSERT_FALSE(clip.empty());
    std::filesystem::create_directory(run.programFile("datinf"));  // not the first start
    ASSERT_TRUE(run.start({QString::fromStdString(clip)}));
    ASSERT_TRUE(run.waitForWindow(10000)) << run.output();
    pumpFor(1500);
    EXPECT_FALSE(maps(run.pid(), "quilmora-webengine.so"));
    EXPECT_FALSE(maps(run.pid(), "libQt6WebEngineCore"));
    EXPECT_FALSE(maps(run.pid(), "libGLX_mesa")) << "an OpenGL context was made for media";
    // The MIDI synthesizer, too, waits for the first MIDI file.
    EXPECT_FALSE(maps(run.pid(), "libfluidsynth"));
  }
  PlayerRun first;
  ASSERT_TRUE(first.ready());
  ASSERT_TRUE(first.start());
  ASSERT_TRUE(first.waitForWindow(10000)) << first.output();
  EXPECT_TRUE(pumpUntil([&] { return webEngineChildren(first.pid()) > 0; }, 20000)) << first.output();
  EXPECT_TRUE(maps(first.pid(), "quilmora-webengine.so"));
}

}  // namespace
}  // namespace qm::e2e
