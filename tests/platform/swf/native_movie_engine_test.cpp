#include "platform/swf/native_movie_engine.h"

#include <gtest/gtest.h>

#include "platform/swf/swf_builder.h"
#include "platform/swf/swf_tags.h"
#include "support/manual_clock.h"
#include "swf_writer/own_movies.h"
#include "swf_writer/shape_writer.h"
#include "temp_folder.h"

namespace qm {
namespace {

namespace writer = swf_writer;

class NativeMovieEngineTest : public testing::Test {
 protected:
  NativeMovieEngineTest() {
    engine.FSCommand.connect([this](const std::string&, const std::string&) { ++commands; });
  }

  std::string emptyMovie() { return folder.write("0.swf", writer::emptyMovie()); }

  std::vector<long> framesOverTicks(int ticks, int intervalMs) {
    std::vector<long> frames;
    for (int i = 0; i < ticks; ++i) {
      clock.advance(intervalMs);
      frames.push_back(engine.FrameNum().value_or(-1));
    }
    return frames;
  }

  void expectEmpty() {
    EXPECT_EQ(engine.movie(), "");
    EXPECT_FALSE(engine.IsPlaying());
    EXPECT_FALSE(engine.TotalFrames());
    EXPECT_FALSE(engine.FrameNum());
    EXPECT_FALSE(engine.Play());
    EXPECT_FALSE(engine.StopPlay());
    EXPECT_FALSE(engine.Stop());
    EXPECT_FALSE(engine.GotoFrame(0));
    EXPECT_FALSE(engine.SetVariable("testVar", "x"));
    EXPECT_FALSE(engine.GetVariable("testVar"));
    EXPECT_EQ(clock.armedCount(), 0u) << "an empty engine has no timeline to run";
    EXPECT_FALSE(engine.IsPlaying()) << "Play on an empty engine must not start anything";
  }

