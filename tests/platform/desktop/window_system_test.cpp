#include <gtest/gtest.h>

#include <QApplication>
#include <QCursor>
#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <map>

#include "model/control.h"
#include "platform/desktop/desktop_window_system.h"

namespace qm {
namespace {

// A form with one control, each shown by a widget, as the screen would.
class WindowSystemTest : public ::testing::Test {
 protected:
  WindowSystemTest() {
    window.setGeometry(100, 100, 300, 200);
    child = new QWidget(&window);
    child->setGeometry(10, 10, 50, 50);
    widgets[&form] = &window;
    widgets[&picture] = child;
  }
  void showWindow() {
    window.show();
    ASSERT_TRUE(waitUntilExposed(&window));
  }
  static bool waitUntilExposed(QWidget* w) {
    for (int i = 0; i < 100 && !(w->windowHandle() && w->windowHandle()->isExposed()); ++i)
      QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    return w->windowHandle() && w->windowHandle()->isExposed();
  }

  Form form{"Form1"};
  Image picture{"Image3", &form};
  QWidget window;
  QWidget* child;
  std::map<const Control*, QWidget*> widgets;
  DesktopWindowSystem windows{[this](const Control& c) -> QWidget* {
    auto found = widgets.find(&c);
    return found == widgets.end() ? nullptr : found->second;
  }};
};

Qt::CursorShape overrideShape() {
  const QCursor* cursor = QGuiApplication::overrideCursor();
  return cursor ? cursor->shape() : Qt::ArrowCursor;
}

TEST_F(WindowSystemTest, PointerHidesOnlyWhileTheCountIsBelowZero) {
  EXPECT_EQ(windows.showCursor(false), -1);
  EXPECT_EQ(overrideShape(), Qt::BlankCursor);
  EXPECT_EQ(windows.showCursor(false), -2);
  EXPECT_EQ(windows.showCursor(true), -1);
  EXPECT_EQ(overrideShape(), Qt::BlankCursor);
  EXPECT_EQ(windows.showCursor(true), 0);
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
  EXPECT_EQ(windows.showCursor(true), 1);
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
  hidePointer(windows);
  EXPECT_EQ(windows.showCursor(true), 0) << "hiding from 1 takes the count to -1 exactly";
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
  {
    DesktopWindowSystem other([](const Control&) { return nullptr; });
    other.showCursor(false);
  }
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr) << "the pointer comes back when the window system goes";
}

TEST_F(WindowSystemTest, TopmostKeepsTheWindowShownInPlace) {
  showWindow();
  const QRect before = window.geometry();
  windows.setTopmost(form);
  EXPECT_TRUE(window.windowFlags() & Qt::WindowStaysOnTopHint);
  EXPECT_TRUE(window.windowHandle()->flags() & Qt::WindowStaysOnTopHint);
  EXPECT_TRUE(window.isVisible());
  EXPECT_EQ(window.geometry(), before);
}

TEST_F(WindowSystemTest, TopmostBeforeShowingHoldsOnceShown) {
  windows.setTopmost(form);
  showWindow();
  EXPECT_TRUE(window.windowHandle()->flags() & Qt::WindowStaysOnTopHint);
}

TEST_F(WindowSystemTest, PointerOverAControlMeansOverItsWidget) {
  showWindow();
  QCursor::setPos(child->mapToGlobal(QPoint(25, 25)));
  EXPECT_TRUE(windows.cursorOver(picture));
  EXPECT_TRUE(windows.cursorOver(form));
  QCursor::setPos(window.mapToGlobal(QPoint(200, 150)));
  EXPECT_FALSE(windows.cursorOver(picture));
  EXPECT_TRUE(windows.cursorOver(form));
  QCursor::setPos(window.mapToGlobal(QPoint(-50, -50)));
  EXPECT_FALSE(windows.cursorOver(form));
  child->hide();
  QCursor::setPos(child->mapToGlobal(QPoint(25, 25)));
  EXPECT_FALSE(windows.cursorOver(picture));
}

TEST_F(WindowSystemTest, WindowInFrontTakesThePointer) {
  showWindow();
  QWidget front;
  front.setGeometry(window.geometry());
  front.show();
  ASSERT_TRUE(waitUntilExposed(&front));
  front.raise();
  QCursor::setPos(child->mapToGlobal(QPoint(25, 25)));
  EXPECT_FALSE(windows.cursorOver(picture));
  EXPECT_FALSE(windows.cursorOver(form));
}

TEST_F(WindowSystemTest, FocusActivatesTheFormsWindow) {
  QWidget other;
  other.setGeometry(500, 100, 100, 100);
  other.show();
  showWindow();
  other.activateWindow();
  for (int i = 0; i < 50 && QApplication::activeWindow() != &other; ++i) QCoreApplication::processEvents();
  ASSERT_EQ(QApplication::activeWindow(), &other);
  windows.focus(form);
  for (int i = 0; i < 50 && QApplication::activeWindow() != &window; ++i) QCoreApplication::processEvents();
  EXPECT_EQ(QApplication::activeWindow(), &window);
}

TEST_F(WindowSystemTest, MessageBoxShowsTheWholeTextWithOneOkButtonAboveEverything) {
  const QString longLine =
      QString::fromUtf8("桌面把以下文件视为同一种类型，无法分开设置，Quilmora 仍是它们的默认播放器：");
  QString shownText;
  int buttons = 0;
  bool onTop = false, textFits = false;
  QTimer::singleShot(0, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box) return;
    shownText = box->text();
    buttons = static_cast<int>(box->buttons().size());
    onTop = box->windowFlags() & Qt::WindowStaysOnTopHint;
    // Wrapped or not, the text's lines fit the label, and the label the box.
    if (auto* label = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"))) {
      const QRect room = label->contentsRect();
      const QRect needed = label->fontMetrics().boundingRect(QRect(0, 0, room.width(), 1 << 20),
                                                             label->wordWrap() ? Qt::TextWordWrap : 0, box->text());
      textFits =
          needed.width() <= room.width() && needed.height() <= room.height() && box->rect().contains(label->geometry());
    }
    box->button(QMessageBox::Ok)->click();
  });
  windows.messageBox((longLine + "\n.rm、.rmvb").toStdString());
  EXPECT_EQ(shownText, longLine + "\n.rm、.rmvb");
  EXPECT_EQ(buttons, 1);
  EXPECT_TRUE(onTop);
  EXPECT_TRUE(textFits);
}

