#include "platform/flash/native_movie_view.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>
#include <tuple>

#include "../swf/temp_folder.h"
#include "support/manual_clock.h"
#include "swf_writer/shape_writer.h"

namespace qm {
namespace {

using namespace swf_writer;

constexpr int kTwips = kTwipsPerPixel;
constexpr Color kRed{255, 0, 0}, kGreen{0, 255, 0}, kBlue{0, 0, 255}, kYellow{255, 255, 0}, kWhite{255, 255, 255};

// A 300 x 100 px stage on white. On the left a 100 px square cut along its
// diagonal into a red and a green triangle, its edges saved out of order.
// In the middle a blue lens under a curve, its straight top a 10 px yellow
// line with flat ends. Frame 2 moves the lens 50 px down; frame 3 takes it
// away. On the right a clip with red taken out, whose first frame shows the
// lens and whose second nothing, and under it two 50 x 40 px bitmaps: a
// red and a blue pixel side by side, and a cyan JPEG. Under the lens, text
// 20 px high of two square magenta glyphs, its baseline 90 px down. Frame
// 3 shows halfway a shape tween from a red rectangle 20 px wide to a blue
// one 40 px wide.
std::vector<uint8_t> testMovie() {
  constexpr int32_t kSide = 100 * kTwips;
  ShapeWriter square(1);
  square.solidFill(kRed)
      .solidFill(kGreen)
      .moveTo(kSide, kSide, 0, 2, 0)
      .lineTo(0, kSide)
      .moveTo(kSide, 0, 0, 1, 0)
      .lineTo(kSide, kSide)
      .moveTo(0, 0, 1, 2, 0)
      .lineTo(kSide, kSide)
      .moveTo(0, kSide, 0, 2, 0)
      .lineTo(0, 0)
      .moveTo(0, 0, 0, 1, 0)
      .lineTo(kSide, 0);
  ShapeWriter lens(2, true);
  lens.solidFill(kBlue)
      .line(10 * kTwips, kYellow)
      .moveTo(0, 0, 0, 1, 1)
      .lineTo(kSide, 0)
      .moveTo(kSide, 0, 0, 1, 0)
      .curveTo(kSide / 2, kSide, 0, 0);
  QImage cyan(8, 8, QImage::Format_RGB32);
  cyan.fill(QColor(0, 255, 255));
  QByteArray jpeg;
  QBuffer buffer(&jpeg);
  cyan.save(&buffer, "JPG");
  ShapeWriter twoPixels(6), photo(7);
  for (auto [shape, bitmap, scaleX, scaleY] :
       {std::tuple{&twoPixels, 4, 25 * kTwips, 40 * kTwips}, std::tuple{&photo, 5, 50 * kTwips / 8, 40 * kTwips / 8}})
    shape->bitmapFill(uint16_t(bitmap), scaleX, scaleY, bitmap == 5)
        .moveTo(0, 0, 0, 1, 0)
        .lineTo(50 * kTwips, 0)
        .lineTo(50 * kTwips, 40 * kTwips)
        .lineTo(0, 40 * kTwips)
        .lineTo(0, 0);
  ShapeWriter glyph(0);
  glyph.moveTo(0, -800, 0, 1, 0).lineTo(800, -800).lineTo(800, 0).lineTo(0, 0).lineTo(0, -800);
  constexpr Color kMagenta{255, 0, 255};
  SwfBuilder movie(8, 300, 100, 12);
  movie.fileAttributes()
      .backgroundColor(kWhite)
      .tag(tag::kDefineShape3, square.body())
      .tag(lens.tagCode(), lens.body())
      .tag(tag::kDefineSprite, spriteBody(3, {{tag::kPlaceObject2, placeObjectBody(2, 1, 0, 0)},
                                              {tag::kShowFrame, {}},
                                              {tag::kRemoveObject2, removeObjectBody(1)},
                                              {tag::kShowFrame, {}}}))
      .tag(tag::kDefineBitsLossless, losslessBitmapBody(4, 2, 1, {0xff0000, 0x0000ff}))
      .tag(tag::kDefineBitsJpeg2, jpegBitmapBody(5, std::vector<uint8_t>(jpeg.begin(), jpeg.end())))
      .tag(tag::kDefineShape3, twoPixels.body())
      .tag(tag::kDefineShape3, photo.body())
      .placeObject(1, 1, 0, 0)
      .placeObject(2, 2, 100, 0)
      .tag(tag::kDefineFont, fontBody(8, {glyph}))
      .tag(tag::kDefineText, textBody(9, 8, 20 * kTwips, kMagenta, 5 * kTwips, 0, {{0, 20 * kTwips}, {0, 0}}))
      .placeObject(9, 6, 100, 90)
      .placeObject(6, 4, 200, 60)
      .placeObject(7, 5, 250, 60)
      .tag(tag::kPlaceObject2, placeObjectBody(3, 3, 2 * kSide, 0, 0))
      .showFrame()
      .tag(tag::kPlaceObject2, moveObjectBody(2, kSide, kSide / 2))
      .showFrame()
      .tag(tag::kRemoveObject2, removeObjectBody(2))
      .tag(tag::kDefineMorphShape, morphRectangleBody(10, 20 * kTwips, 40 * kTwips, 10 * kTwips, kRed, kBlue))
      .tag(tag::kPlaceObject2, placeMorphBody(10, 7, 150 * kTwips, 55 * kTwips, 32768))
      .showFrame();
  return movie.build(Compression::kZlib);
}

// The colour as #rrggbb, which a failure prints readably.
std::string shownAt(const QImage& image, int x, int y) { return image.pixelColor(x, y).name().toStdString(); }

// A 600 x 100 view shows the 300 x 100 stage whole in the middle, or
// stretched to its width.
TEST(NativeMovieView, DrawsSharedEdgesCurvesOutlinesClipsAndEachFrameWhereTheScaleModePutsIt) {
  test::TempFolder folder;
  test::ManualClock clock;
  NativeMovieEngine engine(clock);
  ASSERT_TRUE(engine.setMovie(folder.write("shapes.swf", testMovie())));
  ASSERT_TRUE(engine.StopPlay());
  NativeMovieView view(engine, nullptr);
  view.resize(600, 100);
  view.refresh();

  QImage frame = view.grab().toImage();
  EXPECT_EQ(shownAt(frame, 50, 50), "#ffffff") << "the stage colour around the stage";
  EXPECT_EQ(shownAt(frame, 150 + 75, 25), "#ff0000") << "above the diagonal";
  EXPECT_EQ(shownAt(frame, 150 + 25, 75), "#00ff00") << "below it";
  EXPECT_EQ(shownAt(frame, 250 + 50, 40), "#0000ff") << "inside the curve";
  EXPECT_EQ(shownAt(frame, 250 + 35, 65), "#ffffff") << "outside the curve, inside its control point's corner";
  EXPECT_EQ(shownAt(frame, 250 + 50, 3), "#ffff00") << "the outline over the fill";
  EXPECT_EQ(shownAt(frame, 250 - 3, 2), "#ff0000") << "the outline's end is flat";
  EXPECT_EQ(shownAt(frame, 350 + 50, 40), "#0000ff") << "the clip's first frame";
  EXPECT_EQ(shownAt(frame, 350 + 50, 3), "#00ff00") << "yellow without its red";
  EXPECT_EQ(shownAt(frame, 350 + 10, 80), "#ff0000") << "a bitmap's first pixel, scaled up unsmoothed";
  EXPECT_EQ(shownAt(frame, 350 + 40, 80), "#0000ff");
  EXPECT_EQ(shownAt(frame, 250 + 12, 82), "#ff00ff") << "the first glyph";
  EXPECT_EQ(shownAt(frame, 250 + 22, 82), "#ffffff") << "between the glyphs";
  EXPECT_EQ(shownAt(frame, 250 + 32, 82), "#ff00ff") << "the second glyph, one advance on";
  EXPECT_EQ(shownAt(frame, 250 + 12, 72), "#ffffff") << "above the glyph: 800 of 1024 units of 20 px";
  const QColor photoShown = frame.pixelColor(400 + 25, 80);
  EXPECT_LE(std::abs(photoShown.red()) + std::abs(photoShown.green() - 255) + std::abs(photoShown.blue() - 255), 12)
      << "the JPEG decoded: " << photoShown.name().toStdString();

  // The clip plays on while the main timeline stands still.
  clock.advance(engine.frameInterval());
  EXPECT_EQ(shownAt(view.grab().toImage(), 350 + 50, 40), "#ffffff") << "the clip's second frame";

  ASSERT_TRUE(engine.GotoFrame(1));
  frame = view.grab().toImage();
  EXPECT_EQ(shownAt(frame, 250 + 50, 40), "#ffffff");
  EXPECT_EQ(shownAt(frame, 250 + 50, 90), "#0000ff") << "the lens moved down";
  EXPECT_EQ(shownAt(frame, 150 + 75, 25), "#ff0000") << "the square stays";

  ASSERT_TRUE(engine.GotoFrame(2));
  frame = view.grab().toImage();
  EXPECT_EQ(shownAt(frame, 250 + 50, 90), "#ffffff") << "the lens is gone";
  EXPECT_EQ(shownAt(frame, 300 + 25, 60), "#7f0080") << "the tween halfway: 30 px wide, half red, half blue";
  EXPECT_EQ(shownAt(frame, 300 + 35, 60), "#ffffff");

  ASSERT_TRUE(engine.setScaleMode(2));
  view.refresh();
  frame = view.grab().toImage();
  EXPECT_EQ(shownAt(frame, 2 * 75, 25), "#ff0000") << "exact fit stretches the stage over the view";
  EXPECT_EQ(shownAt(frame, 2 * 25, 75), "#00ff00");
}

// The usual hand-made movie: an intro, then a stop() on a frame that places
// a looping clip. The clip plays on while the main timeline stands there;
// beside it, a clip whose own stop() holds it on its second frame, seen
// through a mask over its left half.
TEST(NativeMovieView, AClipPlacedOnTheFrameWhereTheMovieStopsPlaysOn) {
  ShapeWriter square(1);
  square.solidFill(kBlue).moveTo(0, 0, 0, 1, 0).lineTo(400, 0).lineTo(400, 400).lineTo(0, 400).lineTo(0, 0);
  ShapeWriter leftHalf(4);
  leftHalf.solidFill(kRed).moveTo(400, 0, 0, 1, 0).lineTo(600, 0).lineTo(600, 400).lineTo(400, 400).lineTo(400, 0);
  auto blinking = [](uint16_t id, std::vector<uint8_t> secondFrameScript) {
    std::vector<std::pair<uint16_t, std::vector<uint8_t>>> tags = {{tag::kPlaceObject2, placeObjectBody(1, 1, 0, 0)},
                                                                   {tag::kShowFrame, {}},
                                                                   {tag::kRemoveObject2, removeObjectBody(1)}};
    if (!secondFrameScript.empty()) tags.push_back({tag::kDoAction, secondFrameScript});
    tags.push_back({tag::kShowFrame, {}});
    return spriteBody(id, tags);
  };
  SwfBuilder movie(8, 40, 20, 10);
  movie.backgroundColor(kWhite)
      .tag(tag::kDefineShape3, square.body())
      .tag(tag::kDefineSprite, blinking(2, {}))
      .tag(tag::kDefineSprite, blinking(3, ActionBuilder().stop().bytes()))
      .tag(tag::kDefineShape3, leftHalf.body())
      .showFrame()
      .placeObject(2, 1, 0, 0)
      .tag(tag::kPlaceObject2, {0x42, 2, 0, 4, 0, 3, 0})  // the mask, over depth 3
      .placeObject(3, 3, 20, 0)
      .doAction(ActionBuilder().stop())
      .showFrame();
  test::TempFolder folder;
  test::ManualClock clock;
  NativeMovieEngine engine(clock);
  ASSERT_TRUE(engine.setMovie(folder.write("intro.swf", movie.build(Compression::kNone))));
  EXPECT_TRUE(engine.drawing()->clipsChange) << "the view wakes for its clips";
  NativeMovieView view(engine, nullptr);
  view.resize(40, 20);
  view.refresh();
  std::vector<std::string> looping, stopping, masked;
  for (int i = 0; i < 4; ++i) {
    clock.advance(engine.frameInterval());
    const QImage frame = view.grab().toImage();
    looping.push_back(shownAt(frame, 10, 10));
    stopping.push_back(shownAt(frame, 25, 10));
    masked.push_back(shownAt(frame, 35, 10));
  }
  EXPECT_FALSE(engine.IsPlaying());
  EXPECT_EQ(looping, (std::vector<std::string>{"#0000ff", "#ffffff", "#0000ff", "#ffffff"}));
  EXPECT_EQ(stopping, (std::vector<std::string>{"#0000ff", "#ffffff", "#ffffff", "#ffffff"}));
  EXPECT_EQ(masked, std::vector<std::string>(4, "#ffffff"));
}

}  // namespace
}  // namespace qm
