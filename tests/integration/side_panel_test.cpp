// The side panel's lists on the real window: dark, the open folder in the
// skin's blue, and a slim scroll bar whose handle, dragged, scrolls the list
// to its end.
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QScrollBar>
#include <fstream>

#include "integration/player_rig.h"
#include "support/event_wait.h"
#include "support/image_checks.h"
#include "support/x_tools.h"

namespace qm::integration {
namespace {

using namespace live;

TEST(SidePanel, ListsAreDarkAndTheHandleDraggedScrollsToTheEnd) {
  PlayerRig rig;
  const std::string folder = rig.folder("many");
  for (int i = 100; i < 160; ++i) std::ofstream(folder + "/song" + std::to_string(i) + ".mp3") << "x";
  rig.rememberListFolder(folder);
  ASSERT_TRUE(rig.start());
  Form1& f = rig.form();
  Pointer pointer;
  ASSERT_TRUE(pointer.click(rig.screenPoint(f.Label6, QPointF(rig.screenRect(f.Label6).width() / 2.0, 8))));
  auto* files = qobject_cast<QAbstractItemView*>(rig.widgetOf(f.File1));
  ASSERT_NE(files, nullptr);
  ASSERT_TRUE(pumpUntil([&] { return files->isVisible(); }, 5000));
  pumpFor(500);

  const QImage list = grabScreen(rig.screenRect(f.File1));
  const QImage folders = grabScreen(rig.screenRect(f.Dir1));
  if (const char* shots = std::getenv("QM_SHOT_DIR")) {
    list.save(QString(shots) + "/side_panel_files.png");
    folders.save(QString(shots) + "/side_panel_folders.png");
  }
  EXPECT_GT(shareNear(list, QColor(0x1c, 0x1c, 0x1c), 6), 0.5) << "the list's dark ground";
  EXPECT_GT(shareNear(list, QColor(0x4a, 0x4f, 0x57), 6), 0.01) << "the scroll bar's handle";
  EXPECT_GT(shareNear(folders, QColor(0x33, 0x99, 0xff), 6), 0.05) << "the open folder's blue row";

  // The handle sits at the top of the bar; dragged to the bottom, the list
  // shows its last rows.
  QScrollBar* bar = files->verticalScrollBar();
  ASSERT_TRUE(bar->isVisible());
  ASSERT_EQ(bar->value(), 0);
  const auto onScreen = [&](QPoint inBar) { return rig.screenPoint(f.File1, bar->mapTo(files, inBar)); };
  ASSERT_TRUE(pointer.drag(onScreen({bar->width() / 2, 4}), onScreen({bar->width() / 2, bar->height() + 20}), 8));
  EXPECT_TRUE(pumpUntil([&] { return bar->value() == bar->maximum(); }, 2000))
      << bar->value() << " of " << bar->maximum();
}

}  // namespace
}  // namespace qm::integration
