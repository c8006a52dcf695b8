// Window states carried out by a real window manager reach the layout once,
// with the size that goes with them.
#include <gtest/gtest.h>

#include <vector>

#include "forms/form1_geometry.h"
#include "integration/player_rig.h"
#include "support/event_wait.h"
#include "support/virtual_display.h"
#include "support/window_manager.h"

namespace qm::integration {
namespace {

using namespace live;

struct Size {
  Twips width, height;
  int state;
  bool operator==(const Size&) const = default;
};

TEST(WindowState, MaximiseAndRestoreLayOutOnceOnTheSizeThatHolds) {
  WindowManager manager;
  ASSERT_TRUE(manager.ok()) << manager.error();
  PlayerRig rig;
  rig.rememberListFolder(rig.folder("empty"));
  ASSERT_TRUE(rig.start());
  Form1& f = rig.form();
  const Size normal{f.width(), f.height(), Form::Normal};
  pumpFor(300);

  std::vector<Size> layouts;
  f.Resize.connect([&] { layouts.push_back({f.width(), f.height(), f.windowState()}); });
  rig.player().context.windows.setWindowState(f, Form::Maximized);
  ASSERT_TRUE(pumpUntil([&] { return f.windowState() == Form::Maximized; }, 3000));
  pumpFor(500);  // anything still on its way
  const Size screen{VirtualDisplay::kWidth * 15.0, VirtualDisplay::kHeight * 15.0, Form::Maximized};
  ASSERT_EQ(layouts.size(), 1u);
  EXPECT_EQ(layouts.front(), screen);
  EXPECT_EQ(f.Picture4.top(), screen.height - geometry::kBottomBarRise) << "the bottom bar sits on the screen's bottom";

  layouts.clear();
  rig.player().context.windows.setWindowState(f, Form::Normal);
  ASSERT_TRUE(pumpUntil([&] { return f.windowState() == Form::Normal; }, 3000));
  pumpFor(500);
  ASSERT_EQ(layouts.size(), 1u);
  EXPECT_EQ(layouts.front(), normal);
}

}  // namespace
}  // namespace qm::integration
