// Video frames drawn on the CPU, and the view that paints them and turns the
// mouse into the media player control's events.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>
#include <memory>
#include <tuple>

#include "forms/content_controls.h"
#include "mpv_test_support.h"
#include "platform/mpv/media_view.h"
#include "platform/mpv/mpv_engine.h"
#include "platform/mpv/picture_decode_scale.h"

namespace qm {
namespace {

using test::Media;
using test::nonBlackShare;
using test::pumpUntil;
namespace ps = play_state;

MpvEngine::Options silent() { return {{"ao", "null"}}; }

bool isBlack(QRgb p) { return qRed(p) + qGreen(p) + qBlue(p) < 30; }

// Format_RGB32 promises 0xff in every pixel's top byte, which QImage::pixel
// hides; Qt's scaled drawing reads it as alpha.
bool opaqueEverywhere(const QImage& frame) {
  for (int y = 0; y < frame.height(); ++y) {
    const auto* line = reinterpret_cast<const quint32*>(frame.constScanLine(y));
    for (int x = 0; x < frame.width(); ++x)
      if (line[x] >> 24 != 0xff) return false;
  }
  return true;
}

TEST(MpvVideo, FramesOfAVideoArriveAtItsOwnSizeUntilAViewSetsOne) {
  MpvEngine engine(MpvEngine::Video::Shown, silent());
  ASSERT_TRUE(engine.hasVideo());
  int frames = 0;
  engine.frameChanged.connect([&] { ++frames; });
  ASSERT_TRUE(engine.setURL(Media::get().shortClip()));
  // The test pattern is colourful almost everywhere. (The very first frame
  // may come before libmpv told the video's size.)
  ASSERT_TRUE(
      pumpUntil([&] { return engine.frame().size() == QSize(160, 120) && nonBlackShare(engine.frame()) > 0.5; }));
  ASSERT_TRUE(pumpUntil([&] { return frames > 10; }));  // it keeps coming at the video's rate

  // A wider view: the 4:3 picture sits in the middle with black bars.
  engine.setFrameSize(QSize(320, 120));
  ASSERT_TRUE(
      pumpUntil([&] { return engine.frame().size() == QSize(320, 120) && nonBlackShare(engine.frame()) > 0.3; }));
  const QImage wide = engine.frame().copy();
  EXPECT_TRUE(isBlack(wide.pixel(10, 60)));
  EXPECT_TRUE(isBlack(wide.pixel(309, 60)));
  EXPECT_FALSE(isBlack(wide.pixel(160, 60)));
  EXPECT_TRUE(opaqueEverywhere(wide));

  // Once the file is over, nothing of it is left on the screen.
  ASSERT_TRUE(pumpUntil([&] { return engine.playState() == ps::Stopped; }));
  EXPECT_EQ(nonBlackShare(engine.frame()), 0);
}

// Sound without pictures leaves nothing of the video opened before it.
// Whether libmpv draws the video's last frame again while the sound file
// starts depends on timing, so the change is made a few times.
TEST(MpvVideo, AnAudioFileAfterAVideoShowsNoPicture) {
  MpvEngine engine(MpvEngine::Video::Shown, silent());
  engine.setFrameSize(QSize(160, 120));
  for (int round = 0; round < 3; ++round) {
    ASSERT_TRUE(engine.setURL(Media::get().longClip()));
    ASSERT_TRUE(pumpUntil([&] { return engine.currentPosition() > 0.5 && nonBlackShare(engine.frame()) > 0.5; }));
    ASSERT_TRUE(engine.setURL(Media::get().longStereoTone()));
    ASSERT_TRUE(pumpUntil([&] { return engine.currentPosition() > 0.5; }));
    EXPECT_EQ(nonBlackShare(engine.frame()), 0) << "round " << round;
  }
}

TEST(MpvVideo, AStillPictureIsDrawnAgainAtANewSizeAndClosingBlanksIt) {
  MpvEngine engine(MpvEngine::Video::Shown, silent());
  ASSERT_TRUE(engine.setURL(Media::get().stillPicture()));
  ASSERT_TRUE(pumpUntil([&] { return nonBlackShare(engine.frame()) > 0.5; }));
  // A picture sends no more frames; a resize must still show it.
  engine.setFrameSize(QSize(240, 180));
  EXPECT_EQ(engine.frame().size(), QSize(240, 180));
  ASSERT_TRUE(pumpUntil([&] { return nonBlackShare(engine.frame()) > 0.5; }, 3000));
  engine.close();
  EXPECT_EQ(nonBlackShare(engine.frame()), 0);
}

// Frames come at the decoded size while no view sets one: a JPEG far wider
// than any screen is decoded at a reduced size, one within bounds at its own;
// a PNG, which has no reduced decoding, reaches libmpv averaged down by a
// whole factor, its transparency laid over black.
TEST(MpvVideo, AHugeJpegOrPngIsDecodedAtAReducedSize) {
  MpvEngine engine(MpvEngine::Video::Shown, silent());
  QImage wide(kSharpPictureSide * 4 + 64, 16, QImage::Format_RGB32);
  wide.fill(QColor(200, 60, 60));
  QImage small(160, 120, QImage::Format_RGB32);
  small.fill(QColor(60, 200, 60));
  QImage widePng(kSharpPictureSide * 3 + 5, 16, QImage::Format_ARGB32);
  widePng.fill(QColor(60, 60, 200, 128));
  const std::string dir = Media::get().dir();
  const std::string jpeg = dir + "/wide.jpg", smallJpeg = dir + "/small.jpg", png = dir + "/wide.png";
  ASSERT_TRUE(wide.save(QString::fromStdString(jpeg), "JPEG"));
  ASSERT_TRUE(small.save(QString::fromStdString(smallJpeg), "JPEG"));
  ASSERT_TRUE(widePng.save(QString::fromStdString(png), "PNG"));
  // The last one also shows that the reductions held for their file only.
  for (const auto& [path, size] :
       {std::pair{smallJpeg, small.size()}, std::pair{jpeg, QSize(wide.width() / 4, 4)},
        std::pair{png, QSize(kSharpPictureSide + 2, 6)}, std::pair{smallJpeg, small.size()}}) {
    ASSERT_TRUE(engine.setURL(path));
    ASSERT_TRUE(pumpUntil([&] { return engine.frame().size() == size && nonBlackShare(engine.frame()) > 0.5; }))
        << path << " came at " << engine.frame().width() << "x" << engine.frame().height();
    if (path == png)  // inside, and the last box, which holds fewer pixels
      for (const QPoint at : {QPoint(100, 3), QPoint(size.width() - 1, size.height() - 1)}) {
        const QColor shown = engine.frame().pixelColor(at);
        EXPECT_NEAR(shown.red(), 30, 3);
        EXPECT_NEAR(shown.blue(), 100, 3);
      }
  }
}

TEST(MpvVideo, TheHiddenEngineDrawsNoVideo) {
  MpvEngine engine(MpvEngine::Video::None, silent());
  EXPECT_FALSE(engine.hasVideo());
  EXPECT_TRUE(engine.frame().isNull());
}

// A control with its engine and view, as the window builds them.
struct Screen {
  Screen() {
    auto owned = std::make_unique<MpvEngine>(MpvEngine::Video::Shown, silent());
    engine = owned.get();
    control = std::make_unique<MediaPlayer>("WindowsMediaPlayer1", nullptr, std::move(owned));
    view = std::make_unique<MediaView>(*control, *engine, nullptr);
    view->resize(200, 100);
    view->show();
    control->MouseDown.connect([this](int b, int s, double x, double y) { log.push_back({'D', b, s, x, y}); });
    control->MouseUp.connect([this](int b, int s, double x, double y) { log.push_back({'U', b, s, x, y}); });
    control->MouseMove.connect([this](int b, int s, double x, double y) { log.push_back({'M', b, s, x, y}); });
    control->Click.connect([this] { log.push_back({'C', 0, 0, 0, 0}); });
    control->DblClick.connect([this] { log.push_back({'2', 0, 0, 0, 0}); });
  }
  void send(QEvent::Type type, QPointF at, Qt::MouseButton button, Qt::MouseButtons held,
            Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QMouseEvent event(type, at, view->mapToGlobal(at), button, held, modifiers);
    QApplication::sendEvent(view.get(), &event);
  }
  void click(QPointF at, Qt::MouseButton button, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    send(QEvent::MouseButtonPress, at, button, button, modifiers);
    send(QEvent::MouseButtonRelease, at, button, Qt::NoButton, modifiers);
  }

