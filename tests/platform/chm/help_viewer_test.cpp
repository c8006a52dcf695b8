// The help viewer on real .chm files: the build's own help files, and one
// compiled here with its pages in a folder, a picture and a GBK page.
#include <gtest/gtest.h>

#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QImage>
#include <QMouseEvent>
#include <QProcess>
#include <QStandardPaths>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QTreeWidget>

#include "platform/chm/chm_help_viewer.h"

namespace qm {
namespace {

const std::string kProgramDir = QM_PROGRAM_DIR;

QTextBrowser* page(const ChmHelpViewer& viewer) { return viewer.window()->findChild<QTextBrowser*>("page"); }
QTreeWidget* contents(const ChmHelpViewer& viewer) { return viewer.window()->findChild<QTreeWidget*>("contents"); }
QString pageText(const ChmHelpViewer& viewer) { return page(viewer)->toPlainText(); }

void click(QWidget* widget, QPoint at) {
  QMouseEvent press(QEvent::MouseButtonPress, at, widget->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                    Qt::NoModifier);
  QMouseEvent release(QEvent::MouseButtonRelease, at, widget->mapToGlobal(at), Qt::LeftButton, Qt::NoButton,
                      Qt::NoModifier);
  QApplication::sendEvent(widget, &press);
  QApplication::sendEvent(widget, &release);
}

// Clicks the middle of the first occurrence of `text` in the page.
void clickText(QTextBrowser* browser, const QString& text) {
  QTextCursor found = browser->document()->find(text);
  ASSERT_FALSE(found.isNull()) << text.toStdString();
  found.setPosition(found.selectionStart() + text.size() / 2);
  click(browser->viewport(), browser->cursorRect(found).center());
}

void clickEntry(QTreeWidget* tree, QTreeWidgetItem* item) {
  click(tree->viewport(), tree->visualItemRect(item).center());
}

TEST(ChmHelpViewer, ShowsTheBuildsHelpFilesWithTheirContents) {
  ChmHelpViewer viewer;
  ASSERT_TRUE(viewer.displayTopic(kProgramDir + "/dorl.chm", "help.htm"));
  QWidget* window = viewer.window();
  EXPECT_TRUE(window->isVisible());
  EXPECT_EQ(window->windowTitle(), QStringLiteral("Quilmora 菜单帮助"));
  EXPECT_TRUE(pageText(viewer).contains(QStringLiteral("在播放画面上单击鼠标右键"))) << pageText(viewer).toStdString();

  QTreeWidget* tree = contents(viewer);
  ASSERT_EQ(tree->topLevelItemCount(), 1);
  QTreeWidgetItem* top = tree->topLevelItem(0);
  EXPECT_EQ(top->text(0), QStringLiteral("菜单帮助"));
  ASSERT_EQ(top->childCount(), 6);
  EXPECT_EQ(top->child(2)->text(0), QStringLiteral("音量调整与左右声道"));
  clickEntry(tree, top->child(2));
  EXPECT_EQ(page(viewer)->source().path(), QStringLiteral("/help.htm"));
  EXPECT_EQ(page(viewer)->source().fragment(), QStringLiteral("volume"));

  // The other help file has a page of the same name: it must be read anew,
  // in the same window.
  ASSERT_TRUE(viewer.displayTopic(kProgramDir + "/Quilmora.chm", "/help.htm"));
  EXPECT_EQ(viewer.window(), window);
  EXPECT_EQ(window->windowTitle(), QStringLiteral("Quilmora 使用帮助"));
  EXPECT_FALSE(pageText(viewer).contains(QStringLiteral("在播放画面上单击鼠标右键")));
  EXPECT_EQ(tree->topLevelItem(0)->text(0), QStringLiteral("使用帮助"));
}

TEST(ChmHelpViewer, ProblemsAreToldInTheWindow) {
  QTemporaryDir folder;
  const QString missing = folder.filePath(QStringLiteral("无此文件.chm"));
  const QString notHelp = folder.filePath(QStringLiteral("broken.chm"));
  QFile broken(notHelp);
  ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
  broken.write("ITSF but not really");
  broken.close();

  ChmHelpViewer viewer;
  ASSERT_TRUE(viewer.displayTopic(missing.toStdString(), "help.htm"));
  EXPECT_TRUE(viewer.window()->isVisible());
  EXPECT_EQ(pageText(viewer), QStringLiteral("找不到帮助文件：") + missing);
  EXPECT_EQ(contents(viewer)->topLevelItemCount(), 0);

  ASSERT_TRUE(viewer.displayTopic(notHelp.toStdString(), "help.htm"));
  EXPECT_EQ(pageText(viewer), QStringLiteral("无法读取帮助文件：") + notHelp);

  ASSERT_TRUE(viewer.displayTopic(kProgramDir + "/dorl.chm", "nope.htm"));
  EXPECT_EQ(pageText(viewer), QStringLiteral("帮助文件中没有此主题：nope.htm"));
  EXPECT_EQ(contents(viewer)->topLevelItemCount(), 1);
}

// A help file whose pages are in a folder; the second page is GBK.
QString compileHelp(const QTemporaryDir& folder) {
  const QString chmcmd = QStandardPaths::findExecutable(QStringLiteral("chmcmd"));
  if (chmcmd.isEmpty()) return {};
  const auto write = [&](const QString& name, const QByteArray& bytes) {
    QDir(folder.path()).mkpath(QFileInfo(name).path());
    QFile file(folder.filePath(name));
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
  };
  QStringEncoder gbk("GBK");
  const QByteArray gbkPage = gbk.encode(
      QStringLiteral("<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=gb2312\"></head><body>"
                     "<p>第二页：镕</p><img src=\"pic.png\"><p><a "
                     "href=\"ms-its:t.chm::/html/index.htm\">回到首页</a></p></body></html>"));
  QImage picture(7, 5, QImage::Format_RGB32);
  picture.fill(Qt::red);
  QByteArray png;
  QBuffer pngBuffer(&png);
  picture.save(&pngBuffer, "PNG");
  const bool written =
      write("t.hhp",
            "[OPTIONS]\nCompiled file=t.chm\nContents file=toc.hhc\nDefault topic=html/index.htm\nTitle=T\n\n"
            "[FILES]\nhtml/index.htm\nhtml/two.htm\nhtml/pic.png\n") &&
      write("toc.hhc",
            "<ul><li><object type=\"text/sitemap\"><param name=\"Name\" value=\"Two\">"
            "<param name=\"Local\" value=\"html/two.htm\"></object></ul>") &&
      write("html/index.htm",
            QStringLiteral("<html><body><p>首页 <a href=\"two.htm\">下一页</a></p></body></html>").toUtf8()) &&
      write("html/two.htm", gbkPage) && write("html/pic.png", png);
  if (!written) return {};
  QProcess compile;
  compile.setWorkingDirectory(folder.path());
  compile.start(chmcmd, {QStringLiteral("t.hhp")});
  if (!compile.waitForFinished(30000) || compile.exitCode() != 0) return {};
  return folder.filePath(QStringLiteral("t.chm"));
}

TEST(ChmHelpViewer, LinksAndPicturesResolveInsideTheFile) {
  QTemporaryDir folder;
  const QString chm = compileHelp(folder);
  ASSERT_FALSE(chm.isEmpty()) << "chmcmd (package fp-utils) could not compile the test's help file";

  ChmHelpViewer viewer;
  ASSERT_TRUE(viewer.displayTopic(chm.toStdString(), ""));  // the file's default topic
  QTextBrowser* browser = page(viewer);
  EXPECT_TRUE(pageText(viewer).contains(QStringLiteral("首页")));

  clickText(browser, QStringLiteral("下一页"));
  EXPECT_EQ(browser->source().path(), QStringLiteral("/html/two.htm"));
  EXPECT_TRUE(pageText(viewer).contains(QStringLiteral("第二页：镕"))) << pageText(viewer).toStdString();
  EXPECT_EQ(contents(viewer)->currentItem(), contents(viewer)->topLevelItem(0));
  const QImage shown = browser->document()->resource(QTextDocument::ImageResource, QUrl("pic.png")).value<QImage>();
  EXPECT_EQ(shown.size(), QSize(7, 5));

  clickText(browser, QStringLiteral("回到首页"));
  EXPECT_EQ(browser->source().path(), QStringLiteral("/html/index.htm"));
}

}  // namespace
}  // namespace qm
