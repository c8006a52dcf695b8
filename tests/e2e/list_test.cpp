// Choosing a picture in the list panel with the mouse shows it.
#include <gtest/gtest.h>

#include <QColor>
#include <filesystem>
#include <fstream>

#include "e2e/player_run.h"
#include "e2e/window_places.h"
#include "support/event_wait.h"
#include "support/image_checks.h"
#include "support/media_files.h"
#include "support/x_tools.h"

namespace qm::e2e {
namespace {

using namespace live;

TEST(ListPanel, APictureClickedInTheListShows) {
  PlayerRun run;
  ASSERT_TRUE(run.ready());
  const std::string pictures = run.scratch("pictures");
  ASSERT_FALSE(makeSolidPicture(pictures + "/red.png", "red").empty());
  // Settings of an earlier run: the list's folder, and no first run.
  std::ofstream(run.programFile("fileinf.ini")) << "[user]\nfilepath=" << pictures << "\n";
  std::filesystem::create_directory(run.programFile("datinf"));

  ASSERT_TRUE(run.start());
  const auto window = run.waitForWindow(5000);
  ASSERT_TRUE(window) << run.output();
  const QRect geometry = settledGeometry(*window);
  ASSERT_EQ(geometry.size(), QSize(kWindowWidth, kWindowHeight));
  const QRect area = kVideoArea.translated(geometry.topLeft());
  const QRect middle(area.center() - QPoint(40, 40), QSize(80, 80));
  EXPECT_LT(shareNear(grabScreen(middle), Qt::red), 0.1) << "red before anything was opened";

  // Each click waits for what it shows, so a slow player is not clicked
  // ahead of its screen.
  Pointer pointer(100);
  const QPoint origin = geometry.topLeft();
  const QRect firstRow(origin + firstFileRow() - QPoint(25, 7), QSize(100, 14));
  ASSERT_TRUE(pointer.click(origin + kListTab));
  ASSERT_TRUE(pumpUntil([&] { return nonBlackShare(grabScreen(firstRow)) > 0.9; }, 3000)) << "no list panel";
  const QImage emptyRow = grabScreen(firstRow);
  ASSERT_TRUE(pointer.click(origin + kPictureFilter));
  ASSERT_TRUE(pumpUntil([&] { return changedShare(grabScreen(firstRow), emptyRow) > 0.02; }, 3000))
      << "the picture filter listed nothing";
  ASSERT_TRUE(pointer.click(origin + firstFileRow()));
  EXPECT_TRUE(pumpUntil([&] { return shareNear(grabScreen(middle), Qt::red) > 0.9; }, 5000))
      << "the display area does not show the red picture\n"
      << run.output();
  EXPECT_TRUE(run.terminate(5000));
}

}  // namespace
}  // namespace qm::e2e
