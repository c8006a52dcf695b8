#include "platform/swf/swf_file.h"

#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "platform/swf/byte_reader.h"
#include "platform/swf/swf_tags.h"
#include "platform/swf/zlib_inflate.h"

namespace qm::swf {
namespace {

// Signature, version and file length.
constexpr size_t kHeaderBytes = 8;
constexpr uint32_t kLongTagLength = 0x3f;
// A compressed file can be a little larger than its contents; zlib's worst
// case is far below this margin.
constexpr size_t kMaxFileBytes = kMaxMovieBytes + (1u << 20);

struct Signature {
  char text[4];
  Compression compression;
};
constexpr Signature kSignatures[] = {
    {"FWS", Compression::kNone}, {"CWS", Compression::kZlib}, {"ZWS", Compression::kLzma}};

const Signature* findSignature(std::span<const uint8_t> data) {
  const size_t length = std::min<size_t>(data.size(), 3);
  for (const Signature& signature : kSignatures) {
    if (length > 0 && std::equal(data.begin(), data.begin() + length, signature.text)) return &signature;
  }
  return nullptr;
}

// The frame size, rate and count, then the tags up to the End tag.
SwfError parseMovie(SwfFile& file) {
  ByteReader in(file.bytes, kHeaderBytes);
  const int fieldBits = static_cast<int>(in.bits(5));
  file.frameSize.xMin = in.signedBits(fieldBits);
  file.frameSize.xMax = in.signedBits(fieldBits);
  file.frameSize.yMin = in.signedBits(fieldBits);
  file.frameSize.yMax = in.signedBits(fieldBits);
  file.frameRate88 = in.u16();
  file.frameCount = in.u16();
  if (in.overrun()) return SwfError::kTruncated;

  while (true) {
    if (in.remaining() < 2) return SwfError::kTruncated;
    const uint16_t header = in.u16();
    Tag tag;
    tag.code = header >> 6;
    tag.length = header & kLongTagLength;
    if (tag.length == kLongTagLength) {
      if (in.remaining() < 4) return SwfError::kTruncated;
      tag.length = in.u32();
    }
    if (tag.length > in.remaining()) return SwfError::kTruncated;
    if (file.tags.size() == kMaxTags) return SwfError::kTooLarge;
    tag.offset = in.position();
    file.tags.push_back(tag);
    if (tag.code == tag::kEnd) return SwfError::kNone;
    in.skip(tag.length);
  }
}

SwfError parse(std::span<const uint8_t> data, SwfFile& file) {
  const Signature* signature = findSignature(data);
  if (!signature) return SwfError::kNotSwf;
  if (data.size() < kHeaderBytes) return SwfError::kTruncated;
  file.compression = signature->compression;
  if (file.compression == Compression::kLzma) return SwfError::kLzmaUnsupported;

  ByteReader header(data, 3);
  file.version = header.u8();
  file.fileLength = header.u32();
  if (file.fileLength > kMaxMovieBytes) return SwfError::kTooLarge;
  if (file.fileLength < kHeaderBytes) return SwfError::kTruncated;

  if (file.compression == Compression::kNone) {
    if (data.size() < file.fileLength) return SwfError::kTruncated;
    file.bytes.assign(data.begin(), data.begin() + file.fileLength);
  } else {
    file.bytes.assign(data.begin(), data.begin() + kHeaderBytes);
    switch (inflateExactly(data.subspan(kHeaderBytes), file.fileLength - kHeaderBytes, file.bytes)) {
      case InflateResult::kOk:
        break;
      case InflateResult::kShort:
        return SwfError::kTruncated;
      case InflateResult::kLong:
      case InflateResult::kCorrupt:
        return SwfError::kCorrupt;
    }
  }
  return parseMovie(file);
}

}  // namespace

const char* describe(SwfError error) {
  switch (error) {
    case SwfError::kNone:
      return "no error";
    case SwfError::kCannotOpen:
      return "the file cannot be opened";
    case SwfError::kNotSwf:
      return "not a SWF file";
    case SwfError::kLzmaUnsupported:
      return "LZMA-compressed SWF files are not supported";
    case SwfError::kTooLarge:
      return "the movie is too large";
    case SwfError::kTruncated:
      return "the movie ends before its header or tags say it does";
    case SwfError::kCorrupt:
      return "the compressed movie is damaged or longer than its header says";
  }
  return "unknown error";
}

SwfReadResult parseSwf(std::span<const uint8_t> data) {
  SwfReadResult result;
  result.error = parse(data, result.file);
  if (!result.ok()) result.file = SwfFile{};
  return result;
}

SwfReadResult readSwfFile(const std::string& path) {
  SwfReadResult result;
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) {
    result.error = SwfError::kCannotOpen;
    return result;
  }
  const uintmax_t size = std::filesystem::file_size(path, error);
  if (error) {
    result.error = SwfError::kCannotOpen;
    return result;
  }
  if (size > kMaxFileBytes) {
    result.error = SwfError::kTooLarge;
    return result;
  }
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    result.error = SwfError::kCannotOpen;
    return result;
  }
  std::vector<uint8_t> data(static_cast<size_t>(size));
  in.read(reinterpret_cast<char*>(data.data()), static_cast<std::streamsize>(data.size()));
  data.resize(static_cast<size_t>(in.gcount()));
  return parseSwf(data);
}

uint32_t stageColour(const SwfFile& file) {
  for (const Tag& tag : file.tags) {
    if (tag.code != tag::kSetBackgroundColor || tag.length < 3) continue;
    const auto rgb = file.body(tag);
    return uint32_t(rgb[0]) << 16 | uint32_t(rgb[1]) << 8 | rgb[2];
  }
  return 0xFFFFFF;
}

std::string fileIdentity(const std::string& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return {};
  return std::to_string(st.st_size) + ':' + std::to_string(st.st_ctim.tv_sec) + '.' +
         std::to_string(st.st_ctim.tv_nsec) + ':' + std::to_string(st.st_ino);
}

}  // namespace qm::swf
