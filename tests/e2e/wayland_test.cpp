// The player on a Wayland compositor (weston, headless) instead of X11: it
// plays, shows the video and a Flash movie, and keeps its dialog in front of
// its window, though Wayland lets no program stack or place its windows.
#include <gtest/gtest.h>

#include <QDir>
#include <filesystem>
#include <fstream>

#include "e2e/player_run.h"
#include "e2e/private_bus.h"
#include "e2e/weston_compositor.h"
#include "e2e/window_places.h"
#include "support/event_wait.h"
#include "support/image_checks.h"
#include "support/media_files.h"
#include "swf_writer/own_movies.h"

namespace qm::e2e {
namespace {

using namespace live;

const char* const kClipTitle = "clip.mp4 - Quilmora";
const char* const kAssociationTitle = "文件类型关联";

// The player on the compositor only: no X server to fall back on.
void onWayland(PlayerRun& run, const WestonCompositor& weston) {
  run.setEnv("QT_QPA_PLATFORM", "wayland");
  run.setEnv("WAYLAND_DISPLAY", weston.socket());
  run.unsetEnv("DISPLAY");
}

// Screenshots go to $QM_SCREENSHOTS when it names a folder, for a person to look at.
void keep(const QImage& shot, const char* name) {
  if (const char* folder = std::getenv("QM_SCREENSHOTS")) shot.save(QString("%1/%2.png").arg(folder, name));
}

#define REQUIRE_WESTON() \
  if (!WestonCompositor::installed()) GTEST_SKIP() << "weston is not installed"

TEST(Wayland, PlaysAndShowsMovingVideoInItsWindow) {
  REQUIRE_WESTON();
  WestonCompositor weston(1024, 768);
  ASSERT_TRUE(weston.ok()) << weston.error();
  PrivateBus bus;
  ASSERT_FALSE(bus.address().isEmpty()) << "no dbus-daemon";
  PlayerRun run;
  ASSERT_TRUE(run.ready());
  std::filesystem::create_directory(run.programFile("datinf"));  // a later start: no dialog
  const std::string clip = makeTestClip(run.scratch("media") + "/clip.mp4", 20, 640, 360);
  ASSERT_FALSE(clip.empty());
  onWayland(run, weston);
  run.setEnv("DBUS_SESSION_BUS_ADDRESS", bus.address());
  ASSERT_TRUE(run.start({QString::fromStdString(clip)}));

  ASSERT_TRUE(pumpUntil([&] { return bus.property("PlaybackStatus").contains("\"Playing\""); }, 10000))
      << bus.property("PlaybackStatus").toStdString() << run.output();
  WestonCompositor::Window window;
  ASSERT_TRUE(pumpUntil([&] { return !(window = windowTitled(weston.windows(), kClipTitle)).place.isEmpty(); }, 5000))
      << run.output();
  EXPECT_EQ(window.place.size(), QSize(kWindowWidth, kWindowHeight));

  // The compositor shows the frames: the display area is lit, and changes.
  const QRect area = kVideoArea.translated(window.place.topLeft());
  QImage first;
  ASSERT_TRUE(pumpUntil(
      [&] {
        first = weston.screenshot().copy(area);
        return nonBlackShare(first) > 0.5;
      },
      10000))
      << "the display area stayed black\n"
      << run.output();
  QImage second;
  EXPECT_TRUE(pumpUntil(
      [&] {
        const QImage shot = weston.screenshot();
        second = shot.copy(area);
        keep(shot, "wayland_player");
        return changedShare(first, second) > 0.005;
      },
      5000))
      << "the video does not move";
  EXPECT_GT(nonBlackShare(second), 0.5);

  // The player's own shutdown, as on X11.
  ASSERT_TRUE(bus.send("org.mpris.MediaPlayer2.Quit"));
  ASSERT_TRUE(run.waitForExit(5000)) << run.output();
  EXPECT_EQ(run.exitCode(), 0) << run.output();
}

// The first start opens the file types dialog before the main window; on
// X11 the dialog is raised over the window, on Wayland it becomes the main
// window's child, which the compositor keeps in front of it.
TEST(Wayland, FirstStartDialogStaysInFrontOfTheMainWindow) {
  REQUIRE_WESTON();
  WestonCompositor weston(1280, 900);
  ASSERT_TRUE(weston.ok()) << weston.error();
  PlayerRun run;
  ASSERT_TRUE(run.ready());
  const std::string clip = makeTestClip(run.scratch("media") + "/clip.mp4", 20);
  ASSERT_FALSE(clip.empty());
  onWayland(run, weston);
  ASSERT_TRUE(run.start({QString::fromStdString(clip)}));

  std::vector<WestonCompositor::Window> windows;
  ASSERT_TRUE(pumpUntil(
      [&] {
        windows = weston.windows();
        return !windowTitled(windows, kClipTitle).place.isEmpty() &&
               !windowTitled(windows, kAssociationTitle).place.isEmpty();
      },
      10000))
      << run.output();
  // Once both are there, the stacking holds.
  pumpFor(500);
  windows = weston.windows();
  std::vector<std::string> order;
  for (const auto& w : windows)
    if (w.title == kClipTitle || w.title == kAssociationTitle) order.push_back(w.title);
  EXPECT_EQ(order, (std::vector<std::string>{kAssociationTitle, kClipTitle})) << "front to back";
  keep(weston.screenshot(), "wayland_first_start");
  EXPECT_TRUE(run.running()) << run.output();
}

// Ruffle starts ahead while the clip before a movie plays, and the movie
// then shows in the display area, all in the one window the compositor was
// handed: a view drawing through OpenGL made Qt hand it a new one, which
// the compositor placed anew.
TEST(Wayland, AMovieAfterAClipShowsInTheWindowThatWasThere) {
  REQUIRE_WESTON();
  WestonCompositor weston(1024, 768);
  ASSERT_TRUE(weston.ok()) << weston.error();
  ASSERT_TRUE(weston.watchSurfaces());
  PlayerRun run;
  ASSERT_TRUE(run.ready());
  ASSERT_TRUE(run.addRuffle());
  std::filesystem::create_directory(run.programFile("datinf"));  // a later start: no dialog
  const std::string media = run.scratch("media");
  const std::string clip = makeTestClip(media + "/a.mp4", 2);
  ASSERT_FALSE(clip.empty());
  const std::vector<uint8_t> movie = swf_writer::countingMovie();
  std::ofstream out(media + "/b.swf", std::ios::binary);
  out.write(reinterpret_cast<const char*>(movie.data()), std::streamsize(movie.size()));
  ASSERT_TRUE(out.flush());
  onWayland(run, weston);
  ASSERT_TRUE(run.start({QString::fromStdString(clip)}));

  QImage shot;
  ASSERT_TRUE(pumpUntil(
      [&] {
        const WestonCompositor::Window window = windowTitled(weston.windows(), "b.swf - Quilmora");
        if (window.place.isEmpty()) return false;
        shot = weston.screenshot();
        return shareNear(shot.copy(kVideoArea.translated(window.place.topLeft())),
                         QColor::fromRgb(swf_writer::kCountingBlue), 10) > 0.1;
      },
      30000))
      << "the movie did not show\n"
      << run.output();
  keep(shot, "wayland_movie");
  std::vector<std::string> windows;
  for (const std::string& surface : weston.surfacesSeen())
    if (surface.find("top-level window") != std::string::npos) windows.push_back(surface);
  EXPECT_EQ(windows.size(), 1u) << "the main window was made anew: " << ::testing::PrintToString(windows);
}

}  // namespace
}  // namespace qm::e2e
