// The movies the build lays out beside the executable, as the player finds them.
#include <gtest/gtest.h>

#include "platform/swf/native_movie_engine.h"
#include "platform/swf/swf_file.h"
#include "support/manual_clock.h"
#include "swf_writer/own_movies.h"
#include "temp_folder.h"

namespace qm {
namespace {

const std::string kProgramDir = QM_PROGRAM_DIR;

TEST(OwnMovieFiles, BuildWritesTheCurrentMovies) {
  EXPECT_EQ(test::readBytes(kProgramDir + "/0.dll"), swf_writer::emptyMovie());
  EXPECT_EQ(test::readBytes(kProgramDir + "/power.dll"), swf_writer::playerMovie());
}

TEST(OwnMovieFiles, EmptyMovieIsASmallLoopingTimeline) {
  const swf::SwfReadResult read = swf::readSwfFile(kProgramDir + "/0.dll");
  ASSERT_TRUE(read.ok()) << swf::describe(read.error);
  EXPECT_EQ(read.file.compression, swf::Compression::kNone);
  EXPECT_EQ(read.file.version, 8);
  EXPECT_EQ(read.file.frameRate(), 12.0);
  EXPECT_EQ(read.file.frameCount, 2);
  EXPECT_EQ(read.file.frameSize.xMax, 320 * 20);
  EXPECT_EQ(read.file.frameSize.yMax, 240 * 20);

  test::ManualClock clock;
  NativeMovieEngine engine(clock);
  ASSERT_TRUE(engine.setMovie(kProgramDir + "/0.dll"));
  EXPECT_TRUE(engine.IsPlaying());
  clock.advance(83 * 3);
  EXPECT_EQ(engine.FrameNum(), 1);
  EXPECT_TRUE(engine.IsPlaying());
}

TEST(OwnMovieFiles, PlayerMovieReadsButNeedsARealRuntime) {
  const swf::SwfReadResult read = swf::readSwfFile(kProgramDir + "/power.dll");
  ASSERT_TRUE(read.ok()) << swf::describe(read.error);
  EXPECT_EQ(read.file.compression, swf::Compression::kZlib);

  test::ManualClock clock;
  NativeMovieEngine engine(clock);
  ASSERT_TRUE(engine.setMovie(kProgramDir + "/0.dll"));
  EXPECT_FALSE(engine.setMovie(kProgramDir + "/power.dll"));
  EXPECT_TRUE(engine.lastMovieNeedsRuntime());
  EXPECT_EQ(engine.movie(), "");
  EXPECT_FALSE(engine.IsPlaying());
}

}  // namespace
}  // namespace qm
