// The volume bar, the channel buttons and mute, down to the sound the
// engine writes (ao=pcm into a WAV file).
#include <gtest/gtest.h>

#include "integration/player_rig.h"
#include "integration/slider_points.h"
#include "support/event_wait.h"
#include "support/media_files.h"
#include "support/sound_levels.h"
#include "support/temp_dir.h"
#include "support/x_tools.h"

namespace qm::integration {
namespace {

using namespace live;
namespace ps = play_state;

TEST(VolumeBar, DraggedRightwardsRaisesTheEngineVolume) {
  int releases = 0;  // outlives the rig, whose bar counts into it
  PlayerRig rig;
  ASSERT_TRUE(rig.start());
  tVate& bar = rig.form().volume;
  bar.MouseUp.connect([&releases](int, int, double, double) { ++releases; });
  ASSERT_EQ(bar.Value(), 50);
  ASSERT_EQ(rig.media().volume(), 50);
  const double target = pixelAlong(bar, 0.85);
  const QPoint from = rig.screenPoint(bar, QPointF(thumbPixel(bar), middleRow(bar)));
  const QPoint to = rig.screenPoint(bar, QPointF(target, middleRow(bar)));
  ASSERT_TRUE(Pointer(40).drag(from, to, 6));
  ASSERT_TRUE(pumpUntil([&] { return releases > 0; }, 10000));
  EXPECT_GT(bar.Value(), 50);
  EXPECT_LT(bar.Value(), bar.Max());
  EXPECT_NEAR(thumbPixel(bar), target, 1) << "the thumb stays under the pointer";
  EXPECT_EQ(rig.media().volume(), bar.Value());
}

// Plays a stereo tone from the list through a player whose video engine
// writes its sound to `wav`, after `prepare` ran on the started player.
void playToneInto(const std::string& wav, const std::function<void(PlayerRig&)>& prepare) {
  PlayerRig::Options options;
  options.media = {{"ao", "pcm"}, {"ao-pcm-file", wav}};
  PlayerRig rig(options);
  const std::string folder = rig.folder("tone");
  ASSERT_FALSE(makeTone(folder + "/tone.wav", 2).empty());
  rig.rememberListFolder(folder);
  ASSERT_TRUE(rig.start());
  prepare(rig);
  rig.form().File1.setListIndex(0);
  ASSERT_TRUE(pumpUntil([&] { return rig.media().playState() == ps::Stopped; }, 10000));
}  // the WAV is complete once the engine is gone

TEST(Channels, TheLeftChannelButtonSilencesTheRightSide) {
  test::TempDir out;
  const std::string wav = out.path() + "/left.wav";
  playToneInto(wav, [](PlayerRig& rig) {
    const QRect button = rig.screenRect(rig.form().Image42);
    ASSERT_TRUE(Pointer(60).click(button.center()));
    EXPECT_EQ(rig.media().balance(), -100);
  });
  const auto levels = channelRmsDb(wav);
  ASSERT_EQ(levels.size(), 2u);
  EXPECT_GT(levels[0], kAudibleDb);
  EXPECT_LT(levels[1], kSilentDb);
}

TEST(Channels, MuteSilencesBothSides) {
  test::TempDir out;
  const std::string wav = out.path() + "/mute.wav";
  playToneInto(wav, [](PlayerRig& rig) { rig.form().BUT9C.Click.raise(); });
  const auto levels = channelRmsDb(wav);
  ASSERT_EQ(levels.size(), 2u);
  EXPECT_LT(levels[0], kSilentDb);
  EXPECT_LT(levels[1], kSilentDb);
}

}  // namespace
}  // namespace qm::integration
