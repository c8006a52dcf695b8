// The side windows on the screen: the menu window under the system-menu
// button with an entry painted under the pointer, and the association dialog
// and the about box opened from it.
#include <gtest/gtest.h>

#include <QApplication>
#include <QWidget>
#include <QWindow>
#include <cstdlib>
#include <fstream>
#include <set>

#include "forms/file_types.h"
#include "integration/player_rig.h"
#include "support/event_wait.h"
#include "support/window_manager.h"
#include "support/x_tools.h"

namespace qm::integration {
namespace {

using namespace live;

// Where a side window is on the screen, once it holds still.
QRect windowOnScreen(PlayerRig& rig, Form& form) {
  QWidget* window = rig.widgetOf(form);
  if (!window || !pumpUntil([&] { return window->isVisible(); }, 3000)) return {};
  // Asked of the QWindow: Qt makes a new X window when a window made before
  // it shows changes its stacking flag, and QWidget::winId keeps the old one.
  return settledGeometry(window->windowHandle()->winId());
}

QRect controlOnScreen(PlayerRig& rig, Form& form, const Control& control) {
  const QRect window = windowOnScreen(rig, form);
  QWidget* widget = rig.widgetOf(control);
  if (window.isEmpty() || !widget) return {};
  return QRect(window.topLeft() + widget->mapTo(widget->window(), QPoint(0, 0)), widget->size());
}

double shareOfColour(const QImage& image, QRgb colour) {
  long hits = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) hits += (image.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF);
  return double(hits) / (double(image.width()) * image.height());
}

int distinctColours(const QImage& image) {
  std::set<QRgb> seen;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) seen.insert(image.pixel(x, y));
  return static_cast<int>(seen.size());
}

// Screenshots go to $QM_SCREENSHOTS when it names a folder, for a person to look at.
void keep(const QImage& shot, const char* name) {
  if (const char* folder = std::getenv("QM_SCREENSHOTS")) shot.save(QString("%1/%2.png").arg(folder, name));
}

// A flag file that is there keeps the first run's association dialog away.
void writeFlagFile(PlayerRig& rig) {
  std::ofstream flags(rig.programFolder() + "/datinf/QLinf.ini");
  flags << "[user]\n";
  for (const AssociationType& type : kAssociationTypes) flags << type.flagKey << "=1\n";
}

TEST(SideWindows, MenuWindowOpensTheDialogs) {
  PlayerRig rig;
  rig.rememberListFolder(rig.folder("media"));
  writeFlagFile(rig);
  ASSERT_TRUE(rig.start());
  Player& player = rig.player();
  MenuWindowForm& menu = player.Form3;

  // Dropped down under the system-menu button, as the title bar places it.
  menu.setLeft(rig.form().left() + rig.form().Image21.left());
  menu.setTop(rig.form().top() + 450);
  menu.show();
  const QRect entry = controlOnScreen(rig, menu, menu.Label3);
  ASSERT_FALSE(entry.isEmpty());
  Pointer pointer;
  ASSERT_TRUE(pointer.moveTo(entry.center()));
  ASSERT_TRUE(pointer.moveTo(entry.center() + QPoint(2, 0)));
  pumpFor(200);
  const QImage hovered = grabScreen(windowOnScreen(rig, menu));
  keep(hovered, "menu_window");
  EXPECT_GT(shareOfColour(grabScreen(entry), qRgb(22, 105, 188)), 0.5) << "the entry under the pointer is blue";
  const QRect other = controlOnScreen(rig, menu, menu.Label1);
  EXPECT_GT(shareOfColour(grabScreen(other), qRgb(255, 255, 255)), 0.5) << "the other entries stay white";

  ASSERT_TRUE(pointer.click(controlOnScreen(rig, menu, menu.Label8).center()));
  ASSERT_TRUE(pumpUntil([&] { return player.Form4.visible(); }, 3000));
  EXPECT_FALSE(menu.loaded());
  const QRect dialog = windowOnScreen(rig, player.Form4);
  ASSERT_FALSE(dialog.isEmpty());
  EXPECT_TRUE(rig.widgetOf(player.Form4)->windowFlags() & Qt::WindowStaysOnTopHint) << "above the other windows";
  pumpFor(200);
  const QImage dialogShot = grabScreen(dialog);
  keep(dialogShot, "association_dialog");
  EXPECT_GT(distinctColours(dialogShot), 20) << "boxes and texts are drawn";
  // A click on a box by the user ticks it off and shows its description.
  ASSERT_TRUE(pointer.click(controlOnScreen(rig, player.Form4, player.Form4.Check5).topLeft() + QPoint(8, 10)));
  ASSERT_TRUE(pumpUntil([&] { return player.Form4.Check5.value() == CheckBox::Unchecked; }, 2000));
  EXPECT_EQ(player.Form4.Label2.caption(), kAssociationTypes[4].description);
  player.Form4.Command3.Click.raise();

  menu.show();
  ASSERT_TRUE(pointer.click(controlOnScreen(rig, menu, menu.Label4).center()));
  ASSERT_TRUE(pumpUntil([&] { return player.frmAbout.visible(); }, 3000));
  const QRect about = windowOnScreen(rig, player.frmAbout);
  ASSERT_FALSE(about.isEmpty());
  pumpFor(200);
  const QImage aboutShot = grabScreen(about);
  keep(aboutShot, "about_box");
  EXPECT_GT(distinctColours(aboutShot), 20);
  ASSERT_TRUE(pointer.click(controlOnScreen(rig, player.frmAbout, player.frmAbout.cmdOK).center()));
  EXPECT_TRUE(pumpUntil([&] { return !player.frmAbout.loaded(); }, 2000));
}

