// The skinned window under a real window manager, driven by the mouse and
// the keyboard through the X server: moved by its top bar, sized by its
// right edge and its grip, its popup menu, full screen by a double-click,
// kept above other windows, keys and the wheel.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTimer>
#include <cmath>
#include <memory>

#include "forms/form1_geometry.h"
#include "integration/player_rig.h"
#include "support/event_wait.h"
#include "support/media_files.h"
#include "support/virtual_display.h"
#include "support/window_manager.h"
#include "support/x_tools.h"

namespace qm::integration {
namespace {

using namespace live;

// Where a point of a control (pixels from its top left) is on the screen,
// from the window's place as the player knows it now.
QPoint onScreen(const Form1& f, const Control& c, int dx, int dy) {
  double x = f.left(), y = f.top();
  for (const Control* at = &c; at && at != &f; at = at->parent()) {
    x += at->left();
    y += at->top();
  }
  return QPoint(static_cast<int>(x / kTwipsPerPixel) + dx, static_cast<int>(y / kTwipsPerPixel) + dy);
}

bool key(const QString& name) { return runTool("xdotool", {"key", "--clearmodifiers", name}).has_value(); }
bool doubleClick(QPoint p) {
  return runTool("xdotool", {"mousemove", QString::number(p.x()), QString::number(p.y()), "click", "--repeat", "2",
                             "--delay", "80", "1"})
      .has_value();
}
bool until(const std::function<bool()>& done) { return pumpUntil(done, 10000); }

TEST(WindowChrome, MovedSizedAndSwitchedByMouseAndKeys) {
  int edgeReleases = 0, gripReleases = 0;  // outlive the rig, whose controls count into them
  WindowManager manager;
  ASSERT_TRUE(manager.ok()) << manager.error();
  PlayerRig rig;
  rig.rememberListFolder(rig.folder("media"));
  const std::string clip = makeTestClip(rig.folder("media") + "/clip.mp4", 20);
  ASSERT_FALSE(clip.empty());
  ASSERT_TRUE(rig.start(clip));
  Form1& f = rig.form();
  ASSERT_TRUE(until([&] { return f.WindowsMediaPlayer1.visible(); }));
  ASSERT_TRUE(until([&] { return rig.media().playState() == play_state::Playing; }));
  Pointer mouse;
  // A drag is over for the player once the control it began on saw the release.
  f.Image36.MouseUp.connect([&](int, int, double, double) { ++edgeReleases; });
  f.Picture7.MouseUp.connect([&](int, int, double, double) { ++gripReleases; });
  auto released = [](int& count, int times) { return until([&] { return count == times; }); };
  auto near = [](Twips value, Twips expected) { return std::abs(value - expected) <= 2 * 15; };

  // The top bar drags the window.
  const Twips left = f.left(), top = f.top();
  ASSERT_TRUE(mouse.drag(onScreen(f, f.Image33, 150, 6), onScreen(f, f.Image33, 210, 46), 6));
  EXPECT_TRUE(until([&] { return near(f.left(), left + 60 * 15) && near(f.top(), top + 40 * 15); }))
      << "moved by " << (f.left() - left) / 15 << "," << (f.top() - top) / 15 << " pixels";

  // The right edge sizes the width, and never below the smallest width.
  const Twips width = f.width();
  ASSERT_TRUE(mouse.drag(onScreen(f, f.Image36, 4, 200), onScreen(f, f.Image36, 4 + 80, 200), 8));
  ASSERT_TRUE(released(edgeReleases, 1));
  EXPECT_TRUE(until([&] { return near(f.width(), width + (80 - 4) * 15); }))
      << "the edge follows the pointer: " << f.width() << " from " << width;
  ASSERT_TRUE(mouse.drag(onScreen(f, f.Image36, 4, 200), onScreen(f, f.Image36, 4 - 500, 200), 8));
  ASSERT_TRUE(released(edgeReleases, 2));
  EXPECT_TRUE(until([&] { return near(f.width(), geometry::kMinimumWidth); })) << f.width();
  EXPECT_GE(f.width(), geometry::kMinimumWidth);

  // The grip sizes both ways, and never below the smallest width either.
  const Twips height = f.height();
  ASSERT_TRUE(mouse.drag(onScreen(f, f.Picture7, 6, 6), onScreen(f, f.Picture7, 6 + 200, 6 + 50), 8));
  ASSERT_TRUE(released(gripReleases, 1));
  EXPECT_TRUE(until([&] { return f.width() > geometry::kMinimumWidth + 150 * 15 && f.height() >= height + 40 * 15; }))
      << f.width() << "x" << f.height();
  const Twips grown = f.width();
  ASSERT_TRUE(mouse.drag(onScreen(f, f.Picture7, 6, 6), onScreen(f, f.Picture7, 6 - 800, 6), 8));
  ASSERT_TRUE(released(gripReleases, 2));
  EXPECT_TRUE(until([&] { return f.width() < grown && f.Picture4.top() == f.height() - geometry::kBottomBarRise; }))
      << "laid out on the size that holds: " << f.width() << "x" << f.height();
  EXPECT_GE(f.width(), geometry::kMinimumWidth);
  const Twips normalWidth = f.width(), normalHeight = f.height();

  // A right click on the video pops up the menu; its theater item (T) works.
  // The menu runs a loop of its own, so the key is sent from a timer while
  // it shows (again if the first was lost); a menu that never takes the key
  // is closed rather than left to hold the test.
  QTimer menuKey;
  int keysSent = 0;
  QObject::connect(&menuKey, &QTimer::timeout, [&] {
    QWidget* menu = QApplication::activePopupWidget();
    if (!menu || !menu->isVisible()) return;
    if (++keysSent > 12)
      menu->close();
    else
      key("t");
  });
  menuKey.start(700);
  ASSERT_TRUE(mouse.click(onScreen(f, f.WindowsMediaPlayer1, 100, 80), 3));
  ASSERT_TRUE(until([&] { return f.BUT0.checked() && f.windowState() != Form::Normal; }));
  menuKey.stop();
  const Twips screenW = VirtualDisplay::kWidth * 15.0, screenH = VirtualDisplay::kHeight * 15.0;
  EXPECT_TRUE(until([&] {
    return f.width() == screenW && f.WindowsMediaPlayer1.visible() &&
           f.WindowsMediaPlayer1.height() == screenH - 1650 && !f.Picture4.visible();
  })) << "the theater frame survives the layout: "
      << f.WindowsMediaPlayer1.height();

  // A double-click leaves theater for the normal window; another enters full screen.
  ASSERT_TRUE(doubleClick(onScreen(f, f.WindowsMediaPlayer1, 300, 200)));
  ASSERT_TRUE(until([&] {
    return f.windowState() == Form::Normal && f.Picture4.visible() && f.width() == normalWidth &&
           f.height() == normalHeight;
  }));
  ASSERT_TRUE(doubleClick(onScreen(f, f.WindowsMediaPlayer1, 100, 80)));
  ASSERT_TRUE(until([&] { return f.BUT1.checked() && f.width() == screenW; }));
  EXPECT_TRUE(until([&] {
    const Control& v = f.WindowsMediaPlayer1;
    return v.left() == 0 && v.top() == 0 && v.width() == screenW && v.height() == screenH;
  })) << "the video fills the screen";

  // Escape brings the normal window back; it stays above other windows.
  ASSERT_TRUE(key("Escape"));
  ASSERT_TRUE(until([&] { return f.windowState() == Form::Normal && f.Picture4.visible(); }));
  const auto window = findWindow(QString::fromStdString(f.caption()), QCoreApplication::applicationPid(), 10000);
  ASSERT_TRUE(window);
  const auto state = runTool("xprop", {"-id", QString::number(*window), "_NET_WM_STATE"});
  ASSERT_TRUE(state);
  EXPECT_TRUE(state->contains("_NET_WM_STATE_ABOVE")) << state->toStdString();
  EXPECT_NE(f.caption().find("clip.mp4"), std::string::npos) << "the title names the file playing";

  // Up and the wheel over the volume bar move the bar and the engine together.
  QWidget* playerWindow = rig.widgetOf(f.WindowsMediaPlayer1)->window();
  ASSERT_TRUE(until([&] { return playerWindow->isActiveWindow(); }));
  const int volume = f.volume.Value();
  ASSERT_TRUE(key("Up"));
  ASSERT_TRUE(until([&] { return f.volume.Value() == volume + 5; }));
  ASSERT_TRUE(mouse.moveTo(onScreen(f, f.volume, 20, 6)));
  ASSERT_TRUE(runTool("xdotool", {"click", "4"}));
  ASSERT_TRUE(until([&] { return f.volume.Value() == volume + 10; }));
  EXPECT_TRUE(until([&] { return rig.media().volume() == volume + 10; }));

  // Space pauses also while the file list has the keyboard, as after a click
  // on a file.
  QWidget* list = rig.widgetOf(f.File1);
  ASSERT_TRUE(list);
  list->window()->activateWindow();
  list->setFocus();
  ASSERT_TRUE(until([&] { return list->hasFocus(); }));
  ASSERT_FALSE(f.PausedFlag());
  ASSERT_TRUE(key("space"));
  EXPECT_TRUE(until([&] { return f.PausedFlag(); }));
}

}  // namespace
}  // namespace qm::integration
