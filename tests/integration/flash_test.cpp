// Flash entries on the real engines: a movie of ours in the Flash runtime,
// its frames in the time display and the seek bar moving its timeline; .flv
// files through the player movie, its labels, its seek and its move on to
// the next entry.
#include <gtest/gtest.h>
#include <signal.h>

#include <QWebEnginePage>
#include <QWebEngineView>
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <regex>

#include "integration/player_rig.h"
#include "integration/slider_points.h"
#include "platform/swf/swf_builder.h"
#include "support/event_wait.h"
#include "support/image_checks.h"
#include "support/window_manager.h"
#include "support/x_tools.h"
#include "swf_writer/own_movies.h"

namespace qm::integration {
namespace {

using namespace live;

bool writeFile(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
  return bool(out.flush());
}

// A clip of test pictures and a tone, H.264 and AAC, in the container its
// name's extension gives (.flv, .mp4).
bool makeClip(const std::string& path, int seconds) {
  const std::string command = "ffmpeg -loglevel error -y -f lavfi -i testsrc=duration=" + std::to_string(seconds) +
                              ":size=160x120:rate=25 -f lavfi -i sine=duration=" + std::to_string(seconds) +
                              " -c:v libx264 -pix_fmt yuv420p -c:a aac '" + path + "'";
  return std::system(command.c_str()) == 0;
}

std::optional<long> shownFrame(const Form1& f) {
  std::smatch match;
  const std::string text = f.Label1.caption();
  if (!std::regex_match(text, match, std::regex(R"((\d+)/100)"))) return std::nullopt;
  return std::stol(match[1]);
}

// Starts the player on `folder` and plays its first entry, a movie for
// Ruffle, until its frames count.
::testing::AssertionResult playFirstMovie(PlayerRig& rig, const std::string& folder) {
  rig.rememberListFolder(folder);
  if (!rig.start()) return ::testing::AssertionFailure() << "the player did not start";
  Form1& f = rig.form();
  f.File1.setListIndex(0);
  if (!pumpUntil([&] { return shownFrame(f).value_or(0) > 3; }, 20000))
    return ::testing::AssertionFailure() << "no frames: " << f.Label1.caption();
  return ::testing::AssertionSuccess();
}

// The process of the page Ruffle runs in; 0 without one.
qint64 rufflePageProcess(PlayerRig& rig) {
  auto* view = rig.flash().ruffle() ? qobject_cast<QWebEngineView*>(rig.flash().ruffle()->view()) : nullptr;
  return view ? view->page()->renderProcessPid() : 0;
}

// Runs the event loop until Ruffle's page has reported the movie's frame
// `ticks` times more: a movie that plays moves on within a few of them.
bool waitForPageTicks(QWebEnginePage& page, int ticks) {
  page.runJavaScript(
      "qm.ticks = 0; if (!qm.counted) { qm.counted = true; const call = qm.callHost; qm.callHost = "
      "(name, ...a) => { if (name === 'qmState') ++qm.ticks; return call(name, ...a); }; }");
  auto seen = std::make_shared<int>(0);  // an answer may come after a timeout
  auto ask = [&] { page.runJavaScript("qm.ticks", [seen](const QVariant& v) { *seen = v.toInt(); }); };
  return pumpUntil([&] { return ask(), *seen >= ticks; }, 20000);
}

TEST(FlashMovie, FramesShowInTheTimeDisplayAndTheSeekBarMovesTheTimeline) {
  PlayerRig rig;
  const std::string folder = rig.folder("movies");
  ASSERT_TRUE(writeFile(folder + "/count.swf", swf_writer::countingMovie()));
  rig.rememberListFolder(folder);
  ASSERT_TRUE(rig.start());
  Form1& f = rig.form();
  f.File1.setListIndex(0);

  // The runtime starts on this first movie and the frames count up.
  ASSERT_TRUE(pumpUntil([&] { return shownFrame(f).value_or(0) > 3; }, 20000)) << f.Label1.caption();
  EXPECT_EQ(f.Label2.caption(), "/" + std::to_string(f.tVate1.Value()) + "%");

  tVate& bar = f.tVate1;
  const QPoint from = rig.screenPoint(bar, QPointF(thumbPixel(bar), middleRow(bar)));
  const QPoint to = rig.screenPoint(bar, QPointF(pixelAlong(bar, 0.3), middleRow(bar)));
  Pointer pointer(40);
  ASSERT_TRUE(pointer.moveTo(from));
  ASSERT_TRUE(pointer.press());
  for (int step = 1; step <= 6; ++step) ASSERT_TRUE(pointer.moveTo(from + (to - from) * step / 6));
  // Each drag step seeks to the value of the step before: one more step
  // seeks to where the thumb is.
  ASSERT_TRUE(pointer.moveTo(to + QPoint(1, 0)));
  const int thumb = bar.Value();
  ASSERT_GT(thumb, 10);
  // Held: the timeline goes to the thumb's frame and waits there.
  ASSERT_TRUE(pumpUntil([&] { return std::abs(rig.flash().FrameNum().value_or(-9) - thumb) <= 1; }, 10000))
      << rig.flash().FrameNum().value_or(-1) << " for " << thumb;
  const long held = rig.flash().FrameNum().value_or(-1);
  auto* view = qobject_cast<QWebEngineView*>(rig.flash().ruffle()->view());
  ASSERT_TRUE(view && waitForPageTicks(*view->page(), 12));
  EXPECT_EQ(rig.flash().FrameNum(), held);
  ASSERT_TRUE(pointer.release());
  // Released: it plays on from there, never showing a frame before it.
  long lowest = held;
  EXPECT_TRUE(pumpUntil(
      [&] {
        const long frame = rig.flash().FrameNum().value_or(held);
        lowest = std::min(lowest, frame);
        return frame > held + 1;
      },
      10000));
  EXPECT_GE(lowest, held - 1);
}

// While Ruffle starts, the movie's first frame, drawn by the player, stands
// in for it; once Ruffle runs, its own frames show, the second covering the
// first in orange. Ruffle (its module and web engine) starts only once that
// frame is painted, since its start holds the program's thread.
TEST(FlashMovie, AMoviesFirstFrameStandsInUntilRuffleRunsIt) {
  PlayerRig rig;
  const std::string folder = rig.folder("movies");
  swf_writer::SwfBuilder movie(8, 40, 30, 12);
  movie.backgroundColor({0, 0, 0}).defineRectangle(1, 40, 30, {0x30, 0x90, 0xe0}).placeObject(1, 1, 0, 0);
  movie.defineRectangle(2, 40, 30, {0xe0, 0x80, 0x30}).doAction(swf_writer::ActionBuilder().assign("a", "1"));
  movie.showFrame().placeObject(2, 2, 0, 0);
  for (int i = 0; i < 20; ++i) movie.showFrame();
  ASSERT_TRUE(writeFile(folder + "/a.swf", movie.build(swf_writer::Compression::kNone)));
  rig.rememberListFolder(folder);
  ASSERT_TRUE(rig.start());
  Form1& f = rig.form();
  f.File1.setListIndex(0);
  EXPECT_EQ(rig.flash().ruffle(), nullptr);
  EXPECT_EQ(rig.flash().TotalFrames(), 21) << "as the movie's header says, until Ruffle tells";
  auto shows = [&](QColor colour) {
    return shareNear(grabScreen(rig.screenRect(f.ShockwaveFlash1)), colour, 12) > 0.5;
  };
  EXPECT_TRUE(pumpUntil([&] { return shows(QColor(0x30, 0x90, 0xe0)); }, 10000));
  EXPECT_TRUE(pumpUntil([&] { return shows(QColor(0xe0, 0x80, 0x30)); }, 20000)) << "Ruffle's frames never showed";
}

// Without the Flash runtime's files nothing plays, not even the first frame
// drawn to stand in: the end watch moves on.
TEST(FlashMovie, WithoutTheRuntimeAMovieForItDoesNotPlay) {
  PlayerRig::Options options;
  options.ruffleFolder = "/nonexistent";
  PlayerRig rig(options);
  const std::string folder = rig.folder("movies");
  ASSERT_TRUE(writeFile(folder + "/count.swf", swf_writer::countingMovie()));
  rig.rememberListFolder(folder);
  ASSERT_TRUE(rig.start());
  rig.form().File1.setListIndex(0);
  EXPECT_FALSE(rig.flash().IsPlaying());
  EXPECT_FALSE(rig.flash().TotalFrames());
}

// A movie of shapes alone is drawn by the player itself: it shows as soon as
// it opens, its frames count, and no web engine starts for it.
TEST(FlashMovie, AMovieOfShapesShowsWithoutTheWebEngine) {
  PlayerRig rig;
  const std::string folder = rig.folder("movies");
  ASSERT_TRUE(writeFile(folder + "/drawn.swf", swf_writer::drawnMovie()));
  rig.rememberListFolder(folder);
  ASSERT_TRUE(rig.start());
  Form1& f = rig.form();
  f.File1.setListIndex(0);
  QImage shot;
  ASSERT_TRUE(pumpUntil(
      [&] {
        shot = grabScreen(rig.screenRect(f.ShockwaveFlash1));
        return shareNear(shot, QColor::fromRgb(swf_writer::kCountingBlue), 10) > 0.1;
      },
      10000))
      << "the movie did not show";
  if (const char* shots = std::getenv("QM_SHOT_DIR")) shot.save(QString(shots) + "/drawn_movie.png");
  // The rectangle over the middle quarter of the stage, the whole stage
  // shown and black around it.
  EXPECT_LT(shareNear(shot, QColor::fromRgb(swf_writer::kCountingBlue), 10), 0.26);
  EXPECT_GT(shareNear(shot, Qt::black, 10), 0.6);
  EXPECT_TRUE(pumpUntil([&] { return shownFrame(f).value_or(0) > 3; }, 10000)) << f.Label1.caption();
  EXPECT_EQ(rig.flash().ruffle(), nullptr);
  EXPECT_EQ(rufflePageProcess(rig), 0);
}

// A drawn movie that stops on its last frame has ended: the list moves on.
// A still of one frame has no end: it stays while the end watch ticks.
TEST(FlashMovie, ADrawnMovieThatStopsAtItsEndMovesOnAndAStillStays) {
  PlayerRig rig;
  const std::string folder = rig.folder("movies");
  auto movie = [](int frames, bool stopAtEnd) {
    swf_writer::SwfBuilder builder(8, 40, 30, 12);
    builder.backgroundColor({0, 0, 0}).defineRectangle(1, 20, 15, {0x30, 0x90, 0xe0}).placeObject(1, 1, 10, 8);
    for (int i = 0; i < frames; ++i) {
      if (stopAtEnd && i == frames - 1) builder.doAction(swf_writer::ActionBuilder().stop());
      builder.showFrame();
    }
    return builder.build(swf_writer::Compression::kNone);
  };
  ASSERT_TRUE(writeFile(folder + "/a.swf", movie(3, true)));
  ASSERT_TRUE(writeFile(folder + "/b.swf", movie(1, false)));
  rig.rememberListFolder(folder);
  ASSERT_TRUE(rig.start());
  Form1& f = rig.form();
  f.File1.setListIndex(0);
  ASSERT_TRUE(pumpUntil([&] { return f.File1.listIndex() == 1; }, 15000)) << "a.swf did not end";
  int watched = 0;
  f.Timer4.Tick.connect([&] { ++watched; });
  ASSERT_TRUE(pumpUntil([&] { return watched >= 4; }, 15000));
  EXPECT_EQ(f.File1.listIndex(), 1) << "the still was taken for a movie at its end";
  EXPECT_EQ(rig.flash().ruffle(), nullptr);
}

// The web engine's page process dying under a movie is that movie's end:
// the player runs on, the list moves on, and the next movie plays in a new
// page process.
TEST(FlashMovie, CrashOfTheWebEnginesProcessEndsTheMovie) {
  PlayerRig rig;
  const std::string folder = rig.folder("movies");
  ASSERT_TRUE(writeFile(folder + "/a.swf", swf_writer::countingMovie()));
  ASSERT_TRUE(writeFile(folder + "/b.swf", swf_writer::countingMovie()));
  ASSERT_TRUE(playFirstMovie(rig, folder));
  Form1& f = rig.form();

  const qint64 pid = rufflePageProcess(rig);
  ASSERT_GT(pid, 0);
  ASSERT_EQ(::kill(pid_t(pid), SIGKILL), 0);

  ASSERT_TRUE(pumpUntil([&] { return rig.flash().movie() == folder + "/b.swf"; }, 20000))
      << "still on " << rig.flash().movie();
  EXPECT_EQ(f.File1.listIndex(), 1);
  EXPECT_TRUE(pumpUntil([&] { return rig.flash().FrameNum().value_or(0) > 3; }, 20000));
  EXPECT_NE(rufflePageProcess(rig), pid);
}

// The movie's web view takes the keyboard when its page loads, but Esc still
// reaches the window: it is the way out of the movie's full screen. Once the
// view hides for the next entry, all the player's keys reach the window
// again. A while later the page and its process go.
TEST(FlashMovie, EscLeavesTheMoviesFullScreenAndAfterItTheKeysReachThePlayer) {
  WindowManager manager;  // which gives the window the keyboard
  ASSERT_TRUE(manager.ok()) << manager.error();
  PlayerRig::Options options;
  options.ruffleKept = std::chrono::milliseconds(1000);
  PlayerRig rig(options);
  const std::string folder = rig.folder("movies");
  ASSERT_TRUE(writeFile(folder + "/a.swf", swf_writer::countingMovie()));
  ASSERT_TRUE(makeClip(folder + "/b.mp4", 20));
  // After b.mp4 the list goes on with media, not the movie: nothing keeps
  // the web engine.
  ASSERT_TRUE(std::filesystem::copy_file(folder + "/b.mp4", folder + "/c.mp4"));
  ASSERT_TRUE(playFirstMovie(rig, folder));
  const qint64 page = rufflePageProcess(rig);
  Form1& f = rig.form();
  f.Image10.Click.raise();
  ASSERT_TRUE(pumpUntil([&] { return f.Frame3.visible(); }, 10000));
  ASSERT_TRUE(runTool("xdotool", {"key", "Escape"}));
  EXPECT_TRUE(pumpUntil([&] { return !f.Frame3.visible() && f.Picture2.visible(); }, 10000));

  f.File1.setListIndex(1);
  ASSERT_TRUE(pumpUntil([&] { return rig.media().playState() == play_state::Playing; }, 10000));
  ASSERT_TRUE(runTool("xdotool", {"key", "space"}));
  EXPECT_TRUE(pumpUntil([&] { return rig.media().playState() == play_state::Paused; }, 10000));

  EXPECT_TRUE(pumpUntil([&] { return rig.flash().ruffle() == nullptr; }, 10000));
  EXPECT_TRUE(pumpUntil([&] { return ::kill(pid_t(page), 0) != 0; }, 10000)) << "the page process runs on";
}

TEST(FlashVideo, PlayerMovieFollowsSeeksAndMovesOnAtTheEnd) {
  PlayerRig rig;
  const std::string folder = rig.folder("videos");
  ASSERT_TRUE(makeClip(folder + "/a.flv", 4));
  ASSERT_TRUE(makeClip(folder + "/b.flv", 2));
  rig.rememberListFolder(folder);
  ASSERT_TRUE(rig.start());
  Form1& f = rig.form();
  // Stopped, the player movie stands loaded and idle: no video engine of its
  // own until a video plays.
  f.Image9.Click.raise();
  ASSERT_EQ(rig.flash().movie(), rig.programFolder() + "/power.swf");
  EXPECT_EQ(rig.flash().playerMovie().media(), nullptr);
  f.File1.setListIndex(0);

  ASSERT_TRUE(pumpUntil([&] { return f.Label2.caption() == "/00:04"; }, 10000)) << f.Label2.caption();
  ASSERT_NE(rig.flash().playerMovie().media(), nullptr);
  MpvEngine& video = *rig.flash().playerMovie().media();
  EXPECT_EQ(video.URL(), folder + "/a.flv");

  // A release at 75 % tells the movie three quarters of "total1" (seconds)
  // through "kkk", and the video goes there.
  f.tVate1.setValue(75);
  f.tVate1.MouseUp.raise(kLeftButton, 0, 0, 0);
  FlashEngine& movie = f.ShockwaveFlash1.engine();
  const double total = std::stod(movie.GetVariable("total1").value_or("0"));
  ASSERT_NEAR(total, 4, 0.2);
  EXPECT_NEAR(std::stod(movie.GetVariable("kkk").value_or("0")), total * 0.75, 1e-6);
  EXPECT_TRUE(pumpUntil([&] { return video.currentPosition() >= total * 0.75 - 0.05; }, 10000))
      << video.currentPosition();
  EXPECT_TRUE(pumpUntil([&] { return f.Label1.caption() == "00:03"; }, 10000)) << f.Label1.caption();

  // "oknext" at its end, then the next entry 1 s later, then the wrap.
  ASSERT_TRUE(pumpUntil([&] { return video.URL() == folder + "/b.flv"; }, 10000));
  EXPECT_EQ(f.File1.listIndex(), 1);
  ASSERT_TRUE(pumpUntil([&] { return video.URL() == folder + "/a.flv"; }, 15000));
  EXPECT_EQ(f.File1.listIndex(), 0);
}

}  // namespace
}  // namespace qm::integration
