#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace qm::swf {

// The reader refuses movies larger than this once uncompressed, and never
// allocates more than the data it actually holds.
constexpr size_t kMaxMovieBytes = 64u << 20;
// More tags than any real movie of that size holds; bounds the tag list.
constexpr size_t kMaxTags = 4u << 20;

enum class Compression { kNone, kZlib, kLzma };

enum class SwfError {
  kNone,
  kCannotOpen,       // missing, unreadable or not a regular file
  kNotSwf,           // no FWS, CWS or ZWS signature
  kLzmaUnsupported,  // ZWS: this reader has no LZMA decoder
  kTooLarge,         // over kMaxMovieBytes or kMaxTags
  kTruncated,        // the data ends before the header or the tags say it does
  kCorrupt,          // the zlib stream is damaged or inflates past the stated length
};

const char* describe(SwfError error);

struct Rect {
  int32_t xMin = 0;
  int32_t xMax = 0;
  int32_t yMin = 0;
  int32_t yMax = 0;
};

struct Tag {
  uint16_t code = 0;
  uint32_t length = 0;
  // Where the body starts in SwfFile::bytes.
  size_t offset = 0;
};

struct SwfFile {
  Compression compression = Compression::kNone;
  uint8_t version = 0;
  // As the header states it: the length of the uncompressed file.
  uint32_t fileLength = 0;
  Rect frameSize;  // twips
  // Frames per second in 8.8 fixed point.
  uint16_t frameRate88 = 0;
  uint16_t frameCount = 0;
  // Every tag up to and including the End tag.
  std::vector<Tag> tags;
  // The uncompressed file, header included, so offsets are the same for
  // compressed and plain files.
  std::vector<uint8_t> bytes;

  double frameRate() const { return frameRate88 / 256.0; }
  std::span<const uint8_t> body(const Tag& tag) const { return {bytes.data() + tag.offset, tag.length}; }
};

struct SwfReadResult {
  SwfError error = SwfError::kNone;
  SwfFile file;  // filled only without an error

  bool ok() const { return error == SwfError::kNone; }
};

// Reads a SWF movie from memory or from a file. The header's length is
// checked against the data rather than trusted: data shorter than the header
// says is truncated. Bytes after the stated length of a plain file are
// ignored; a compressed file must inflate to exactly that length with its
// checksum intact, since its end is where damage shows.
SwfReadResult parseSwf(std::span<const uint8_t> data);
SwfReadResult readSwfFile(const std::string& path);

// The stage colour a movie sets (its first SetBackgroundColor) as 0xRRGGBB;
// white, as Flash shows it, for a movie that sets none.
uint32_t stageColour(const SwfFile& file);

// The file as the system knows it now (size, change time, inode): a file
// read before is unchanged while this stays the same. Empty when it cannot
// be looked at.
std::string fileIdentity(const std::string& path);

}  // namespace qm::swf
