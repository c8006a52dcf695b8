// The browser on the real window: a file dropped on it plays, and the home
// page tab shows the page shipped with the player, with the web engine
// started only then, and shows it again after the engine's page process
// died. The page shows inside the window that was there: the window keeps
// its native window, and a side window stays attached to it.
#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <QApplication>
#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QMimeData>
#include <QUrl>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <QWindow>
#include <algorithm>

#include "integration/player_rig.h"
#include "platform/webengine/web_engine_browser.h"
#include "support/event_wait.h"
#include "support/image_checks.h"
#include "support/media_files.h"
#include "support/virtual_display.h"
#include "support/window_manager.h"
#include "support/x_tools.h"

namespace qm::integration {
namespace {

using namespace live;

// Helper processes of the web engine that this process started.
int webEngineChildren() {
  int count = 0;
  const QString self = QString::number(::getpid());
  for (const QString& pid : QDir("/proc").entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
    QFile stat("/proc/" + pid + "/stat");
    if (!stat.open(QIODevice::ReadOnly)) continue;
    const QList<QByteArray> fields = stat.readAll().split(' ');
    if (fields.size() > 3 && fields[3] == self.toLatin1() && fields[1].contains("QtWebEngine")) ++count;
  }
  return count;
}

void drop(QWidget& window, const std::string& path) {
  QMimeData data;
  data.setUrls({QUrl::fromLocalFile(QString::fromStdString(path))});
  const QPoint at = window.rect().center();
  QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&window, &enter);
  ASSERT_TRUE(enter.isAccepted());
  QDropEvent dropped(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&window, &dropped);
}

TEST(Browser, DroppedClipPlaysAndTheHomePageShowsOurPage) {
  PlayerRig rig;
  const std::string clip = makeColourClip(rig.folder("drop") + "/拖放 clip.mp4", "red", 2);
  ASSERT_FALSE(clip.empty());
  rig.rememberListFolder(rig.folder("start"));  // a later start: no home page yet
  ASSERT_TRUE(rig.start());
  PlayLog log(rig.media());
  ASSERT_NE(rig.desktop().mainView(), nullptr);
  drop(rig.desktop().mainView()->window(), clip);
  ASSERT_TRUE(pumpUntil([&] { return !log.urls().empty(); }, 5000));
  EXPECT_EQ(log.urls().front(), clip);
  EXPECT_EQ(rig.form().File1.path(), rig.folder("drop"));
  pumpFor(1000);
  EXPECT_EQ(webEngineChildren(), 0) << "media alone started the web engine";

  Pointer pointer;
  ASSERT_TRUE(
      pointer.click(rig.screenPoint(rig.form().Label8, QPointF(rig.screenRect(rig.form().Label8).width() / 2.0, 8))));
  LazyWebBrowser& web = rig.desktop().web();
  // The browser the web engine module made, once the page asked for it.
  auto page = [&] {
    auto* browser = dynamic_cast<WebEngineBrowser*>(web.runtime());
    return browser ? browser->page() : nullptr;
  };
  ASSERT_TRUE(pumpUntil([&] { return page() && page()->title() == QStringLiteral("Quilmora 主页"); }, 20000));
  EXPECT_EQ(web.url(), QUrl::fromLocalFile(QString::fromStdString(rig.programFolder() + "/home.html")));
  EXPECT_GT(webEngineChildren(), 0);
  pumpFor(1500);  // the first paint of the page
  const QImage shot = grabScreen(rig.screenRect(rig.form().WebBrowser1));
  if (const char* folder = std::getenv("QM_SHOT_DIR")) shot.save(QString(folder) + "/home_page.png");
  // The page's dark blue ground and cards, not the display area's black.
  EXPECT_GT(shareNear(shot, QColor(0x10, 0x14, 0x1c), 6) + shareNear(shot, QColor(0x18, 0x20, 0x30), 6), 0.5);
  EXPECT_EQ(rig.media().playState(), play_state::Undefined);

  // The page comes back when the web engine's page process dies under it.
  const qint64 pid = page()->page()->renderProcessPid();
  ASSERT_GT(pid, 0);
  ASSERT_EQ(::kill(pid_t(pid), SIGKILL), 0);
  EXPECT_TRUE(pumpUntil(
      [&] {
        const qint64 now = page()->page()->renderProcessPid();
        return now > 0 && now != pid && page()->title() == QStringLiteral("Quilmora 主页");
      },
      20000));
  pumpFor(1500);
  const QImage again = grabScreen(rig.screenRect(rig.form().WebBrowser1));
  EXPECT_GT(shareNear(again, QColor(0x10, 0x14, 0x1c), 6) + shareNear(again, QColor(0x18, 0x20, 0x30), 6), 0.5);
}

// The window a window is transient for, as the X server has it; 0 for none.
WindowId transientFor(WindowId window) {
  const auto out = runTool("xprop", {"-id", QString::number(window), "WM_TRANSIENT_FOR"});
  const qsizetype hash = out ? out->indexOf('#') : -1;
  return hash < 0 ? 0 : out->mid(hash + 1).trimmed().toULong(nullptr, 16);
}

// Qt makes a top-level's native window anew for a view that draws through
// OpenGL, which the window manager takes for a new window: a blink, a new
// place on Wayland, and side windows left attached to the window that went.
TEST(Browser, HomePageShowsInTheWindowThatWasThere) {
  WindowManager manager;
  ASSERT_TRUE(manager.ok()) << manager.error();
  PlayerRig rig;
  rig.rememberListFolder(rig.folder("start"));
  ASSERT_TRUE(rig.start());
  Form& aboutForm = rig.player().frmAbout;
  aboutForm.show();
  // In the screen's corner, where it covers the least of the display area.
  aboutForm.setLeft(VirtualDisplay::kWidth * kTwipsPerPixel - aboutForm.width());
  aboutForm.setTop(VirtualDisplay::kHeight * kTwipsPerPixel - aboutForm.height());
  QWidget* about = rig.widgetOf(aboutForm);
  ASSERT_TRUE(about && pumpUntil([&] { return about->isVisible(); }, 3000));
  const QRect aboutPlace = settledGeometry(about->windowHandle()->winId());
  const WindowId window = rig.widgetOf(rig.form())->windowHandle()->winId();
  ASSERT_EQ(transientFor(about->windowHandle()->winId()), window);

  rig.form().Label8.Click.raise();  // the home page tab
  QRect area = rig.screenRect(rig.form().WebBrowser1);
  area.setRight(std::min(area.right(), aboutPlace.left() - 1));
  QImage shot;
  EXPECT_TRUE(pumpUntil(
      [&] {
        shot = grabScreen(area);
        return shareNear(shot, QColor(0x10, 0x14, 0x1c), 6) + shareNear(shot, QColor(0x18, 0x20, 0x30), 6) > 0.5;
      },
      20000))
      << "the page did not show in the display area";
  const WindowId now = rig.widgetOf(rig.form())->windowHandle()->winId();
  EXPECT_EQ(now, window) << "the window was made anew";
  EXPECT_EQ(transientFor(about->windowHandle()->winId()), now) << "the about box belongs to a window that went";
}

}  // namespace
}  // namespace qm::integration
