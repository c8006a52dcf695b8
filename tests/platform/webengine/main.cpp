// Ruffle's page on the real web engine, in this process, on a virtual X
// screen of this run.
#include <gtest/gtest.h>

#include <QApplication>
#include <cstdio>

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
  return RUN_ALL_TESTS();
}