// openbox stacks a window that shows without the focus below the focused
// one; the menu window opened by a click on the topmost main window must
// still show in front of it, and so must the help, even when moved over it.
TEST(SideWindows, OpenedFromTheMainWindowTheyShowInFrontOfIt) {
  WindowManager manager;
  ASSERT_TRUE(manager.ok()) << manager.error();
  PlayerRig rig;
  rig.rememberListFolder(rig.folder("media"));
  writeFlagFile(rig);
  ASSERT_TRUE(rig.start());
  Player& player = rig.player();
  pumpFor(300);

  Pointer pointer;
  ASSERT_TRUE(pointer.click(controlOnScreen(rig, rig.form(), rig.form().Image21).center()));
  ASSERT_TRUE(pumpUntil([&] { return player.Form3.visible(); }, 3000));
  const QRect entry = controlOnScreen(rig, player.Form3, player.Form3.Label1);
  ASSERT_FALSE(entry.isEmpty());
  pumpFor(300);
  keep(grabScreen(entry.adjusted(-60, -60, 60, 60)), "menu_window_over_main");
  EXPECT_GT(shareOfColour(grabScreen(entry), qRgb(255, 255, 255)), 0.5) << "the menu's entry, not the main window";

  rig.form().BUT10.Click.raise();
  QWidget* help = nullptr;
  ASSERT_TRUE(pumpUntil(
      [&] {
        for (QWidget* w : QApplication::topLevelWidgets())
          if (w->isVisible() && w->findChild<QWidget*>("contents")) help = w;
        return help != nullptr;
      },
      5000));
  const QRect main = windowOnScreen(rig, rig.form());
  help->move(main.center() - QPoint(help->width() / 2, help->height() / 2));
  ASSERT_FALSE(settledGeometry(help->windowHandle()->winId()).isEmpty());
  pumpFor(300);
  const QRect middle(main.center() - QPoint(40, 40), QSize(80, 80));
  keep(grabScreen(), "help_over_main");
  EXPECT_GT(shareOfColour(grabScreen(middle), qRgb(255, 255, 255)), 0.5) << "the help's page, not the main window";
}

// A drag whose release comes before the player has seen its press (a busy
// player, a quick hand) must move the window all the same, and must leave
// nothing behind that takes the next click: openbox, asked to move the
// window after the button is up, holds the pointer and the keyboard until a
// click it swallows. A side window open makes openbox slower to answer.
TEST(SideWindows, EachQuickDragOfTheTopBarMovesTheMainWindow) {
  WindowManager manager;
  ASSERT_TRUE(manager.ok()) << manager.error();
  PlayerRig rig;
  rig.rememberListFolder(rig.folder("media"));
  writeFlagFile(rig);
  ASSERT_TRUE(rig.start());
  Player& player = rig.player();
  Form1& f = rig.form();
  player.frmAbout.show();
  ASSERT_FALSE(windowOnScreen(rig, player.frmAbout).isEmpty());
  pumpFor(300);

  for (int i = 0; i < 4; ++i) {
    const QRect before = windowOnScreen(rig, f);
    ASSERT_FALSE(before.isEmpty());
    // The press, the moves and the release reach the X server in one go,
    // before this process reads any of them.
    const QPoint from = before.topLeft() + rig.widgetOf(f.Image33)->mapTo(rig.widgetOf(f), QPoint(150 + 7 * i, 6));
    auto at = [](QPoint p) { return QStringList{QString::number(p.x()), QString::number(p.y())}; };
    ASSERT_TRUE(runTool("xdotool", QStringList{"mousemove"} + at(from) + QStringList{"mousedown", "1", "mousemove"} +
                                       at(from + QPoint(40, 0)) + QStringList{"mousemove"} + at(from + QPoint(80, 0)) +
                                       QStringList{"mouseup", "1"}));
    pumpUntil([&] { return windowOnScreen(rig, f).left() != before.left(); }, 2000);
    EXPECT_EQ(windowOnScreen(rig, f).left() - before.left(), 80) << "drag " << i + 1;
  }
}

// Each click on the menu window's start-up entry writes or removes the
// desktop's autostart entry before the menu closes, however quickly the
// clicks come after the window was moved by its bar.
TEST(SideWindows, EachClickOnTheStartUpEntryWritesOrRemovesIt) {
  WindowManager manager;
  ASSERT_TRUE(manager.ok()) << manager.error();
  PlayerRig rig;
  rig.rememberListFolder(rig.folder("media"));
  writeFlagFile(rig);
  ASSERT_TRUE(rig.start());
  Player& player = rig.player();
  Form1& f = rig.form();
  const std::string entry = std::string(std::getenv("XDG_CONFIG_HOME")) + "/autostart/quilmora.desktop";
  std::remove(entry.c_str());
  auto quickClick = [](QPoint p) {
    return runTool("xdotool", {"mousemove", QString::number(p.x()), QString::number(p.y()), "click", "1"}).has_value();
  };
  for (bool on : {true, false}) {
    // A click on the bar first, as when the window was brought forward or moved.
    const QRect window = windowOnScreen(rig, f);
    ASSERT_TRUE(quickClick(window.topLeft() + rig.widgetOf(f.Image33)->mapTo(rig.widgetOf(f), QPoint(150, 6))));
    pumpFor(200);
    ASSERT_TRUE(quickClick(controlOnScreen(rig, f, f.Image21).center()));
    ASSERT_TRUE(pumpUntil([&] { return player.Form3.visible(); }, 3000));
    ASSERT_TRUE(quickClick(controlOnScreen(rig, player.Form3, player.Form3.Label6).center()));
    EXPECT_TRUE(pumpUntil([&] { return !player.Form3.loaded(); }, 3000));
    EXPECT_EQ(std::ifstream(entry).good(), on) << (on ? "written" : "removed");
  }
}

}  // namespace
}  // namespace qm::integration
