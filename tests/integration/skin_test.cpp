// The bottom bar as the X server shows it: both sliders drawn from their
// skin strips.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QImage>
#include <QWidget>
#include <set>

#include "integration/player_rig.h"
#include "support/event_wait.h"
#include "support/image_checks.h"
#include "support/x_tools.h"

namespace qm::integration {
namespace {

using namespace live;

// Share of the picture's pixels close to some colour of the strip.
double shareInStripColours(const QImage& shot, const QImage& strip) {
  std::set<QRgb> colours;
  for (int y = 0; y < strip.height(); ++y)
    for (int x = 0; x < strip.width(); ++x)
      if (qAlpha(strip.pixel(x, y)) == 255 && (strip.pixel(x, y) & 0xFFFFFF) != 0xFF00FF)
        colours.insert(strip.pixel(x, y));
  long hits = 0;
  for (int y = 0; y < shot.height(); ++y)
    for (int x = 0; x < shot.width(); ++x) {
      const QRgb p = shot.pixel(x, y);
      for (QRgb c : colours)
        if (std::abs(qRed(p) - qRed(c)) <= 12 && std::abs(qGreen(p) - qGreen(c)) <= 12 &&
            std::abs(qBlue(p) - qBlue(c)) <= 12) {
          ++hits;
          break;
        }
    }
  return double(hits) / (double(shot.width()) * shot.height());
}

int distinctColours(const QImage& image) {
  std::set<QRgb> seen;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) seen.insert(image.pixel(x, y));
  return static_cast<int>(seen.size());
}

TEST(BottomBar, BothSlidersShowTheirSkinStrips) {
  PlayerRig rig;
  rig.rememberListFolder(rig.folder("start"));  // a later start: the window as the user left it
  ASSERT_TRUE(rig.start());
  // The first run's association dialog stands in front of the window; this
  // test looks at the window itself.
  rig.player().Form4.unload();
  pumpFor(300);  // the first paint
  const struct {
    tVate* bar;
    const char* strip;
  } bars[] = {{&rig.form().tVate1, "seek_strip"}, {&rig.form().volume, "volume_strip"}};
  for (const auto& b : bars) {
    SCOPED_TRACE(b.strip);
    const QImage strip(QString(QM_SOURCE_DIR "/assets/skin/%1.png").arg(b.strip));
    ASSERT_FALSE(strip.isNull());
    const QRect area = rig.screenRect(*b.bar);
    ASSERT_FALSE(area.isEmpty());
    const QImage shot = grabScreen(area);
    ASSERT_EQ(shot.size(), area.size());
    EXPECT_GT(shareInStripColours(shot, strip), 0.9);
    EXPECT_GT(distinctColours(shot), 3) << "a flat bar";
    // Both stand-ins are flat, exact colours; the strips' own dark greys
    // come close to the second one but never hit it.
    EXPECT_LT(shareNear(shot, QColor(0x80, 0x80, 0x80), 0), 0.2) << "the missing-skin grey";
    EXPECT_LT(shareNear(shot, QColor(0x30, 0x30, 0x30), 0), 0.2) << "the slider's bare background";
    // The screen shows what the slider drew.
    EXPECT_LT(changedShare(shot, b.bar->surface().convertToFormat(QImage::Format_RGB32), 8), 0.02);
  }
}

// Assistive technology finds the skin's buttons by their names and presses
// them as the mouse does.
TEST(SkinButtons, AreButtonsThatAssistiveTechnologyPresses) {
  PlayerRig rig;
  ASSERT_TRUE(rig.start());
  QWidget* play = rig.desktop().widgetOf(rig.form().Image3);
  ASSERT_TRUE(play);
  QAccessibleInterface* button = QAccessible::queryAccessibleInterface(play);
  ASSERT_TRUE(button);
  EXPECT_EQ(button->role(), QAccessible::Button);
  EXPECT_EQ(button->text(QAccessible::Name), QStringLiteral("播放"));
  ASSERT_TRUE(button->actionInterface());
  int clicks = 0;
  rig.form().Image3.Click.connect([&clicks] { ++clicks; });
  button->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
  EXPECT_EQ(clicks, 1);
}

}  // namespace
}  // namespace qm::integration
