#include "platform/swf/swf_file.h"

#include <gtest/gtest.h>

#include <random>

#include "platform/swf/byte_reader.h"
#include "platform/swf/swf_builder.h"
#include "swf_writer/own_movies.h"
#include "temp_folder.h"

namespace qm::swf {
namespace {

namespace writer = swf_writer;

std::vector<uint16_t> tagCodes(const SwfFile& file) {
  std::vector<uint16_t> codes;
  for (const Tag& tag : file.tags) codes.push_back(tag.code);
  return codes;
}

std::vector<uint8_t> bodyOf(const SwfFile& file, const Tag& tag) {
  const auto body = file.body(tag);
  return {body.begin(), body.end()};
}

// Tag codes written out here, not taken from either side's constants, so a
// wrong constant in the writer or the reader shows.
constexpr uint16_t kEnd = 0, kShowFrame = 1, kDefineShape = 2, kBackground = 9, kDoAction = 12, kPlaceObject2 = 26,
                   kFileAttributes = 69, kMetadata = 77;

std::vector<uint8_t> twoFrameMovie(writer::Compression compression) {
  return writer::SwfBuilder(8, 320, 240, 12)
      .fileAttributes()
      .backgroundColor({0x12, 0x34, 0x56})
      .showFrame()
      .showFrame()
      .build(compression);
}

std::vector<uint8_t> movieWithContent(writer::Compression compression) {
  return writer::SwfBuilder(8, 550, 400, 24)
      .fileAttributes()
      .defineRectangle(1, 100, 50, {0xff, 0, 0})
      .placeObject(1, 1, 10, 20)
      .doAction(writer::ActionBuilder().assign("x", "1"))
      .showFrame()
      .metadata(std::string(100, 'm'))
      .showFrame()
      .build(compression);
}

// Whatever a damaged file parses to, an accepted one must hold together.
void expectConsistent(const SwfReadResult& read) {
  if (!read.ok()) {
    EXPECT_TRUE(read.file.bytes.empty());
    EXPECT_TRUE(read.file.tags.empty());
    return;
  }
  ASSERT_FALSE(read.file.tags.empty());
  EXPECT_EQ(read.file.tags.back().code, kEnd);
  EXPECT_EQ(read.file.bytes.size(), read.file.fileLength);
  for (const Tag& tag : read.file.tags) EXPECT_LE(tag.offset + tag.length, read.file.bytes.size());
}

class SwfRoundTrip : public testing::TestWithParam<writer::Compression> {};

TEST_P(SwfRoundTrip, HeaderAndTagsReadBackAsWritten) {
  const bool zlib = GetParam() == writer::Compression::kZlib;
  const std::vector<uint8_t> bytes = twoFrameMovie(GetParam());
  const SwfReadResult read = parseSwf(bytes);
  ASSERT_TRUE(read.ok()) << describe(read.error);
  const SwfFile& file = read.file;

  EXPECT_EQ(file.compression, zlib ? Compression::kZlib : Compression::kNone);
  EXPECT_EQ(file.version, 8);
  EXPECT_EQ(file.fileLength, file.bytes.size());
  if (!zlib) {
    EXPECT_EQ(file.fileLength, bytes.size());
  }
  EXPECT_EQ(file.frameSize.xMin, 0);
  EXPECT_EQ(file.frameSize.xMax, 320 * 20);
  EXPECT_EQ(file.frameSize.yMin, 0);
  EXPECT_EQ(file.frameSize.yMax, 240 * 20);
  EXPECT_EQ(file.frameRate(), 12.0);
  EXPECT_EQ(file.frameCount, 2);
  EXPECT_EQ(tagCodes(file), (std::vector<uint16_t>{kFileAttributes, kBackground, kShowFrame, kShowFrame, kEnd}));
  EXPECT_EQ(bodyOf(file, file.tags[0]), (std::vector<uint8_t>{0, 0, 0, 0}));
  EXPECT_EQ(bodyOf(file, file.tags[1]), (std::vector<uint8_t>{0x12, 0x34, 0x56}));
}

TEST_P(SwfRoundTrip, EveryTruncationFails) {
  const std::vector<uint8_t> bytes = movieWithContent(GetParam());
  ASSERT_TRUE(parseSwf(bytes).ok());
  for (size_t size = 0; size < bytes.size(); ++size) {
    const SwfReadResult read = parseSwf(std::span(bytes.data(), size));
    EXPECT_EQ(read.error, size == 0 ? SwfError::kNotSwf : SwfError::kTruncated) << "cut at " << size;
    expectConsistent(read);
  }
}

TEST_P(SwfRoundTrip, DamagedBytesNeverBreakTheReader) {
  const std::vector<uint8_t> original = movieWithContent(GetParam());
  std::mt19937 random(20240611);
  for (int round = 0; round < 3000; ++round) {
    std::vector<uint8_t> bytes = original;
    const int flips = 1 + static_cast<int>(random() % 4);
    for (int i = 0; i < flips; ++i) bytes[random() % bytes.size()] = static_cast<uint8_t>(random());
    expectConsistent(parseSwf(bytes));
  }
}

INSTANTIATE_TEST_SUITE_P(PlainAndZlib, SwfRoundTrip,
                         testing::Values(writer::Compression::kNone, writer::Compression::kZlib));

TEST(SwfFile, FractionalRatesLongTagsAndNegativeRects) {
  const SwfReadResult read = parseSwf(writer::SwfBuilder(6, 100, 100, 29.97)
                                          .metadata(std::string(200, 'x'))
                                          .showFrame()
                                          .build(writer::Compression::kNone));
  ASSERT_TRUE(read.ok()) << describe(read.error);
  EXPECT_EQ(read.file.frameRate88, 7672);  // 29.97 * 256, rounded
  EXPECT_NEAR(read.file.frameRate(), 29.97, 1.0 / 256);
  const Tag& metadata = read.file.tags[0];
  ASSERT_EQ(metadata.code, kMetadata);
  ASSERT_EQ(metadata.length, 201u);  // past 62 bytes: the long header form
  const std::vector<uint8_t> body = bodyOf(read.file, metadata);
  EXPECT_EQ(std::string(body.begin(), body.end() - 1), std::string(200, 'x'));
  EXPECT_EQ(body.back(), 0);

  // 63 bytes is the first length that needs the long form: the short form's
  // 0x3f means "length follows".
  const SwfReadResult edge = parseSwf(
      writer::SwfBuilder(8, 10, 10, 1).metadata(std::string(62, 'y')).showFrame().build(writer::Compression::kNone));
  ASSERT_TRUE(edge.ok()) << describe(edge.error);
  EXPECT_EQ(edge.file.tags[0].length, 63u);
  EXPECT_EQ(edge.file.tags[1].code, kShowFrame);

  writer::ByteWriter out;
  writer::writeRect(out, -100, 5000, -3, 7);
  ByteReader in(out.data());
  const int bits = static_cast<int>(in.bits(5));
  EXPECT_EQ(in.signedBits(bits), -100);
  EXPECT_EQ(in.signedBits(bits), 5000);
  EXPECT_EQ(in.signedBits(bits), -3);
  EXPECT_EQ(in.signedBits(bits), 7);
  EXPECT_FALSE(in.overrun());
}

TEST(SwfFile, OwnMoviesHaveTheirLayout) {
  const SwfReadResult empty = parseSwf(writer::emptyMovie());
  ASSERT_TRUE(empty.ok()) << describe(empty.error);
  EXPECT_EQ(empty.file.compression, Compression::kNone);
  EXPECT_EQ(empty.file.frameCount, 2);
  EXPECT_EQ(tagCodes(empty.file), (std::vector<uint16_t>{kFileAttributes, kBackground, kShowFrame, kShowFrame, kEnd}));
  EXPECT_EQ(bodyOf(empty.file, empty.file.tags[1]), (std::vector<uint8_t>{0, 0, 0}));

  const SwfReadResult player = parseSwf(writer::playerMovie());
  ASSERT_TRUE(player.ok()) << describe(player.error);
  EXPECT_EQ(player.file.compression, Compression::kZlib);
  EXPECT_EQ(player.file.frameCount, 1);
  // The frame label marks it as the player movie.
  constexpr uint16_t kFrameLabel = 43;
  EXPECT_EQ(tagCodes(player.file), (std::vector<uint16_t>{kFileAttributes, kBackground, kDefineShape, kPlaceObject2,
                                                          kDoAction, kFrameLabel, kShowFrame, kEnd}));
}

// Decodes the player movie's rectangle bit by bit: a wrong field width in the
// writer shifts everything after it and breaks the path.
TEST(SwfFile, PlayerMovieRectangleIsAClosedFilledPathInTheMiddle) {
  const SwfReadResult read = parseSwf(writer::playerMovie());
  ASSERT_TRUE(read.ok());
  const Tag& shape = read.file.tags[2];
  ByteReader in(read.file.bytes, shape.offset);
  EXPECT_EQ(in.u16(), 1);  // shape id
  const int boundsBits = static_cast<int>(in.bits(5));
  const int32_t bounds[4] = {in.signedBits(boundsBits), in.signedBits(boundsBits), in.signedBits(boundsBits),
                             in.signedBits(boundsBits)};
  EXPECT_EQ(bounds[0], 0);
  EXPECT_EQ(bounds[1], 3200);
  EXPECT_EQ(bounds[2], 0);
  EXPECT_EQ(bounds[3], 2400);
  EXPECT_EQ(in.u8(), 1);  // fill styles
  EXPECT_EQ(in.u8(), 0);  // solid
  in.skip(3);             // colour
  EXPECT_EQ(in.u8(), 0);  // line styles
  const int fillBits = static_cast<int>(in.bits(4));
  const int lineBits = static_cast<int>(in.bits(4));
  int32_t x = 0, y = 0, farthestX = 0, farthestY = 0;
  int edges = 0;
  bool filled = false;
  while (!in.overrun()) {
    if (in.bits(1) == 0) {
      const uint32_t flags = in.bits(5);
      if (flags == 0) break;
      ASSERT_EQ(flags & 0x10, 0u) << "no new styles expected";
      if (flags & 1) {
        const int bits = static_cast<int>(in.bits(5));
        x = in.signedBits(bits);
        y = in.signedBits(bits);
      }
      if (flags & 2) in.bits(fillBits);
      if (flags & 4) filled = in.bits(fillBits) == 1;
      if (flags & 8) in.bits(lineBits);
      continue;
    }
    ASSERT_EQ(in.bits(1), 1u) << "straight edges only";
    const int bits = static_cast<int>(in.bits(4)) + 2;
    if (in.bits(1)) {
      x += in.signedBits(bits);
      y += in.signedBits(bits);
    } else if (in.bits(1)) {
      y += in.signedBits(bits);
    } else {
      x += in.signedBits(bits);
    }
    ++edges;
    farthestX = std::max(farthestX, x);
    farthestY = std::max(farthestY, y);
  }
  EXPECT_FALSE(in.overrun());
  EXPECT_EQ(in.position(), shape.offset + shape.length);
  EXPECT_TRUE(filled);
  EXPECT_EQ(edges, 4);
  EXPECT_EQ(x, 0);
  EXPECT_EQ(y, 0);
  EXPECT_EQ(farthestX, bounds[1]);
  EXPECT_EQ(farthestY, bounds[3]);

  const Tag& place = read.file.tags[3];
  ByteReader placing(read.file.bytes, place.offset);
  EXPECT_EQ(placing.u8(), 0x06);   // has a character and a matrix
  EXPECT_EQ(placing.u16(), 1);     // depth
  EXPECT_EQ(placing.u16(), 1);     // the rectangle
  EXPECT_EQ(placing.bits(2), 0u);  // no scale, no rotation
  const int translateBits = static_cast<int>(placing.bits(5));
  const int32_t left = placing.signedBits(translateBits);
  const int32_t top = placing.signedBits(translateBits);
  EXPECT_EQ(2 * left + bounds[1], read.file.frameSize.xMax);
  EXPECT_EQ(2 * top + bounds[3], read.file.frameSize.yMax);
  EXPECT_EQ(placing.position(), place.offset + place.length);
}

TEST(SwfFile, LyingLengthsFail) {
  const std::vector<uint8_t> plain = twoFrameMovie(writer::Compression::kNone);
  const std::vector<uint8_t> packed = twoFrameMovie(writer::Compression::kZlib);
  const uint32_t length = static_cast<uint32_t>(plain.size());

  EXPECT_EQ(parseSwf(test::withStatedLength(plain, 0xffffffff)).error, SwfError::kTooLarge);
  EXPECT_EQ(parseSwf(test::withStatedLength(packed, 0xffffffff)).error, SwfError::kTooLarge);
  EXPECT_EQ(parseSwf(test::withStatedLength(packed, kMaxMovieBytes + 1)).error, SwfError::kTooLarge);
  // Within the limit but far beyond what the stream holds.
  EXPECT_EQ(parseSwf(test::withStatedLength(packed, kMaxMovieBytes)).error, SwfError::kTruncated);
  EXPECT_EQ(parseSwf(test::withStatedLength(plain, length + 1)).error, SwfError::kTruncated);
  EXPECT_EQ(parseSwf(test::withStatedLength(plain, length - 2)).error, SwfError::kTruncated);
  EXPECT_EQ(parseSwf(test::withStatedLength(plain, 4)).error, SwfError::kTruncated);
  EXPECT_EQ(parseSwf(test::withStatedLength(packed, length - 1)).error, SwfError::kCorrupt);

  std::vector<uint8_t> padded = plain;
  padded.insert(padded.end(), {1, 2, 3});
  const SwfReadResult read = parseSwf(padded);
  ASSERT_TRUE(read.ok()) << "bytes after the stated length are not part of the movie";
  EXPECT_EQ(read.file.tags.size(), 5u);

  std::vector<uint8_t> badChecksum = packed;
  badChecksum.back() ^= 0x01;
  EXPECT_EQ(parseSwf(badChecksum).error, SwfError::kCorrupt);
}

TEST(SwfFile, TagsThatRunPastTheEndFail) {
  const std::vector<uint8_t> plain = twoFrameMovie(writer::Compression::kNone);
  const SwfFile file = parseSwf(plain).file;
  ASSERT_EQ(file.tags.size(), 5u);

  std::vector<uint8_t> shortForm = plain;
  const size_t background = file.tags[1].offset - 2;
  shortForm[background] |= 0x3e;  // 62 bytes, more than remain
  EXPECT_EQ(parseSwf(shortForm).error, SwfError::kTruncated);

  const std::vector<uint8_t> withMetadata =
      writer::SwfBuilder(8, 10, 10, 1).metadata(std::string(80, 'm')).showFrame().build(writer::Compression::kNone);
  std::vector<uint8_t> longForm = withMetadata;
  const size_t metadataLength = parseSwf(withMetadata).file.tags[0].offset - 4;
  for (int i = 0; i < 4; ++i) longForm[metadataLength + i] = 0xff;
  EXPECT_EQ(parseSwf(longForm).error, SwfError::kTruncated);

  std::vector<uint8_t> noEnd(plain.begin(), plain.end() - 2);
  EXPECT_EQ(parseSwf(test::withStatedLength(noEnd, static_cast<uint32_t>(noEnd.size()))).error, SwfError::kTruncated);
}

TEST(SwfFile, ForeignDataIsRefused) {
  const std::vector<uint8_t> lzma = {'Z', 'W',  'S', 13, 60, 0, 0, 0, 20, 0, 0, 0, 0x5d, 0,
                                     0,   0x10, 0,   1,  2,  3, 4, 5, 6,  7, 8, 9, 10};
  EXPECT_EQ(parseSwf(lzma).error, SwfError::kLzmaUnsupported);

  const std::string text = "<html>not a movie</html>";
  EXPECT_EQ(parseSwf(std::span(reinterpret_cast<const uint8_t*>(text.data()), text.size())).error, SwfError::kNotSwf);

  std::mt19937 random(99);
  for (int round = 0; round < 2000; ++round) {
    std::vector<uint8_t> bytes(random() % 300);
    for (uint8_t& byte : bytes) byte = static_cast<uint8_t>(random());
    // Half of the rounds pass the signature check and reach the header and tags.
    if (round % 2 && bytes.size() >= 3) {
      bytes[0] = round % 4 == 1 ? 'F' : 'C';
      bytes[1] = 'W';
      bytes[2] = 'S';
    }
    const SwfReadResult read = parseSwf(bytes);
    expectConsistent(read);
    if (round % 2 == 0) {
      EXPECT_FALSE(read.ok());
    }
  }
}

TEST(SwfFileOnDisk, ReadsMoviesAndRefusesWhatIsNotOne) {
  const test::TempFolder folder;
  const std::vector<uint8_t> bytes = twoFrameMovie(writer::Compression::kZlib);
  const SwfReadResult read = readSwfFile(folder.write("movie.swf", bytes));
  ASSERT_TRUE(read.ok()) << describe(read.error);
  EXPECT_EQ(read.file.bytes, parseSwf(bytes).file.bytes);

  EXPECT_EQ(readSwfFile(folder.path("missing.swf")).error, SwfError::kCannotOpen);
  EXPECT_EQ(readSwfFile(folder.path("")).error, SwfError::kCannotOpen);  // the folder itself
  EXPECT_EQ(readSwfFile(folder.write("empty.swf", {})).error, SwfError::kNotSwf);

  // A sparse file: large on disk, refused before anything is read.
  const std::string huge = folder.write("huge.swf", bytes);
  std::filesystem::resize_file(huge, kMaxMovieBytes + (8u << 20));
  EXPECT_EQ(readSwfFile(huge).error, SwfError::kTooLarge);
}

}  // namespace
}  // namespace qm::swf
