// The keyboard comes back to the main window after the open dialog, opened
// by Ctrl+O and chosen from by a double click, also when the window was
// brought forward by a quick click on its bar just before.
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QFileDialog>
#include <QTimer>

#include "integration/player_rig.h"
#include "support/event_wait.h"
#include "support/media_files.h"
#include "support/window_manager.h"
#include "support/x_tools.h"

namespace qm::integration {
namespace {

using namespace live;

bool key(const QString& name) { return runTool("xdotool", {"key", "--clearmodifiers", name}).has_value(); }

TEST(KeyboardReturn, KeysReachThePlayerAfterTheOpenDialog) {
  WindowManager manager;
  ASSERT_TRUE(manager.ok()) << manager.error();
  PlayerRig rig;
  const std::string folder = rig.folder("media");
  rig.rememberListFolder(folder);
  const std::string clip = makeTestClip(folder + "/clip.mp4", 20);
  ASSERT_FALSE(clip.empty());
  ASSERT_TRUE(rig.start());
  Form1& f = rig.form();

  // Pressed and released before this process reads the press.
  const QPoint bar = rig.screenPoint(f.Image33, QPointF(150, 6));
  ASSERT_TRUE(runTool("xdotool", {"mousemove", QString::number(bar.x()), QString::number(bar.y()), "click", "1"}));
  pumpFor(300);

  // The dialog runs a loop of its own: the file is chosen from a timer, by
  // a double click on its row.
  QTimer chooser;
  QObject::connect(&chooser, &QTimer::timeout, [&] {
    auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    if (!dialog || !dialog->isVisible()) return;
    chooser.stop();
    dialog->setDirectory(QString::fromStdString(folder));
    pumpFor(500);  // the folder's rows come in from a thread of the dialog's
    auto* list = dialog->findChild<QAbstractItemView*>("listView");
    if (!list || !list->isVisible()) list = dialog->findChild<QAbstractItemView*>("treeView");
    if (!list) return;
    const QPoint row = list->viewport()->mapToGlobal(QPoint(40, 8));
    runTool("xdotool", {"mousemove", QString::number(row.x()), QString::number(row.y()), "click", "--repeat", "2",
                        "--delay", "80", "1"});
  });
  chooser.start(300);
  ASSERT_TRUE(key("ctrl+o"));
  ASSERT_TRUE(pumpUntil([&] { return rig.media().URL() == clip; }, 10000)) << "the dialog opened and chose the clip";
  chooser.stop();
  ASSERT_TRUE(pumpUntil([&] { return rig.media().playState() == play_state::Playing; }, 5000));
  ASSERT_TRUE(key("space"));
  EXPECT_TRUE(pumpUntil([&] { return f.PausedFlag(); }, 2000)) << "Space pauses";
  ASSERT_TRUE(key("Right"));
  ASSERT_TRUE(key("space"));
  EXPECT_TRUE(pumpUntil([&] { return !f.PausedFlag(); }, 2000)) << "and resumes";
}

}  // namespace
}  // namespace qm::integration
