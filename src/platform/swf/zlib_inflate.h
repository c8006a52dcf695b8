#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace qm::swf {

enum class InflateResult {
  kOk,
  kShort,    // the stream, or its input, ends before `expected` bytes
  kLong,     // the stream holds more than `expected` bytes
  kCorrupt,  // damaged data or checksum
};

// Appends the inflated bytes of a zlib stream to `out`, which must come to
// exactly `expected` bytes with the stream's checksum intact. The output grows
// with what the stream really yields, so a small stream that claims a large
// size costs no more memory than it inflates to; on failure `out` keeps only
// what it held before.
InflateResult inflateExactly(std::span<const uint8_t> input, size_t expected, std::vector<uint8_t>& out);

}  // namespace qm::swf
