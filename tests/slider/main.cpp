#include <gtest/gtest.h>

#include <QGuiApplication>
#include <cstdlib>

// The slider draws its caption with the application's fonts, so the tests run
// inside a GUI application; without a display the offscreen platform serves.
int main(int argc, char** argv) {
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QGuiApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
