#include <gtest/gtest.h>

#include <QApplication>

int main(int argc, char** argv) {
  // The viewer's window is real but needs no display.
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
