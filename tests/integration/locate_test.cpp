// Starting on a file of a large folder: the list locate walks the list,
// opening each entry on its way, and the named file must be what plays at
// the end (the engine takes a burst of opens and keeps the last one).
#include <gtest/gtest.h>

#include <fstream>

#include "integration/player_rig.h"
#include "support/event_wait.h"
#include "support/media_files.h"

namespace qm::integration {
namespace {

using namespace live;
namespace ps = play_state;

TEST(ListLocate, TheNamedFileOfALargeFolderPlaysAfterTheWalk) {
  PlayerRig rig;
  const std::string folder = rig.folder("large");
  // Sorted last, so the walk opens every other entry first.
  const std::string named = makeTestClip(folder + "/zz-named.mp4", 3);
  ASSERT_FALSE(named.empty());
  constexpr int kOthers = 600;
  for (int i = 0; i < kOthers; ++i) std::ofstream(folder + "/f" + std::to_string(1000 + i) + ".mp4") << "x";
  rig.rememberListFolder(folder);
  ASSERT_TRUE(rig.start(named));
  Form1& f = rig.form();
  ASSERT_EQ(f.File1.listCount(), kOthers + 1);

  // The walk runs once, 500 ms after the start.
  ASSERT_TRUE(pumpUntil([&] { return !f.Timer6.enabled(); }, 5000));
  EXPECT_EQ(f.File1.listIndex(), kOthers);
  EXPECT_EQ(rig.player().state.ListNum, kOthers);
  EXPECT_TRUE(pumpUntil([&] { return rig.media().playState() == ps::Playing; }, 5000))
      << "state " << rig.media().playState();
  EXPECT_EQ(rig.media().URL(), named);
  // And it keeps playing it: the end watch has nothing to move on from.
  pumpFor(1500);
  EXPECT_EQ(rig.media().URL(), named);
  EXPECT_EQ(f.File1.listIndex(), kOthers);
}

}  // namespace
}  // namespace qm::integration