  using Entry = std::tuple<char, int, int, double, double>;
  std::vector<Entry> log;
  MpvEngine* engine = nullptr;
  std::unique_ptr<MediaPlayer> control;
  std::unique_ptr<MediaView> view;
};

TEST(MpvVideo, TheViewPaintsTheFrameFittedOnBlack) {
  Screen screen;
  ASSERT_TRUE(screen.engine->setURL(Media::get().stillPicture()));
  // The view asks for frames at its own size: 200x100 holds a 4:3 picture
  // as 133x100 in the middle.
  ASSERT_TRUE(pumpUntil([&] { return nonBlackShare(screen.engine->frame()) > 0.5; }));
  EXPECT_EQ(screen.engine->frame().size(), QSize(200, 100));
  const QImage shot = screen.view->grab().toImage();
  ASSERT_EQ(shot.size(), QSize(200, 100));
  EXPECT_TRUE(isBlack(shot.pixel(5, 50)));
  EXPECT_TRUE(isBlack(shot.pixel(194, 50)));
  EXPECT_FALSE(isBlack(shot.pixel(100, 50)));
}

TEST(MpvVideo, TheViewTurnsTheMouseIntoControlEvents) {
  Screen screen;
  using E = Screen::Entry;

  screen.click(QPointF(10, 20), Qt::LeftButton, Qt::ShiftModifier);
  EXPECT_EQ(screen.log, (std::vector<E>{{'D', 1, 1, 10, 20}, {'U', 1, 1, 10, 20}, {'C', 0, 0, 0, 0}}));

  // The right button is for the popup menu: no Click.
  screen.log.clear();
  screen.click(QPointF(30, 40), Qt::RightButton, Qt::ControlModifier | Qt::AltModifier);
  EXPECT_EQ(screen.log, (std::vector<E>{{'D', 2, 6, 30, 40}, {'U', 2, 6, 30, 40}}));

  // Released outside the view: no Click.
  screen.log.clear();
  screen.send(QEvent::MouseButtonPress, QPointF(5, 5), Qt::LeftButton, Qt::LeftButton);
  screen.send(QEvent::MouseMove, QPointF(250, 5), Qt::NoButton, Qt::LeftButton);
  screen.send(QEvent::MouseButtonRelease, QPointF(250, 5), Qt::LeftButton, Qt::NoButton);
  EXPECT_EQ(screen.log, (std::vector<E>{{'D', 1, 0, 5, 5}, {'M', 1, 0, 250, 5}, {'U', 1, 0, 250, 5}}));

  // A double click: one Click for the first press, DblClick for the second.
  screen.log.clear();
  screen.click(QPointF(50, 50), Qt::LeftButton);
  screen.send(QEvent::MouseButtonDblClick, QPointF(50, 50), Qt::LeftButton, Qt::LeftButton);
  screen.send(QEvent::MouseButtonRelease, QPointF(50, 50), Qt::LeftButton, Qt::NoButton);
  EXPECT_EQ(screen.log,
            (std::vector<E>{
                {'D', 1, 0, 50, 50}, {'U', 1, 0, 50, 50}, {'C', 0, 0, 0, 0}, {'2', 0, 0, 0, 0}, {'U', 1, 0, 50, 50}}));

  // When the pair's first press fell elsewhere (a list row whose open hid the
  // list over the view, so the pointer left the view), the second press is a
  // plain press and a Click, not a DblClick.
  screen.log.clear();
  QEvent leave(QEvent::Leave);
  QApplication::sendEvent(screen.view.get(), &leave);
  screen.send(QEvent::MouseButtonDblClick, QPointF(50, 50), Qt::LeftButton, Qt::LeftButton);
  screen.send(QEvent::MouseButtonRelease, QPointF(50, 50), Qt::LeftButton, Qt::NoButton);
  EXPECT_EQ(screen.log, (std::vector<E>{{'D', 1, 0, 50, 50}, {'U', 1, 0, 50, 50}, {'C', 0, 0, 0, 0}}));

  // Moves without a button report button 0 (the pointer-hiding rule uses them).
  screen.log.clear();
  screen.send(QEvent::MouseMove, QPointF(7, 8), Qt::NoButton, Qt::NoButton);
  EXPECT_EQ(screen.log, (std::vector<E>{{'M', 0, 0, 7, 8}}));

  // A disabled control takes no mouse input.
  screen.log.clear();
  screen.control->setEnabled(false);
  screen.click(QPointF(10, 20), Qt::LeftButton);
  EXPECT_TRUE(screen.log.empty());
}

}  // namespace
}  // namespace qm
