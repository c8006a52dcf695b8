#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>

struct mpv_handle;

namespace qm {

// A PNG has no reduced-size decoding, and libmpv holds a whole decoded
// 16000 x 16000 picture (a gigabyte) and more while it scales it to the
// window. A PNG far larger than any screen therefore reaches libmpv through
// a stream of its own: the file is decoded a line at a time and averaged
// down by a whole factor as it goes, so only the reduced picture is ever
// held. Transparency is laid over black, as libmpv shows it.

// The factor the PNG is reduced by: 2 or more when its longer side is at
// least twice kSharpPictureSide (which the reduced side then keeps), else
// 1; 1 also for anything that is not a PNG and for interlaced PNGs, whose
// lines do not come in order.
int pngReductionFactor(const std::string& path);

// The reduced picture as a PPM file, made on the first read, so that the
// long decode runs while libmpv waits for data, where it can be cancelled.
class ReducedPngStream {
 public:
  ReducedPngStream(std::string path, int factor) : path_(std::move(path)), factor_(factor) {}

  // -1 when the file cannot be decoded or the decode was cancelled.
  std::int64_t read(char* out, std::uint64_t bytes);
  bool seek(std::int64_t position);
  // Any thread: a decode under way stops at its next line.
  void cancel() { cancelled_ = true; }
  // Frees the picture; the stream reads nothing more.
  void release() {
    std::string().swap(file_);
    position_ = 0;
    made_ = failed_ = true;
  }

 private:
  bool make();

  std::string path_;
  int factor_;
  std::atomic<bool> cancelled_{false};
  bool made_ = false;
  bool failed_ = false;
  std::string file_;  // the PPM: header and RGB lines
  std::int64_t position_ = 0;
};

// Registers the stream protocol with a libmpv player; false when refused.
bool addReducedPngProtocol(mpv_handle* mpv);
// What to hand libmpv's loadfile for a PNG reduced by `pngReductionFactor`,
// and the per-file option that names the stream's format.
std::string reducedPngUri(const std::string& path);
constexpr char kReducedPngFormatOption[] = "demuxer-lavf-format=ppm_pipe";

}  // namespace qm
