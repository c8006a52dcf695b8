// Opening, ending, failing, closing and the play states the player's end
// watch relies on, on real files through libmpv.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <utility>

#include "mpv_test_support.h"
#include "platform/mpv/mpv_engine.h"

namespace qm {
namespace {

using test::Media;
using test::nonBlackShare;
using test::pumpFor;
using test::pumpUntil;
using test::StateLog;
namespace ps = play_state;

MpvEngine::Options silent() { return {{"ao", "null"}}; }

// Index of the first occurrence of `state`, or the log's length.
size_t firstIndex(const StateLog& log, int state) {
  return std::find(log.states().begin(), log.states().end(), state) - log.states().begin();
}

TEST(MpvPlayback, PlaysToTheEndAndReportsStoppedOnlyThen) {
  MpvEngine engine(MpvEngine::Video::None, silent());
  StateLog log(engine);
  ASSERT_TRUE(engine.ready());
  EXPECT_EQ(engine.playState(), ps::Undefined);

  ASSERT_TRUE(engine.setURL(Media::get().shortClip()));
  EXPECT_EQ(engine.playState(), ps::Transitioning);
  ASSERT_TRUE(pumpUntil([&] { return engine.playState() == ps::Playing; }));
  EXPECT_NEAR(engine.duration(), 2.0, 0.2);
  EXPECT_EQ(engine.durationString(), "00:02");
  ASSERT_TRUE(pumpUntil([&] { return engine.currentPosition() > 0.3; }));

  ASSERT_TRUE(pumpUntil([&] { return engine.playState() == ps::Stopped; }));
  EXPECT_EQ(log.states(), (std::vector<int>{ps::Transitioning, ps::Playing, ps::Stopped}));
  EXPECT_FALSE(log.offThread());
  // An ended file stays open: its URL and length remain, the position is 0.
  EXPECT_EQ(engine.URL(), Media::get().shortClip());
  EXPECT_NEAR(engine.duration(), 2.0, 0.2);
  EXPECT_EQ(engine.currentPosition(), 0);
}

TEST(MpvPlayback, FilesThatCannotPlayEndStoppedAfterOpening) {
  MpvEngine engine(MpvEngine::Video::None, silent());
  StateLog log(engine);
  const std::string files[] = {Media::get().dir() + "/no such file.mp4", Media::get().corruptFile()};
  for (const std::string& file : files) {
    SCOPED_TRACE(file);
    log.clear();
    EXPECT_TRUE(engine.setURL(file));
    ASSERT_TRUE(pumpUntil([&] { return engine.playState() == ps::Stopped; }));
    EXPECT_EQ(log.states(), (std::vector<int>{ps::Transitioning, ps::Stopped}));
    EXPECT_EQ(engine.URL(), file);
  }

  // A play list is not followed: the engine plays single files.
  log.clear();
  const std::string list = Media::get().dir() + "/list.m3u";
  std::ofstream(list) << Media::get().shortClip() << "\n";
  EXPECT_TRUE(engine.setURL(list));
  ASSERT_TRUE(pumpUntil([&] { return engine.playState() == ps::Stopped; }));
  pumpFor(500);
  EXPECT_EQ(log.states(), (std::vector<int>{ps::Transitioning, ps::Stopped}));

  // A folder is refused at once (libmpv would play its files as a list).
  log.clear();
  EXPECT_FALSE(engine.setURL(Media::get().dir()));
  EXPECT_EQ(log.states(), (std::vector<int>{ps::Transitioning, ps::Stopped}));

  // Asking a failed file to play again does not retry it: a caller that
  // answers Stopped with play() would otherwise spin.
  log.clear();
  EXPECT_FALSE(engine.play());
  pumpFor(300);
  EXPECT_TRUE(log.states().empty());
  EXPECT_EQ(engine.playState(), ps::Stopped);
}

TEST(MpvPlayback, StopKeepsTheFileAndPlayStartsItAgainCloseForgetsIt) {
  MpvEngine engine(MpvEngine::Video::None, silent());
  StateLog log(engine);
  EXPECT_FALSE(engine.play());  // nothing opened yet
  EXPECT_FALSE(engine.stop());
  EXPECT_EQ(engine.currentPositionString(), "");
  EXPECT_EQ(engine.durationString(), "");

  ASSERT_TRUE(engine.setURL(Media::get().longClip()));
  ASSERT_TRUE(pumpUntil([&] { return engine.currentPosition() > 0.5; }));
  ASSERT_TRUE(engine.stop());
  EXPECT_EQ(engine.playState(), ps::Stopped);
  EXPECT_EQ(engine.URL(), Media::get().longClip());
  pumpFor(300);  // libmpv's late reports of the stopped file change nothing
  EXPECT_EQ(engine.playState(), ps::Stopped);
  EXPECT_EQ(engine.currentPosition(), 0);

  log.clear();
  ASSERT_TRUE(engine.play());
  ASSERT_TRUE(pumpUntil([&] { return engine.playState() == ps::Playing; }));
  EXPECT_EQ(log.states(), (std::vector<int>{ps::Transitioning, ps::Playing}));
  EXPECT_LT(engine.currentPosition(), 1.5);  // from the start again

  log.clear();
  engine.close();
  EXPECT_EQ(engine.playState(), ps::Undefined);
  EXPECT_EQ(engine.URL(), "");
  EXPECT_EQ(engine.duration(), 0);
  EXPECT_EQ(engine.currentPositionString(), "");
  pumpFor(400);
  EXPECT_EQ(log.states(), (std::vector<int>{ps::Undefined}));
  EXPECT_FALSE(engine.play());
}

TEST(MpvPlayback, AStillPictureStaysUntilTheNextOpen) {
  MpvEngine engine(MpvEngine::Video::Shown, silent());
  StateLog log(engine);
  ASSERT_TRUE(engine.setURL(Media::get().stillPicture()));
  ASSERT_TRUE(pumpUntil([&] { return engine.playState() == ps::Playing; }));
  pumpFor(1500);
  EXPECT_EQ(engine.playState(), ps::Playing);
  EXPECT_FALSE(log.saw(ps::Stopped));
  // libmpv reports a length of 0 for a picture shown without end.
  EXPECT_EQ(engine.duration(), 0);
  EXPECT_EQ(engine.durationString(), "00:00");
  ASSERT_TRUE(engine.pause());
  ASSERT_TRUE(pumpUntil([&] { return engine.playState() == ps::Paused; }));

  // The next open replaces it, and the paused state does not carry over.
  ASSERT_TRUE(engine.setURL(Media::get().shortClip()));
  ASSERT_TRUE(pumpUntil([&] { return engine.playState() == ps::Playing; }));

  // An animation runs round until the next open rather than going black
  // after its last frame.
  log.clear();
  ASSERT_TRUE(engine.setURL(Media::get().animatedPicture()));
  ASSERT_TRUE(pumpUntil([&] { return engine.playState() == ps::Playing; }));
  pumpFor(1500);
  EXPECT_EQ(engine.playState(), ps::Playing);
  EXPECT_FALSE(log.saw(ps::Stopped));
  EXPECT_GT(nonBlackShare(engine.frame()), 0.5);

  // Named as media, the same picture ends like a short clip: a play list of
  // music with a picture among it must move on.
  const std::string misnamed = Media::get().dir() + "/picture named as music.au";
  std::filesystem::copy_file(Media::get().stillPicture(), misnamed, std::filesystem::copy_options::overwrite_existing);
  log.clear();
  ASSERT_TRUE(engine.setURL(misnamed));
  ASSERT_TRUE(pumpUntil([&] { return engine.playState() == ps::Stopped; }));
  EXPECT_TRUE(log.saw(ps::Playing));
}

TEST(MpvPlayback, SeeksLandWhereAsked) {
  MpvEngine engine(MpvEngine::Video::None, silent());
  ASSERT_TRUE(engine.setURL(Media::get().longClip()));
  ASSERT_TRUE(pumpUntil([&] { return engine.playState() == ps::Playing; }));
  EXPECT_NEAR(engine.duration(), 20.0, 0.2);
  ASSERT_TRUE(engine.pause());
  ASSERT_TRUE(pumpUntil([&] { return engine.playState() == ps::Paused; }));

  // Key frames are 5 s apart: 7 s lands on 5 s unless the seek is exact.
  ASSERT_TRUE(engine.setCurrentPosition(7));
  EXPECT_TRUE(pumpUntil([&] { return std::fabs(engine.currentPosition() - 7) <= 0.2; })) << engine.currentPosition();
  pumpFor(200);
  EXPECT_NEAR(engine.currentPosition(), 7, 0.2);
  EXPECT_EQ(engine.currentPositionString(), "00:07");
  EXPECT_EQ(engine.durationString(), "00:20");

  ASSERT_TRUE(engine.setCurrentPosition(5));
  EXPECT_TRUE(pumpUntil([&] { return std::fabs(engine.currentPosition() - 5) <= 0.2; })) << engine.currentPosition();

  // Steps asked faster than the seeks land (keys pressed in a burst) each
  // go on from the last one, not from where the picture still is: three
  // steps of 4 s from 5 s pass 15 s (a landing may read a little short of
  // its target); one lost leaves it at 13 s at most.
  for (int step = 0; step < 3; ++step) ASSERT_TRUE(engine.setCurrentPosition(engine.currentPosition() + 4));
  pumpFor(500);
  EXPECT_GT(engine.currentPosition(), 15.5);

  EXPECT_FALSE(engine.setCurrentPosition(-1));
  EXPECT_FALSE(engine.setCurrentPosition(NAN));
}

// Also where the open takes over a file opened ahead, or starts over the
// file that plays (a file going on where it was left, at start-up).
TEST(MpvPlayback, ASeekAskedWhileOpeningIsKept) {
  MpvEngine engine(MpvEngine::Video::None, silent());
  const auto openAt = [&](double seconds) {
    ASSERT_TRUE(engine.setURL(Media::get().longClip()));
    EXPECT_TRUE(engine.setCurrentPosition(seconds));
    ASSERT_TRUE(pumpUntil([&] { return engine.playState() == ps::Playing; }));
    EXPECT_TRUE(pumpUntil([&] { return engine.currentPosition() >= seconds - 0.2; }, 3000)) << engine.currentPosition();
  };
  openAt(12);
  openAt(6);
  engine.close();
  engine.preload(Media::get().longClip());
  pumpFor(1000);  // opened ahead, however far it got
  openAt(9);
}

TEST(MpvPlayback, PauseFastForwardAndFastReverseFollowLibmpv) {
  MpvEngine engine(MpvEngine::Video::None, silent());
  EXPECT_FALSE(engine.fastForward());  // nothing open
  EXPECT_FALSE(engine.pause());
  ASSERT_TRUE(engine.setURL(Media::get().longClip()));
  ASSERT_TRUE(pumpUntil([&] { return engine.playState() == ps::Playing; }));
  // Well into the file, so the first positions of the start are behind us.
  ASSERT_TRUE(pumpUntil([&] { return engine.currentPosition() > 0.3; }));
  ASSERT_TRUE(engine.pause());
  ASSERT_TRUE(pumpUntil([&] { return engine.playState() == ps::Paused; }));
  // The pause is reported before the last position of the paused frame,
  // which may come late on a busy machine: wait until it settles.
  double held = engine.currentPosition();
  for (int i = 0; i < 10; ++i) {
    pumpFor(200);
    const double now = std::exchange(held, engine.currentPosition());
    if (std::fabs(now - held) < 0.001) break;
  }
  pumpFor(400);
  EXPECT_NEAR(engine.currentPosition(), held, 0.01);
  ASSERT_TRUE(engine.play());
  ASSERT_TRUE(pumpUntil([&] { return engine.playState() == ps::Playing; }));

  // An engine beside it at normal speed is the yardstick: however busy the
  // machine, fast forward covers several times what it does.
  MpvEngine normal(MpvEngine::Video::None, silent());
  ASSERT_TRUE(normal.setURL(Media::get().longClip()));
  ASSERT_TRUE(pumpUntil([&] { return normal.currentPosition() > 0.3; }));
  ASSERT_TRUE(engine.fastForward());
  ASSERT_TRUE(pumpUntil([&] { return engine.playState() == ps::ScanForward; }));
  const double from = engine.currentPosition(), normalFrom = normal.currentPosition();
  ASSERT_TRUE(pumpUntil([&] { return engine.currentPosition() - from >= 5; }));
  // About a second at normal speed; libmpv's position briefly steps back
  // when the speed changes, so the bound is loose.
  EXPECT_LT(normal.currentPosition() - normalFrom, 2.5);

  ASSERT_TRUE(engine.play());
  ASSERT_TRUE(pumpUntil([&] { return engine.playState() == ps::Playing; }));
  ASSERT_TRUE(engine.pause());
  ASSERT_TRUE(pumpUntil([&] { return engine.playState() == ps::Paused; }));
  ASSERT_TRUE(engine.setCurrentPosition(15));
  ASSERT_TRUE(pumpUntil([&] { return std::fabs(engine.currentPosition() - 15) <= 0.2; }));
  // While the seek runs libmpv reports its target; the step back counts from
  // where it lands, so give it time to land.
  pumpFor(500);
  ASSERT_NEAR(engine.currentPosition(), 15, 0.2);
  ASSERT_TRUE(engine.fastReverse());
  // On a loaded machine the seek may still be landing (a frame or so early).
  EXPECT_TRUE(pumpUntil([&] { return std::fabs(engine.currentPosition() - 10) <= 0.5; })) << engine.currentPosition();
}

TEST(MpvPlayback, ANewOpenReplacesOneStillOpeningWithoutStopping) {
  MpvEngine engine(MpvEngine::Video::None, silent());
  StateLog log(engine);
  ASSERT_TRUE(engine.setURL(Media::get().shortClip()));
  ASSERT_TRUE(engine.setURL(Media::get().longClip()));
  ASSERT_TRUE(pumpUntil([&] { return engine.playState() == ps::Playing; }));
  EXPECT_NEAR(engine.duration(), 20.0, 0.2);
  pumpFor(2500);  // past the end of the first file
  EXPECT_EQ(engine.playState(), ps::Playing);
  EXPECT_EQ(firstIndex(log, ps::Stopped), log.states().size());
  EXPECT_EQ(engine.URL(), Media::get().longClip());
}

TEST(MpvPlayback, AFileOpenedAheadIsTakenOverOnlyByAnOpenOfTheSameFile) {
  MpvEngine engine(MpvEngine::Video::Shown, silent());
  StateLog log(engine);
  // Opened ahead, it stays unseen and paused: nothing is reported.
  engine.preload(Media::get().longClip());
  pumpFor(1500);
  EXPECT_TRUE(log.states().empty());
  EXPECT_EQ(engine.playState(), ps::Undefined);
  EXPECT_EQ(engine.duration(), 0);

  // Taken over, it reports as any open does, plays from the start, and
  // knows its length although libmpv told it before the open.
  ASSERT_TRUE(engine.setURL(Media::get().longClip()));
  ASSERT_TRUE(pumpUntil([&] { return engine.playState() == ps::Playing; }));
  EXPECT_EQ(log.states(), (std::vector<int>{ps::Transitioning, ps::Playing}));
  EXPECT_NEAR(engine.duration(), 20.0, 0.2);
  EXPECT_LT(engine.currentPosition(), 1.0);
  ASSERT_TRUE(pumpUntil([&] { return engine.currentPosition() > 0.5; }));

  // Another file opened after a preload plays that file.
  engine.close();
  engine.preload(Media::get().longClip());
  ASSERT_TRUE(engine.setURL(Media::get().shortClip()));
  ASSERT_TRUE(pumpUntil([&] { return engine.playState() == ps::Stopped; }));
  EXPECT_NEAR(engine.duration(), 2.0, 0.2);
}

// A folder is refused before libmpv sees it; the file that played stops with
// it, rather than going on unseen behind the failure.
TEST(MpvPlayback, AFolderOpenedOverAPlayingFileStopsIt) {
  int frames = 0;
  MpvEngine engine(MpvEngine::Video::Shown, silent());
  engine.frameChanged.connect([&] { ++frames; });
  ASSERT_TRUE(engine.setURL(Media::get().longClip()));
  ASSERT_TRUE(pumpUntil([&] { return engine.currentPosition() > 0.3; }));
  EXPECT_FALSE(engine.setURL(Media::get().dir()));
  EXPECT_EQ(engine.playState(), ps::Stopped);
  pumpFor(300);
  frames = 0;
  pumpFor(1000);
  EXPECT_LT(frames, 3);
}

// The list locate opens the command-line file again just after it started.
TEST(MpvPlayback, OpeningTheFileThatPlaysStartsItOverUnlessItChangedOnDisk) {
  MpvEngine engine(MpvEngine::Video::Shown, silent());
  StateLog log(engine);
  const std::string path = Media::get().dir() + "/again.mp4";
  std::filesystem::copy_file(Media::get().longClip(), path, std::filesystem::copy_options::overwrite_existing);
  ASSERT_TRUE(engine.setURL(path));
  ASSERT_TRUE(pumpUntil([&] { return engine.currentPosition() > 1.0; }));
  ASSERT_TRUE(engine.pause());
  ASSERT_TRUE(pumpUntil([&] { return engine.playState() == ps::Paused; }));

  // From the beginning, playing, reported as any open is.
  log.clear();
  ASSERT_TRUE(engine.setURL(path));
  EXPECT_EQ(engine.playState(), ps::Transitioning);
  ASSERT_TRUE(pumpUntil([&] { return engine.playState() == ps::Playing; }));
  EXPECT_LT(engine.currentPosition(), 0.5);
  ASSERT_TRUE(pumpUntil([&] { return engine.currentPosition() > 0.3; }));
  EXPECT_EQ(log.states(), (std::vector<int>{ps::Transitioning, ps::Playing}));

  // Another file under the same name is loaded, not the one that played.
  std::filesystem::copy_file(Media::get().shortClip(), path, std::filesystem::copy_options::overwrite_existing);
  ASSERT_TRUE(engine.setURL(path));
  ASSERT_TRUE(pumpUntil([&] { return engine.playState() == ps::Stopped; }));
  EXPECT_NEAR(engine.duration(), 2.0, 0.2);
}

// The list locate walks a folder in one turn; when it ends on the file that
// plays, after other files and a folder, libmpv keeps that file.
TEST(MpvPlayback, AWalkEndingOnTheFileThatPlaysStartsItOverWithoutLoadingItAgain) {
  MpvEngine engine(MpvEngine::Video::Shown, silent());
  const std::string path = Media::get().longClip();
  ASSERT_TRUE(engine.setURL(path));
  ASSERT_TRUE(pumpUntil([&] { return engine.currentPosition() > 1.0; }));
  const std::optional<std::int64_t> entry = engine.counter("playlist/0/id");
  ASSERT_TRUE(entry.has_value());

  engine.setURL(Media::get().shortClip());
  engine.setURL(Media::get().dir());
  ASSERT_TRUE(engine.setURL(path));
  ASSERT_TRUE(pumpUntil([&] { return engine.playState() == ps::Playing; }));
  EXPECT_LT(engine.currentPosition(), 0.5);
  EXPECT_NEAR(engine.duration(), 20.0, 0.2);
  EXPECT_EQ(engine.counter("playlist/0/id"), entry);
  EXPECT_TRUE(pumpUntil([&] { return engine.currentPosition() > 0.3; }));
}

// libmpv sends a file's track list once, as it loads. A file opened again
// while it plays, or taken back after a walk, is not loaded again: its
// tracks must still be offered (the sound track and subtitle menus).
TEST(MpvPlayback, AFileStartedOverOrTakenBackKeepsItsTracks) {
  MpvEngine engine(MpvEngine::Video::Shown, silent());
  const std::string path = Media::get().longClip();
  ASSERT_TRUE(engine.setURL(path));
  ASSERT_TRUE(pumpUntil([&] { return engine.playState() == ps::Playing && !engine.tracks().empty(); }));
  const std::size_t count = engine.tracks().size();

  ASSERT_TRUE(engine.setURL(path));
  ASSERT_TRUE(pumpUntil([&] { return engine.playState() == ps::Playing; }));
  EXPECT_TRUE(pumpUntil([&] { return engine.tracks().size() == count; }, 3000)) << "started over";

  engine.setURL(Media::get().shortClip());
  engine.setURL(Media::get().dir());
  ASSERT_TRUE(engine.setURL(path));
  ASSERT_TRUE(pumpUntil([&] { return engine.playState() == ps::Playing; }));
  EXPECT_TRUE(pumpUntil([&] { return engine.tracks().size() == count; }, 3000)) << "taken back";
}

TEST(MpvPlayback, PathsWithSpacesQuotesAndChineseCharactersPlay) {
  namespace fs = std::filesystem;
  const fs::path folder = fs::path(Media::get().dir()) / u8"片 'a' \"b\"";
  fs::create_directories(folder);
  const fs::path file = folder / u8"视频 文件 'x' \"y\".mp4";
  fs::copy_file(Media::get().shortClip(), file, fs::copy_options::overwrite_existing);

  MpvEngine engine(MpvEngine::Video::None, silent());
  ASSERT_TRUE(engine.setURL(file.string()));
  ASSERT_TRUE(pumpUntil([&] { return engine.playState() == ps::Playing; }));
  EXPECT_NEAR(engine.duration(), 2.0, 0.2);
  EXPECT_EQ(engine.URL(), file.string());
}

TEST(MpvPlayback, ADisabledEngineStillPlays) {
  MpvEngine engine(MpvEngine::Video::None, silent());
  engine.setEnabled(false);
  ASSERT_TRUE(engine.setURL(Media::get().shortClip()));
  EXPECT_TRUE(pumpUntil([&] { return engine.playState() == ps::Playing; }));
}

}  // namespace
}  // namespace qm
