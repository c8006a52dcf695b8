#pragma once

#include <QApplication>
#include <optional>

#include "support/temp_dir.h"
#include "support/virtual_display.h"

namespace qm::bench {

// The player in this process on a virtual screen of its own, as the
// whole-program tests run it: a cache of its own, no session bus, and
// numbers in the C locale, as libmpv parses them; memory is handed out as
// in the program.
class PlayerScreen {
 public:
  PlayerScreen(int& argc, char** argv);
  // False (and why on stderr) when there is no screen.
  bool ok() const { return app_.has_value(); }

 private:
  live::VirtualDisplay display_;
  test::TempDir cache_;
  std::optional<QApplication> app_;
};

}  // namespace qm::bench
