// The list plays on by itself: media files in order, wrapping to the first,
// and pictures as a slide show, on the real engine and the real clock.
#include <gtest/gtest.h>

#include "integration/player_rig.h"
#include "support/event_wait.h"
#include "support/media_files.h"

namespace qm::integration {
namespace {

using namespace live;

TEST(AutomaticAdvance, ClipsPlayInListOrderAndWrapToTheFirst) {
  PlayerRig rig;
  const std::string folder = rig.folder("clips");
  const std::vector<std::string> clips = {makeColourClip(folder + "/a.mp4", "red", 1),
                                          makeColourClip(folder + "/b.mp4", "green", 1),
                                          makeColourClip(folder + "/c.mp4", "blue", 1)};
  for (const std::string& clip : clips) ASSERT_FALSE(clip.empty());
  rig.rememberListFolder(folder);
  ASSERT_TRUE(rig.start());
  ASSERT_EQ(rig.form().File1.listCount(), 3);

  PlayLog log(rig.media());
  rig.form().File1.setListIndex(0);  // the user's only choice
  ASSERT_TRUE(pumpUntil([&] { return log.urls().size() >= 5; }, 60000))
      << "only " << log.urls().size() << " files played";
  const std::vector<std::string> expected = {clips[0], clips[1], clips[2], clips[0], clips[1]};
  const auto played = log.urls();
  EXPECT_EQ(std::vector<std::string>(played.begin(), played.begin() + 5), expected);
}

// How long each shows is the manual clock's business (tests/player); here
// that the real clock moves the show on, in order.
TEST(AutomaticAdvance, PicturesFollowEachOtherInListOrder) {
  PlayerRig rig;
  const std::string folder = rig.folder("pictures");
  const std::vector<std::string> pictures = {makeSolidPicture(folder + "/1.png", "red"),
                                             makeSolidPicture(folder + "/2.png", "green"),
                                             makeSolidPicture(folder + "/3.png", "blue")};
  for (const std::string& picture : pictures) ASSERT_FALSE(picture.empty());
  rig.rememberListFolder(folder);
  ASSERT_TRUE(rig.start());
  rig.form().File1.setPattern("*.png");
  ASSERT_EQ(rig.form().File1.listCount(), 3);

  PlayLog log(rig.media());
  rig.form().File1.setListIndex(0);
  ASSERT_TRUE(pumpUntil([&] { return log.urls().size() >= 3; }, 60000))
      << "only " << log.urls().size() << " pictures shown";
  const auto shown = log.urls();
  EXPECT_EQ(std::vector<std::string>(shown.begin(), shown.begin() + 3), pictures);
}

}  // namespace
}  // namespace qm::integration
