#include "platform/swf/zlib_inflate.h"

#include <zlib.h>

#include <algorithm>
#include <climits>

namespace qm::swf {
namespace {

constexpr size_t kFirstChunk = 64u << 10;

class Inflater {
 public:
  Inflater() { ready_ = inflateInit(&stream_) == Z_OK; }
  ~Inflater() {
    if (ready_) inflateEnd(&stream_);
  }
  Inflater(const Inflater&) = delete;
  Inflater& operator=(const Inflater&) = delete;

  bool ready() const { return ready_; }
  z_stream& stream() { return stream_; }

 private:
  z_stream stream_{};
  bool ready_ = false;
};

InflateResult run(z_stream& stream, size_t expected, std::vector<uint8_t>& out, size_t start) {
  size_t produced = 0;
  // Once `expected` bytes are out, inflating goes on into one spare byte: the
  // stream must end there, and its end is where zlib checks the checksum.
  uint8_t spare = 0;
  while (true) {
    if (produced < expected && out.size() == start + produced) {
      out.resize(out.size() + std::min(expected - produced, std::max(kFirstChunk, produced)));
    }
    const bool full = produced == expected;
    stream.next_out = full ? &spare : out.data() + start + produced;
    stream.avail_out = full ? 1 : static_cast<uInt>(std::min<size_t>(out.size() - start - produced, UINT_MAX));
    const uInt roomBefore = stream.avail_out;
    const uInt inputBefore = stream.avail_in;
    const int status = inflate(&stream, Z_NO_FLUSH);
    if (full && stream.avail_out != roomBefore) return InflateResult::kLong;
    produced += roomBefore - stream.avail_out;
    if (status == Z_STREAM_END) return produced == expected ? InflateResult::kOk : InflateResult::kShort;
    if (status != Z_OK && status != Z_BUF_ERROR) return InflateResult::kCorrupt;
    // No progress with room left: the input ended mid-stream.
    if (stream.avail_out == roomBefore && stream.avail_in == inputBefore) return InflateResult::kShort;
  }
}

}  // namespace

InflateResult inflateExactly(std::span<const uint8_t> input, size_t expected, std::vector<uint8_t>& out) {
  Inflater inflater;
  if (!inflater.ready()) return InflateResult::kCorrupt;
  z_stream& stream = inflater.stream();
  // Callers bound the input well below 4 GiB; the cast only meets the API's type.
  stream.next_in = const_cast<Bytef*>(input.data());
  stream.avail_in = static_cast<uInt>(std::min<size_t>(input.size(), UINT_MAX));

  const size_t start = out.size();
  const InflateResult result = run(stream, expected, out, start);
  if (result != InflateResult::kOk) out.resize(start);
  return result;
}

}  // namespace qm::swf
