#include "platform/desktop/x11_screen_saver.h"

#include <gtest/gtest.h>

#include <QStandardPaths>

#include "helper_process.h"

// After Qt: the X headers define names Qt uses.
#include <X11/Xlib.h>
#include <X11/extensions/dpms.h>

namespace qm {
namespace {

TEST(X11ScreenSaverTest, WithoutADisplayNothingHappens) {
  X11ScreenSaver saver(nullptr);
  EXPECT_FALSE(saver.suspend());
  EXPECT_FALSE(saver.suspended());
  saver.resume();
}

class X11ServerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const QString xvfb = QStandardPaths::findExecutable("Xvfb");
    if (xvfb.isEmpty()) GTEST_SKIP() << "Xvfb is not installed";
    const QString number = server.startAndReadLine(xvfb, {"-displayfd", "1", "-nolisten", "tcp"});
    ASSERT_FALSE(number.isEmpty()) << "Xvfb did not start";
    display = XOpenDisplay((":" + number).toUtf8().constData());
    ASSERT_NE(display, nullptr);
  }
  void TearDown() override {
    if (display) XCloseDisplay(display);
  }
  int timeout() {
    int timeout = 0, interval = 0, blanking = 0, exposures = 0;
    XGetScreenSaver(display, &timeout, &interval, &blanking, &exposures);
    return timeout;
  }
  bool hasPowerSaving() {
    int eventBase = 0, errorBase = 0;
    return DPMSQueryExtension(display, &eventBase, &errorBase) && DPMSCapable(display);
  }
  bool powerSavingOn() {
    CARD16 level = 0;
    BOOL on = False;
    DPMSInfo(display, &level, &on);
    return on;
  }

  HelperProcess server;
  Display* display = nullptr;
};

TEST_F(X11ServerTest, SuspendHoldsTheSaverOffAndResumeGivesBackTheUsersSetting) {
  XSetScreenSaver(display, 600, 0, DefaultBlanking, DefaultExposures);
  const bool dpms = hasPowerSaving();
  if (dpms) DPMSEnable(display);
  XSync(display, False);
  X11ScreenSaver saver(display);
  ASSERT_TRUE(saver.suspend());
  EXPECT_EQ(timeout(), 0);
  if (dpms) {
    EXPECT_FALSE(powerSavingOn());
  }
  saver.resume();
  EXPECT_EQ(timeout(), 600);
  if (dpms) {
    EXPECT_TRUE(powerSavingOn());
  }
}

TEST_F(X11ServerTest, SaverTheUserHadOffComesOnAndEndingSuspendedResumes) {
  XSetScreenSaver(display, 0, 0, DefaultBlanking, DefaultExposures);
  XSync(display, False);
  X11ScreenSaver(display).suspend();
  EXPECT_GT(timeout(), 0) << "the player leaves the saver on, with the server's own timing";
  XSetScreenSaver(display, 300, 0, DefaultBlanking, DefaultExposures);
  XSync(display, False);
  {
    X11ScreenSaver saver(display);
    ASSERT_TRUE(saver.suspend());
    ASSERT_TRUE(saver.suspend()) << "a second suspend must not save the suspended state";
  }
  EXPECT_EQ(timeout(), 300);
}

}  // namespace
}  // namespace qm
