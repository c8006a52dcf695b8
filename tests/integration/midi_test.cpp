// A MIDI file chosen in the list plays through the media engine.
#include <gtest/gtest.h>

#include "integration/player_rig.h"
#include "support/event_wait.h"
#include "support/media_files.h"

namespace qm::integration {
namespace {

using namespace live;
namespace ps = play_state;

TEST(Midi, AMidiFileFromTheListPlaysWithItsLength) {
  PlayerRig rig;
  const std::string folder = rig.folder("midi");
  const std::string tune = writeShortMidi(folder + "/tune.mid");
  ASSERT_FALSE(tune.empty());
  rig.rememberListFolder(folder);
  ASSERT_TRUE(rig.start());
  ASSERT_EQ(rig.form().File1.listCount(), 1);
  rig.form().File1.setListIndex(0);
  ASSERT_TRUE(pumpUntil([&] { return rig.media().playState() == ps::Playing; }, 10000));
  EXPECT_EQ(rig.media().URL(), tune);
  // One note of a second, and the sound font's release after it.
  EXPECT_GT(rig.media().duration(), 0.9);
  EXPECT_LT(rig.media().duration(), 4.0);
  EXPECT_TRUE(pumpUntil([&] { return rig.form().Label2.caption() == "/" + rig.media().durationString(); }, 1000));
}

}  // namespace
}  // namespace qm::integration
