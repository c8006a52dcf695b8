#include <gtest/gtest.h>

#include <QApplication>
#include <cstring>

#include "child_modes.h"

int main(int argc, char** argv) {
  if (argc >= 2 && std::strcmp(argv[1], "--claim") == 0) return claimInstanceMode(argc, argv);
  if (argc >= 2 && std::strcmp(argv[1], "--fake-screen-saver") == 0) return fakeScreenSaverMode(argc, argv);
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
