#include "platform/desktop/dbus_screen_saver.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QStandardPaths>
#include <QThread>
#include <memory>

#include "child_modes.h"
#include "helper_process.h"

namespace {

// A screen-saver service that counts the inhibitions it holds.
class FakeScreenSaver : public QObject {
  Q_OBJECT
  Q_CLASSINFO("D-Bus Interface", "org.freedesktop.ScreenSaver")

 public slots:
  uint Inhibit(const QString&, const QString&) {
    ++held_;
    return ++lastCookie_;
  }
  void UnInhibit(uint cookie) {
    if (cookie == lastCookie_ && held_ > 0) --held_;
  }
  int Held() { return held_; }

 private:
  int held_ = 0;
  uint lastCookie_ = 40;
};

}  // namespace

int fakeScreenSaverMode(int argc, char** argv) {
  if (argc < 4) return 2;
  QCoreApplication app(argc, argv);
  QDBusConnection bus = QDBusConnection::connectToBus(QString::fromUtf8(argv[2]), "fake");
  FakeScreenSaver saver;
  if (!bus.registerObject(QString::fromUtf8(argv[3]), &saver, QDBusConnection::ExportAllSlots)) return 3;
  if (!bus.registerService("org.freedesktop.ScreenSaver")) return 4;
  return app.exec();
}

namespace qm {
namespace {

class DBusScreenSaverTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const QString daemon = QStandardPaths::findExecutable("dbus-daemon");
    if (daemon.isEmpty()) GTEST_SKIP() << "dbus-daemon is not installed";
    address = busDaemon.startAndReadLine(daemon, {"--session", "--nofork", "--print-address=1"});
    ASSERT_FALSE(address.isEmpty()) << "dbus-daemon did not start";
    bus = std::make_unique<QDBusConnection>(QDBusConnection::connectToBus(address, "qm-test"));
    ASSERT_TRUE(bus->isConnected());
  }
  void TearDown() override {
    bus.reset();
    QDBusConnection::disconnectFromBus("qm-test");
  }
  void startService(const QString& path) {
    service.process.start(QCoreApplication::applicationFilePath(), {"--fake-screen-saver", address, path});
    ASSERT_TRUE(service.process.waitForStarted(5000));
    QElapsedTimer waited;
    waited.start();
    while (!bus->interface()->isServiceRegistered("org.freedesktop.ScreenSaver") && waited.elapsed() < 10000)
      QThread::msleep(20);
    ASSERT_TRUE(bus->interface()->isServiceRegistered("org.freedesktop.ScreenSaver"));
  }
  int held(const QString& path) {
    QDBusMessage call =
        QDBusMessage::createMethodCall("org.freedesktop.ScreenSaver", path, "org.freedesktop.ScreenSaver", "Held");
    const QDBusMessage reply = bus->call(call);
    return reply.arguments().isEmpty() ? -1 : reply.arguments().first().toInt();
  }

  HelperProcess busDaemon, service;
  QString address;
  std::unique_ptr<QDBusConnection> bus;
};

TEST_F(DBusScreenSaverTest, InhibitionIsHeldUntilLifted) {
  startService("/org/freedesktop/ScreenSaver");
  DBusScreenSaver saver(*bus);
  ASSERT_TRUE(saver.inhibit("quilmora", "Playing media"));
  EXPECT_TRUE(saver.inhibit("quilmora", "Playing media"));
  EXPECT_EQ(held("/org/freedesktop/ScreenSaver"), 1) << "one inhibition, however often asked";
  saver.uninhibit();
  EXPECT_FALSE(saver.inhibited());
  EXPECT_EQ(held("/org/freedesktop/ScreenSaver"), 0);
}

TEST_F(DBusScreenSaverTest, OlderObjectPathIsFoundToo) {
  startService("/ScreenSaver");
  {
    DBusScreenSaver saver(*bus);
    ASSERT_TRUE(saver.inhibit("quilmora", "Playing media"));
    EXPECT_EQ(held("/ScreenSaver"), 1);
  }
  EXPECT_EQ(held("/ScreenSaver"), 0) << "ending inhibited lifts the inhibition";
}

TEST_F(DBusScreenSaverTest, NoServiceMeansNoInhibition) {
  DBusScreenSaver saver(*bus);
  EXPECT_FALSE(saver.inhibit("quilmora", "Playing media"));
  EXPECT_FALSE(saver.inhibited());
  DBusScreenSaver offline{QDBusConnection(QString())};
  EXPECT_FALSE(offline.inhibit("quilmora", "Playing media"));
}

}  // namespace
}  // namespace qm

#include "dbus_screen_saver_test.moc"
