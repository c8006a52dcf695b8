#include "platform/swf/bitmap_records.h"

#include <algorithm>
#include <climits>

#include "platform/swf/byte_reader.h"
#include "platform/swf/zlib_inflate.h"

namespace qm::swf {
namespace {

constexpr uint8_t kColourMapped = 3;
constexpr uint8_t kPixels15 = 4;
constexpr uint8_t kPixels32 = 5;

size_t paddedRow(size_t bytes) { return (bytes + 3) / 4 * 4; }

// 0xAARRGGBB with each colour kept within the alpha, as premultiplied
// pixels are.
uint32_t premultiplied(uint8_t alpha, uint8_t red, uint8_t green, uint8_t blue) {
  return uint32_t(alpha) << 24 | uint32_t(std::min(red, alpha)) << 16 | uint32_t(std::min(green, alpha)) << 8 |
         std::min(blue, alpha);
}

bool sizeWithin(int width, int height, size_t maxPixels) {
  return width > 0 && height > 0 && size_t(width) * size_t(height) <= maxPixels;
}

// The size a JPEG's frame header gives, or that of a PNG or GIF.
std::optional<std::pair<int, int>> encodedSize(std::span<const uint8_t> data) {
  auto be16 = [&](size_t at) { return at + 1 < data.size() ? int(data[at] << 8 | data[at + 1]) : -1; };
  auto be32 = [&](size_t at) -> int64_t {
    return at + 3 < data.size() ? int64_t(data[at]) << 24 | data[at + 1] << 16 | data[at + 2] << 8 | data[at + 3] : -1;
  };
  static constexpr uint8_t kPng[] = {0x89, 'P', 'N', 'G'};
  if (data.size() >= 24 && std::equal(std::begin(kPng), std::end(kPng), data.begin())) {
    // IHDR's width and height; past an int, it is no picture to draw.
    const int64_t width = be32(16), height = be32(20);
    if (width > INT32_MAX || height > INT32_MAX) return std::nullopt;
    return std::pair{int(width), int(height)};
  }
  if (data.size() >= 10 && data[0] == 'G' && data[1] == 'I' && data[2] == 'F')
    return std::pair{data[6] | data[7] << 8, data[8] | data[9] << 8};
  if (data.size() < 4 || data[0] != 0xff || data[1] != 0xd8) return std::nullopt;
  for (size_t at = 2; at + 3 < data.size();) {
    if (data[at] != 0xff) return std::nullopt;
    const uint8_t marker = data[at + 1];
    if (marker == 0xff) {  // fill byte
      ++at;
      continue;
    }
    if (marker == 0xd8 || (marker >= 0xd0 && marker <= 0xd7) || marker == 0x01) {
      at += 2;
      continue;
    }
    const bool frame = marker >= 0xc0 && marker <= 0xcf && marker != 0xc4 && marker != 0xc8 && marker != 0xcc;
    if (frame) return std::pair{be16(at + 7), be16(at + 5)};
    if (marker == 0xd9 || marker == 0xda) return std::nullopt;  // no frame header before the image data
    const int length = be16(at + 2);
    if (length < 2) return std::nullopt;
    at += 2 + size_t(length);
  }
  return std::nullopt;
}

// Flash writes its JPEG tables and image as two streams, the tables' end
// and the image's start between them, and older tools put an end and a
// start before the data. A decoder wants one stream. Inside the coded data
// 0xff is always followed by 0 or a restart marker, so these four bytes are
// only ever markers.
// PNG and GIF data is left as it is.
std::vector<uint8_t> oneJpegStream(std::span<const uint8_t> data) {
  static constexpr uint8_t kEndThenStart[] = {0xff, 0xd9, 0xff, 0xd8};
  if (data.empty() || data[0] != 0xff) return std::vector<uint8_t>(data.begin(), data.end());
  std::vector<uint8_t> out;
  out.reserve(data.size());
  for (size_t at = 0; at < data.size();) {
    if (at + 4 <= data.size() && std::equal(std::begin(kEndThenStart), std::end(kEndThenStart), data.begin() + at)) {
      at += 4;
      continue;
    }
    out.push_back(data[at++]);
  }
  return out;
}

}  // namespace

std::optional<Bitmap> readLosslessBitmap(std::span<const uint8_t> body, int version, size_t maxPixels) {
  ByteReader in(body, 2);  // after the id
  const uint8_t format = in.u8();
  Bitmap bitmap;
  bitmap.width = in.u16();
  bitmap.height = in.u16();
  const size_t colours = format == kColourMapped ? size_t(in.u8()) + 1 : 0;
  if (in.overrun() || !sizeWithin(bitmap.width, bitmap.height, maxPixels)) return std::nullopt;
  const size_t width = size_t(bitmap.width), height = size_t(bitmap.height);
  const size_t entryBytes = version >= 2 ? 4 : 3;
  size_t expected = 0;
  if (format == kColourMapped)
    expected = colours * entryBytes + paddedRow(width) * height;
  else if (format == kPixels15 && version == 1)
    expected = paddedRow(width * 2) * height;
  else if (format == kPixels32)
    expected = width * 4 * height;
  else
    return std::nullopt;
  std::vector<uint8_t> data;
  if (inflateExactly(body.subspan(in.position()), expected, data) != InflateResult::kOk) return std::nullopt;

  bitmap.pixels.resize(width * height);
  if (format == kColourMapped) {
    std::vector<uint32_t> table(256, 0);  // an index past the table shows nothing
    for (size_t i = 0; i < colours; ++i) {
      const uint8_t* entry = &data[i * entryBytes];
      // DefineBitsLossless2's entries are premultiplied, as its 32-bit pixels are.
      table[i] = premultiplied(version >= 2 ? entry[3] : 255, entry[0], entry[1], entry[2]);
    }
    const uint8_t* rows = &data[colours * entryBytes];
    for (size_t y = 0; y < height; ++y)
      for (size_t x = 0; x < width; ++x) bitmap.pixels[y * width + x] = table[rows[y * paddedRow(width) + x]];
  } else if (format == kPixels15) {
    for (size_t y = 0; y < height; ++y)
      for (size_t x = 0; x < width; ++x) {
        const uint8_t* p = &data[y * paddedRow(width * 2) + x * 2];
        const uint16_t value = uint16_t(p[0] << 8 | p[1]);
        auto channel = [](uint16_t five) { return uint8_t(five << 3 | five >> 2); };
        bitmap.pixels[y * width + x] =
            premultiplied(255, channel(value >> 10 & 31), channel(value >> 5 & 31), channel(value & 31));
      }
  } else {
    // Alpha (DefineBitsLossless2 only; premultiplied already), red, green, blue.
    for (size_t i = 0; i < width * height; ++i) {
      const uint8_t* p = &data[i * 4];
      bitmap.pixels[i] = premultiplied(version >= 2 ? p[0] : 255, p[1], p[2], p[3]);
    }
  }
  return bitmap;
}

std::optional<Bitmap> readEncodedBitmap(std::span<const uint8_t> body, int version, std::span<const uint8_t> jpegTables,
                                        size_t maxPixels) {
  ByteReader in(body, 2);  // after the id
  size_t imageBytes = body.size() - std::min<size_t>(body.size(), 2);
  if (version == 3) {
    imageBytes = in.u32();
    if (in.overrun() || imageBytes > in.remaining()) return std::nullopt;
  }
  const std::span<const uint8_t> image = body.subspan(in.position(), imageBytes);
  Bitmap bitmap;
  if (version == 1) {
    std::vector<uint8_t> joined(jpegTables.begin(), jpegTables.end());
    joined.insert(joined.end(), image.begin(), image.end());
    bitmap.jpeg = oneJpegStream(joined);
  } else {
    bitmap.jpeg = oneJpegStream(image);
  }
  const auto size = encodedSize(bitmap.jpeg);
  if (!size || !sizeWithin(size->first, size->second, maxPixels)) return std::nullopt;
  bitmap.width = size->first;
  bitmap.height = size->second;
  const bool jpeg = bitmap.jpeg[0] == 0xff;
  if (version == 3 && jpeg) {
    const auto alpha = body.subspan(in.position() + imageBytes);
    // The alpha is optional: a JPEG3 without it is opaque.
    if (!alpha.empty() &&
        inflateExactly(alpha, size_t(bitmap.width) * size_t(bitmap.height), bitmap.alpha) != InflateResult::kOk)
      return std::nullopt;
  }
  return bitmap;
}

}  // namespace qm::swf