  test::TempFolder folder;
  test::ManualClock clock;
  NativeMovieEngine engine{clock};
  int commands = 0;
};

TEST_F(NativeMovieEngineTest, EmptyMovieLoadsPlayingAndLoopsItsTwoFrames) {
  const std::string path = emptyMovie();
  ASSERT_TRUE(engine.setMovie(path));
  EXPECT_EQ(engine.movie(), path);
  EXPECT_TRUE(engine.IsPlaying());
  EXPECT_EQ(engine.TotalFrames(), 2);
  EXPECT_EQ(engine.FrameNum(), 0);
  EXPECT_EQ(engine.frameInterval(), 83);  // 12 fps

  clock.advance(82);
  EXPECT_EQ(engine.FrameNum(), 0);
  clock.advance(1);
  EXPECT_EQ(engine.FrameNum(), 1);
  EXPECT_EQ(framesOverTicks(5, 83), (std::vector<long>{0, 1, 0, 1, 0}));
  clock.advance(60'000);
  EXPECT_TRUE(engine.IsPlaying()) << "the empty movie never stops by itself";
  EXPECT_EQ(commands, 0);
}

TEST_F(NativeMovieEngineTest, LongerMoviesRunAtTheirOwnRateThroughTagsThatShowNothing) {
  const std::string path = folder.write("five.swf", writer::SwfBuilder(10, 200, 100, 25)
                                                        .fileAttributes()
                                                        .metadata("<rdf/>")
                                                        .tag(65, {0xff, 0xff, 0x3c, 0x00})     // script limits
                                                        .tag(41, std::vector<uint8_t>(26, 1))  // product info
                                                        .frameLabel("start")
                                                        .showFrame()
                                                        .showFrame()
                                                        .frameLabel("middle")
                                                        .showFrame()
                                                        .showFrame()
                                                        .showFrame()
                                                        .build(writer::Compression::kZlib));
  ASSERT_TRUE(engine.setMovie(path));
  EXPECT_EQ(engine.TotalFrames(), 5);
  EXPECT_EQ(engine.frameInterval(), 40);
  EXPECT_EQ(framesOverTicks(7, 40), (std::vector<long>{1, 2, 3, 4, 0, 1, 2}));
}

// What such a movie shows is its stage: the colour it sets, else Flash's white.
TEST_F(NativeMovieEngineTest, TheStageColourIsWhatTheMovieShows) {
  ASSERT_TRUE(engine.setMovie(folder.write(
      "blue.swf",
      writer::SwfBuilder(8, 10, 10, 12).backgroundColor({0, 0, 0xff}).showFrame().build(writer::Compression::kNone))));
  EXPECT_EQ(engine.stageColour(), 0x0000ffu);
  ASSERT_TRUE(engine.setMovie(
      folder.write("plain.swf", writer::SwfBuilder(8, 10, 10, 12).showFrame().build(writer::Compression::kNone))));
  EXPECT_EQ(engine.stageColour(), 0xffffffu);
  ASSERT_TRUE(engine.setMovie(emptyMovie()));
  EXPECT_EQ(engine.stageColour(), 0x000000u) << "the player's own empty movie stays black";
}

// A frame's stop() holds the timeline as it comes to that frame; Play goes
// on from there, round to it again. One in the first frame holds it at load.
TEST_F(NativeMovieEngineTest, AFramesStopHoldsTheTimelineThereUntilPlay) {
  const writer::ActionBuilder stop = writer::ActionBuilder().stop();
  ASSERT_TRUE(engine.setMovie(folder.write("stops.swf", writer::SwfBuilder(8, 10, 10, 10)
                                                            .showFrame()
                                                            .showFrame()
                                                            .doAction(stop)
                                                            .showFrame()
                                                            .showFrame()
                                                            .build(writer::Compression::kNone))));
  EXPECT_EQ(framesOverTicks(4, 100), (std::vector<long>{1, 2, 2, 2}));
  EXPECT_FALSE(engine.IsPlaying());
  ASSERT_TRUE(engine.GotoFrame(0));
  clock.advance(300);
  EXPECT_EQ(engine.FrameNum(), 0) << "stopped, a move keeps it stopped";
  ASSERT_TRUE(engine.GotoFrame(2));
  ASSERT_TRUE(engine.Play());
  EXPECT_EQ(framesOverTicks(5, 100), (std::vector<long>{3, 0, 1, 2, 2}));

  ASSERT_TRUE(engine.setMovie(folder.write(
      "still.swf",
      writer::SwfBuilder(8, 10, 10, 10).doAction(stop).showFrame().showFrame().build(writer::Compression::kNone))));
  EXPECT_FALSE(engine.IsPlaying());
  EXPECT_EQ(framesOverTicks(2, 100), (std::vector<long>{0, 0}));
  ASSERT_TRUE(engine.Play());
  EXPECT_EQ(framesOverTicks(2, 100), (std::vector<long>{1, 0}));
  EXPECT_FALSE(engine.IsPlaying());
}

TEST_F(NativeMovieEngineTest, TransportStopsGoesToAndResumes) {
  const std::string path = folder.write("four.swf", writer::SwfBuilder(8, 10, 10, 10)
                                                        .showFrame()
                                                        .showFrame()
                                                        .showFrame()
                                                        .showFrame()
                                                        .build(writer::Compression::kNone));
  ASSERT_TRUE(engine.setMovie(path));
  clock.advance(200);
  ASSERT_EQ(engine.FrameNum(), 2);

  EXPECT_TRUE(engine.StopPlay());
  EXPECT_FALSE(engine.IsPlaying());
  clock.advance(1000);
  EXPECT_EQ(engine.FrameNum(), 2);

  EXPECT_TRUE(engine.GotoFrame(1));
  EXPECT_EQ(engine.FrameNum(), 1);
  EXPECT_FALSE(engine.IsPlaying()) << "going to a frame keeps a stopped movie stopped";
  EXPECT_FALSE(engine.GotoFrame(4));
  EXPECT_FALSE(engine.GotoFrame(-1));
  EXPECT_EQ(engine.FrameNum(), 1);

  EXPECT_TRUE(engine.Play());
  EXPECT_TRUE(engine.IsPlaying());
  clock.advance(100);
  EXPECT_EQ(engine.FrameNum(), 2);

  EXPECT_TRUE(engine.GotoFrame(0));
  EXPECT_TRUE(engine.IsPlaying()) << "going to a frame keeps a playing movie playing";
  clock.advance(100);
  EXPECT_EQ(engine.FrameNum(), 1);

  EXPECT_TRUE(engine.Stop());
  EXPECT_FALSE(engine.IsPlaying());
  EXPECT_EQ(engine.FrameNum(), 1) << "Stop halts where the timeline is";
  clock.advance(1000);
  EXPECT_EQ(engine.FrameNum(), 1);
  EXPECT_EQ(commands, 0);
}

TEST_F(NativeMovieEngineTest, OneFrameMovieLoadsStoppedAndRatesAreHeldInRange) {
  ASSERT_TRUE(engine.setMovie(
      folder.write("one.swf", writer::SwfBuilder(8, 10, 10, 12).showFrame().build(writer::Compression::kNone))));
  EXPECT_EQ(engine.TotalFrames(), 1);
  EXPECT_FALSE(engine.IsPlaying());
  EXPECT_TRUE(engine.Play());
  EXPECT_FALSE(engine.IsPlaying()) << "one frame has nothing to advance";

  ASSERT_TRUE(engine.setMovie(folder.write(
      "still.swf", writer::SwfBuilder(8, 10, 10, 0).showFrame().showFrame().build(writer::Compression::kNone))));
  EXPECT_TRUE(engine.IsPlaying());
  EXPECT_EQ(engine.frameInterval(), 100'000);  // a rate of 0 runs at the slowest, 0.01 fps

  ASSERT_TRUE(engine.setMovie(folder.write(
      "fast.swf", writer::SwfBuilder(8, 10, 10, 255).showFrame().showFrame().build(writer::Compression::kNone))));
  EXPECT_EQ(engine.frameInterval(), 4);
}

TEST_F(NativeMovieEngineTest, MoviesWithSomethingToShowFailAndLeaveTheEngineEmpty) {
  ASSERT_TRUE(engine.setMovie(emptyMovie()));
  ASSERT_TRUE(engine.SetVariable("testVar", "a.flv"));

  EXPECT_FALSE(engine.setMovie(folder.write("power.swf", writer::playerMovie())));
  EXPECT_TRUE(engine.lastMovieNeedsRuntime());
  EXPECT_EQ(engine.lastError(), swf::SwfError::kNone) << "the player movie itself reads fine";
  expectEmpty();
  // Shapes alone it draws; a script among them goes to a runtime, and so
  // does a placement of a shape the movie never defines.
  ASSERT_TRUE(engine.setMovie(folder.write("drawn.swf", writer::drawnMovie())));
  EXPECT_EQ(engine.TotalFrames(), 100);
  EXPECT_FALSE(engine.setMovie(folder.write("count.swf", writer::countingMovie())));
  EXPECT_TRUE(engine.lastMovieNeedsRuntime());
  EXPECT_FALSE(engine.setMovie(folder.write(
      "ghost.swf",
      writer::SwfBuilder(8, 10, 10, 12).placeObject(7, 1, 0, 0).showFrame().build(writer::Compression::kNone))));
  EXPECT_TRUE(engine.lastMovieNeedsRuntime());
  expectEmpty();
  clock.advance(1000);
  EXPECT_FALSE(engine.FrameNum());
}

// A loop after an intro, as drawing programs write it: the last frame's
// gotoAndPlay("Loop") sends the timeline back before that frame shows, to
// the frame labelled "loop", whose nextFrame(); play() sends it on at once.
// A clip on every frame of the loop plays on through the jumps.
TEST_F(NativeMovieEngineTest, AFramesGotoAndPlaySendsTheTimelineBackAndClipsPlayOn) {
  using namespace writer;
  const std::vector<uint8_t> gotoAndPlayLoop = {0x8c, 5, 0, 'L', 'o', 'o', 'p', 0, 0x06, 0x00};
  const std::vector<uint8_t> nextFrameAndPlay = {0x04, 0x06, 0x00};
  SwfBuilder movie(8, 100, 100, 10);
  movie.defineRectangle(1, 10, 10, {255, 0, 0})
      .tag(tag::kDefineSprite,
           spriteBody(
               2, {{tag::kPlaceObject2, placeObjectBody(1, 1, 0, 0)}, {tag::kShowFrame, {}}, {tag::kShowFrame, {}}}))
      .showFrame()
      .frameLabel("loop")
      .placeObject(2, 2, 0, 0)
      .tag(tag::kDoAction, nextFrameAndPlay)
      .showFrame()
      .showFrame()
      .showFrame()
      .tag(tag::kDoAction, gotoAndPlayLoop)
      .showFrame();
  ASSERT_TRUE(engine.setMovie(folder.write("loop.swf", movie.build(Compression::kNone))));
  std::vector<long> frames;
  std::vector<uint64_t> clip;
  for (int i = 0; i < 7; ++i) {
    clock.advance(engine.frameInterval());
    frames.push_back(engine.FrameNum().value_or(-1));
    clip.push_back(engine.clipFramesPassed(2));
  }
  EXPECT_EQ(frames, (std::vector<long>{2, 3, 2, 3, 2, 3, 2}));
  EXPECT_EQ(clip, (std::vector<uint64_t>{0, 1, 2, 3, 4, 5, 6}));
  EXPECT_TRUE(engine.IsPlaying());
}

// The first frame of a movie that needs a runtime stands in while the
// runtime starts: what only the runtime shows (a text field, moved about
// too) is left out, scripts are passed over, and its clips stand still.
TEST_F(NativeMovieEngineTest, AMovieForARuntimeShowsItsFirstFrameStill) {
  using namespace writer;
  constexpr uint16_t kBox = 1, kTextField = 2, kClip = 3;
  const auto place = [](uint16_t id, uint16_t depth) {
    return std::pair{tag::kPlaceObject2, placeObjectBody(id, depth, 0, 0)};
  };
  auto movie = [&](bool filtered) {
    SwfBuilder built(8, 100, 100, 12);
    built.defineRectangle(kBox, 10, 10, {255, 0, 0}).tag(tag::kDefineEditText, {kTextField, 0, 1, 2, 3});
    built.tag(tag::kDefineSprite, spriteBody(kClip, {{tag::kDoAction, ActionBuilder().stop().bytes()},
                                                     place(kBox, 1),
                                                     {tag::kShowFrame, {}},
                                                     {tag::kPlaceObject2, moveObjectBody(1, 300, 0)},
                                                     {tag::kShowFrame, {}}}));
    built.tag(tag::kPlaceObject2, placeObjectBody(kTextField, 1, 0, 0))
        .tag(tag::kPlaceObject2, moveObjectBody(1, 20, 0));
    built.placeObject(kBox, 2, 0, 0).placeObject(kClip, 3, 50, 50);
    // A filter: only the runtime draws it.
    if (filtered) built.tag(tag::kPlaceObject3, {0x02, 0x01, 4, 0, kBox, 0});
    built.doAction(ActionBuilder().assign("counting", "1")).showFrame();
    built.placeObject(99, 4, 0, 0).showFrame();  // never read: the first frame is all it needs
    return built.build(Compression::kZlib);
  };
  const std::string path = folder.write("scripted.swf", movie(false));
  ASSERT_FALSE(engine.setMovie(path));
  ASSERT_TRUE(engine.lastMovieNeedsRuntime());

  const swf::SwfReadResult read = swf::readSwfFile(path);
  ASSERT_TRUE(engine.loadFirstFrame(path, read.file));
  EXPECT_EQ(engine.TotalFrames(), 1);
  EXPECT_FALSE(engine.IsPlaying());
  ASSERT_NE(engine.shownFrame(), nullptr);
  std::vector<uint16_t> shown;
  for (const swf::Placement& placed : *engine.shownFrame()) shown.push_back(placed.characterId);
  EXPECT_EQ(shown, (std::vector<uint16_t>{kBox, kClip}));
  EXPECT_EQ(engine.drawing()->clips.at(kClip).size(), 1u);
  EXPECT_FALSE(engine.drawing()->clipsChange);

  const std::string filtered = folder.write("filtered.swf", movie(true));
  EXPECT_FALSE(engine.loadFirstFrame(filtered, swf::readSwfFile(filtered).file));
  expectEmpty();
}

TEST_F(NativeMovieEngineTest, BrokenFilesFailUnloadTheMovieAndSayWhy) {
  const std::vector<uint8_t> good = writer::emptyMovie();
  const struct {
    const char* name;
    std::vector<uint8_t> bytes;
    swf::SwfError error;
  } cases[] = {
      {"truncated", std::vector<uint8_t>(good.begin(), good.end() - 3), swf::SwfError::kTruncated},
      {"header only", std::vector<uint8_t>(good.begin(), good.begin() + 8), swf::SwfError::kTruncated},
      {"claims 4 GB", test::withStatedLength(good, 0xffffffff), swf::SwfError::kTooLarge},
      {"garbage", {0x00, 0xff, 0x13, 0x37, 0x42, 0x42, 0x42, 0x42, 0x42, 0x42}, swf::SwfError::kNotSwf},
      {"lzma",
       {'Z', 'W', 'S', 13, 37, 0, 0, 0, 9, 0, 0, 0, 0x5d, 0, 0, 0x10, 0, 1, 2, 3, 4},
       swf::SwfError::kLzmaUnsupported},
  };
  for (const auto& broken : cases) {
    SCOPED_TRACE(broken.name);
    ASSERT_TRUE(engine.setMovie(emptyMovie()));
    EXPECT_FALSE(engine.setMovie(folder.write(std::string(broken.name) + ".swf", broken.bytes)));
    EXPECT_EQ(engine.lastError(), broken.error);
    EXPECT_FALSE(engine.lastMovieNeedsRuntime());
    expectEmpty();
  }

  ASSERT_TRUE(engine.setMovie(emptyMovie()));
  EXPECT_FALSE(engine.setMovie(folder.path("missing.swf")));
  EXPECT_EQ(engine.lastError(), swf::SwfError::kCannotOpen);
  expectEmpty();

  ASSERT_TRUE(engine.setMovie(emptyMovie()));
  EXPECT_EQ(engine.lastError(), swf::SwfError::kNone);
  EXPECT_TRUE(engine.IsPlaying()) << "a good movie loads again after failures";
}

TEST_F(NativeMovieEngineTest, RootVariablesLiveUntilTheNextLoad) {
  const std::string path = emptyMovie();
  ASSERT_TRUE(engine.setMovie(path));
  EXPECT_FALSE(engine.GetVariable("testVar")) << "unset";
  EXPECT_TRUE(engine.SetVariable("testVar", "/media/a b.flv"));
  EXPECT_EQ(engine.GetVariable("testVar"), "/media/a b.flv");
  EXPECT_TRUE(engine.SetVariable("testVar", ""));
  EXPECT_EQ(engine.GetVariable("testVar"), "");
  EXPECT_TRUE(engine.SetVariable("_root.kkk", "42.5"));
  EXPECT_EQ(engine.GetVariable("kkk"), "42.5");
  EXPECT_EQ(engine.GetVariable("_level0.kkk"), "42.5");
  EXPECT_EQ(engine.GetVariable("/:kkk"), "42.5");
  EXPECT_FALSE(engine.GetVariable("TESTVAR")) << "SWF 8 names are case-sensitive";
  EXPECT_FALSE(engine.SetVariable("clip.x", "1")) << "no child clips to address";
  EXPECT_FALSE(engine.SetVariable("_root.", "1"));
  EXPECT_FALSE(engine.SetVariable("", "1"));

  ASSERT_TRUE(engine.setMovie(path));
  EXPECT_FALSE(engine.GetVariable("testVar")) << "a load starts with fresh root variables";
  EXPECT_FALSE(engine.GetVariable("kkk"));

  ASSERT_TRUE(engine.setMovie(folder.write(
      "v6.swf", writer::SwfBuilder(6, 10, 10, 12).showFrame().showFrame().build(writer::Compression::kNone))));
  EXPECT_TRUE(engine.SetVariable("_ROOT.testVar", "x"));
  EXPECT_EQ(engine.GetVariable("TESTVAR"), "x") << "SWF 6 names ignore case";
  EXPECT_EQ(commands, 0);
}

TEST_F(NativeMovieEngineTest, ScaleModeBelongsToTheControl) {
  EXPECT_EQ(engine.ScaleMode(), 0);
  EXPECT_TRUE(engine.setScaleMode(2));
  EXPECT_EQ(engine.ScaleMode(), 2);
  EXPECT_FALSE(engine.setScaleMode(3));
  EXPECT_FALSE(engine.setScaleMode(-1));
  EXPECT_EQ(engine.ScaleMode(), 2);
  ASSERT_TRUE(engine.setMovie(emptyMovie()));
  EXPECT_FALSE(engine.setMovie(folder.path("missing.swf")));
  EXPECT_EQ(engine.ScaleMode(), 2) << "loading movies leaves the scale mode alone";
}

TEST_F(NativeMovieEngineTest, NewEngineIsEmpty) { expectEmpty(); }

}  // namespace
}  // namespace qm
