// The engine needs a running Qt event loop: libmpv's events reach it as
// queued calls. Tests pump the loop while they wait (see pumpUntil).
#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>

#include "support/temp_dir.h"

int main(int argc, char** argv) {
  // No display is needed, and MIDI renders go to a cache of this run only.
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  qm::test::TempDir cache;
  setenv("XDG_CACHE_HOME", cache.path().c_str(), 1);
  QApplication app(argc, argv);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
