#include "player_screen.h"

#include <clocale>
#include <cstdio>
#include <cstdlib>

#include "app/large_blocks.h"

namespace qm::bench {

PlayerScreen::PlayerScreen(int& argc, char** argv) {
  returnLargeBlocksToTheSystem();  // as the program does
  if (!display_.ok()) {
    std::fprintf(stderr, "%s\n", display_.error().c_str());
    return;
  }
  setenv("XDG_CACHE_HOME", cache_.path().c_str(), 1);
  unsetenv("DBUS_SESSION_BUS_ADDRESS");
  app_.emplace(argc, argv);
  std::setlocale(LC_NUMERIC, "C");
}

}  // namespace qm::bench
