// The browser on the real window: a file dropped on it plays, and the home
// page tab shows the page shipped with the player, with the web engine
// started only then, and shows it again after the engine's page process
// died.
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

#include "integration/player_rig.h"
#include "platform/webengine/web_engine_browser.h"
#include "support/event_wait.h"
#include "support/image_checks.h"
#include "support/media_files.h"
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

}  // namespace
}  // namespace qm::integration
