// The whole player, started as a separate program on a virtual X screen of
// this run and driven like a user drives it.
#include <gtest/gtest.h>

#include <QApplication>
#include <cstdio>

#include "support/hang_watch.h"
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
  QApplication app(argc, argv);
  // Inside the runner's own limit of 300 s, so that the stacks get printed.
  qm::live::HangWatch::install(std::chrono::seconds(200));
  return RUN_ALL_TESTS();
}