TEST_F(WindowSystemTest, ChosenMenuItemRaisesClickOnceTheMenuIsGone) {
  showWindow();
  MenuItem menu("menu", &form), play("BUT4", &menu), zoom("BUT8", &menu), half("BUT8A", &zoom), hidden("BUT17", &menu);
  play.setCaption("播放/暂停");
  play.setChecked(true);
  zoom.setCaption("缩放");
  half.setCaption("50%");
  hidden.setVisible(false);
  QStringList captions;
  bool checked = false, menuOpenDuringClick = true;
  play.Click.connect([&] { menuOpenDuringClick = QApplication::activePopupWidget() != nullptr; });
  QTimer::singleShot(0, [&] {
    auto* popup = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    if (!popup) return;
    for (QAction* action : popup->actions()) captions << action->text();
    checked = popup->actions().value(0)->isChecked();
    popup->actions().value(0)->trigger();
    popup->close();
  });
  ASSERT_TRUE(windows.popupMenu(menu));
  EXPECT_EQ(captions, (QStringList{"播放/暂停", "缩放"}));
  EXPECT_TRUE(checked);
  EXPECT_FALSE(menuOpenDuringClick);
}

TEST_F(WindowSystemTest, DocumentsFolderIsTheUsersOwnOrTheirHome) {
  QTemporaryDir home;
  const QByteArray savedHome = qgetenv("HOME"), savedConfig = qgetenv("XDG_CONFIG_HOME");
  qputenv("HOME", home.path().toUtf8());
  qputenv("XDG_CONFIG_HOME", (home.path() + "/.config").toUtf8());
  QDir(home.path()).mkpath(".config");
  QFile dirs(home.path() + "/.config/user-dirs.dirs");
  ASSERT_TRUE(dirs.open(QIODevice::WriteOnly));
  dirs.write("XDG_DOCUMENTS_DIR=\"$HOME/Papers\"\n");
  dirs.close();

  const std::string missing = windows.documentsFolder();
  QDir(home.path()).mkdir("Papers");
  const std::string present = windows.documentsFolder();

  qputenv("HOME", savedHome);
  if (savedConfig.isNull())
    qunsetenv("XDG_CONFIG_HOME");
  else
    qputenv("XDG_CONFIG_HOME", savedConfig);
  EXPECT_EQ(missing, home.path().toStdString());
  EXPECT_EQ(present, (home.path() + "/Papers").toStdString());
}

// Off screen there is neither an X server nor, here, a session bus: both
// ways of holding the saver off do nothing, and nothing breaks.
TEST_F(WindowSystemTest, ScreenSaverSwitchesWithoutADesktop) {
  windows.setScreenSaverActive(false);
  windows.setScreenSaverActive(false);
  windows.setScreenSaverActive(true);
  windows.setScreenSaverActive(true);
  windows.setScreenSaverActive(false);
}

}  // namespace
}  // namespace qm
