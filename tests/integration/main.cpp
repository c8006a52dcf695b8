// The player's handlers, engines and screen together in this process, on a
// virtual X screen of this run, driven through the mouse and the controls'
// events.
#include <gtest/gtest.h>

#include <QApplication>
#include <clocale>
#include <cstdio>
#include <cstdlib>

#include "support/hang_watch.h"
#include "support/temp_dir.h"
#include "support/virtual_display.h"

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  // Listing the tests (at build time) needs no screen.
  if (GTEST_FLAG_GET(list_tests)) return RUN_ALL_TESTS();
  qm::live::VirtualDisplay display;
  if (!display.ok()) {
    std::fprintf(stderr, "%s\n", display.error().c_str());
    return 1;
  }
  // MIDI renders go to a cache of this run.
  qm::test::TempDir cache;
  setenv("XDG_CACHE_HOME", cache.path().c_str(), 1);
  // The registry and the desktop entries it writes stay in a home of this run.
  qm::test::TempDir home;
  setenv("HOME", home.path().c_str(), 1);
  setenv("XDG_DATA_HOME", (home.path() + "/.local/share").c_str(), 1);
  setenv("XDG_CONFIG_HOME", (home.path() + "/.config").c_str(), 1);
  // No session bus of the machine is touched, and none is started: an
  // address that fails at once. Without one, libdbus (asked by Qt's
  // accessibility bridge) forks to autolaunch a bus, and a child forked from
  // this many-threaded process can hang before its exec, holding the first
  // window's start for good.
  setenv("DBUS_SESSION_BUS_ADDRESS", "disabled:", 1);
  QApplication app(argc, argv);
  std::setlocale(LC_NUMERIC, "C");  // libmpv parses numbers in the C locale
  app.setQuitOnLastWindowClosed(false);
  // Inside the runner's own limit of 300 s, so that the stacks get printed.
  qm::live::HangWatch::install(std::chrono::seconds(200));
  return RUN_ALL_TESTS();
}
