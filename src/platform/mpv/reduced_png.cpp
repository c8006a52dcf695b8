#include "platform/mpv/reduced_png.h"

#include <mpv/client.h>
#include <mpv/stream_cb.h>
#include <png.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <new>
#include <vector>

#include "platform/mpv/picture_decode_scale.h"

namespace qm {

namespace {

constexpr char kProtocol[] = "quilmora-png";

std::uint32_t bigEndian32(const unsigned char* p) {
  return std::uint32_t(p[0]) << 24 | std::uint32_t(p[1]) << 16 | std::uint32_t(p[2]) << 8 | p[3];
}

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

void onPngError(png_structp png, png_const_charp) { png_longjmp(png, 1); }
void onPngWarning(png_structp, png_const_charp) {}

// Sums of one band of lines, a box of factor x factor pixels per reduced
// pixel, each colour weighted by its alpha so transparency averages as it
// shows over black.
class BoxAverager {
 public:
  BoxAverager(int width, int factor)
      : width_(width), factor_(factor), outWidth_((width + factor - 1) / factor), sums_(outWidth_ * 3, 0) {}

  int outWidth() const { return outWidth_; }

  void add(const unsigned char* line, int channels) {
    for (int x = 0; x < width_; ++x) {
      const unsigned char* p = line + x * channels;
      const unsigned alpha = channels == 4 ? p[3] : 255;
      std::uint64_t* sum = &sums_[(x / factor_) * 3];
      for (int c = 0; c < 3; ++c) sum[c] += p[c] * alpha;
    }
    ++lines_;
  }

  // Appends the band's reduced line and starts the next band.
  void flush(std::string& out) {
    for (int x = 0; x < outWidth_; ++x) {
      const int columns = std::min(factor_, width_ - x * factor_);
      const std::uint64_t weight = std::uint64_t(255) * columns * lines_;
      for (int c = 0; c < 3; ++c) out.push_back(static_cast<char>((sums_[x * 3 + c] + weight / 2) / weight));
    }
    std::fill(sums_.begin(), sums_.end(), 0);
    lines_ = 0;
  }

 private:
  int width_;
  int factor_;
  int outWidth_;
  std::vector<std::uint64_t> sums_;
  int lines_ = 0;
};

}  // namespace

int pngReductionFactor(const std::string& path) {
  File file(std::fopen(path.c_str(), "rb"));
  unsigned char head[33];
  if (!file || std::fread(head, 1, sizeof head, file.get()) != sizeof head) return 1;
  static const unsigned char kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
  if (std::memcmp(head, kSignature, 8) != 0 || std::memcmp(head + 12, "IHDR", 4) != 0) return 1;
  const std::uint32_t width = bigEndian32(head + 16);
  const std::uint32_t height = bigEndian32(head + 20);
  const bool interlaced = head[28] != 0;
  const std::uint32_t longer = std::max(width, height);
  if (interlaced || longer < 2u * kSharpPictureSide) return 1;
  return static_cast<int>(longer / kSharpPictureSide);
}

std::int64_t ReducedPngStream::read(char* out, std::uint64_t bytes) {
  if (!made_) {
    made_ = true;
    // Called from libmpv's C code, which no exception may cross.
    try {
      failed_ = !make();
    } catch (const std::bad_alloc&) {
      failed_ = true;
    }
  }
  if (failed_) return -1;
  const std::uint64_t left = file_.size() - static_cast<std::uint64_t>(position_);
  const std::uint64_t n = std::min(bytes, left);
  std::memcpy(out, file_.data() + position_, n);
  position_ += static_cast<std::int64_t>(n);
  return static_cast<std::int64_t>(n);
}

bool ReducedPngStream::seek(std::int64_t position) {
  // Before the picture is made only the start is known to exist.
  const std::int64_t size = made_ ? static_cast<std::int64_t>(file_.size()) : 0;
  if (position < 0 || (made_ && position > size) || (!made_ && position != 0)) return false;
  position_ = position;
  return true;
}

namespace {

// What a decode makes; it lives outside the function that calls setjmp, so
// nothing there changes between the setjmp and a long jump back to it.
struct Reduction {
  std::vector<unsigned char> line;
  std::unique_ptr<BoxAverager> averager;
  std::string ppm;
  int width = 0;
  int height = 0;
};

// libpng reports errors by a long jump back to the setjmp here.
bool readReduced(png_structp png, png_infop info, std::FILE* file, int factor, const std::atomic<bool>& cancelled,
                 Reduction& out) {
  if (setjmp(png_jmpbuf(png)) != 0) return false;
  png_init_io(png, file);
  png_read_info(png, info);
  png_set_expand(png);  // palette and low bit depths to 8 bits, tRNS to alpha
  png_set_strip_16(png);
  png_set_gray_to_rgb(png);
  if (png_get_interlace_type(png, info) != PNG_INTERLACE_NONE) return false;
  png_read_update_info(png, info);
  const int width = static_cast<int>(png_get_image_width(png, info));
  const int height = static_cast<int>(png_get_image_height(png, info));
  const int channels = png_get_channels(png, info);
  if (channels != 3 && channels != 4) return false;
  // The file may have changed since its header was first read.
  const int step = std::max(factor, std::max(width, height) / kSharpPictureSide);
  out.line.resize(png_get_rowbytes(png, info));
  out.averager = std::make_unique<BoxAverager>(width, step);
  out.width = out.averager->outWidth();
  out.height = (height + step - 1) / step;
  out.ppm = "P6\n" + std::to_string(out.width) + " " + std::to_string(out.height) + "\n255\n";
  out.ppm.reserve(out.ppm.size() + std::size_t(out.width) * out.height * 3);
  for (int y = 0; y < height; ++y) {
    if (cancelled) return false;
    png_read_row(png, out.line.data(), nullptr);
    out.averager->add(out.line.data(), channels);
    if ((y + 1) % step == 0 || y + 1 == height) out.averager->flush(out.ppm);
  }
  return true;
}

}  // namespace

bool ReducedPngStream::make() {
  File file(std::fopen(path_.c_str(), "rb"));
  if (!file) return false;
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, onPngError, onPngWarning);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  Reduction reduction;
  const bool ok = info && readReduced(png, info, file.get(), factor_, cancelled_, reduction);
  png_destroy_read_struct(&png, info ? &info : nullptr, nullptr);
  if (!ok) return false;
  file_ = std::move(reduction.ppm);
  return true;
}

// --- libmpv's side ---------------------------------------------------------------

namespace {

ReducedPngStream* cookieStream(void* cookie) { return static_cast<ReducedPngStream*>(cookie); }

// libmpv unhooks a stream's cancel callback only after closing it, so a
// cancel from another thread may still reach a closed stream for a moment.
// Closed streams give their picture back at once and are deleted a while
// later, when another stream opens.
class ClosedStreams {
 public:
  void add(ReducedPngStream* stream) {
    stream->release();
    std::lock_guard lock(mutex_);
    closed_.push_back({std::unique_ptr<ReducedPngStream>(stream), Clock::now()});
  }
  void deleteOld() {
    std::lock_guard lock(mutex_);
    std::erase_if(closed_, [](const Closed& c) { return Clock::now() - c.at > std::chrono::seconds(1); });
  }

 private:
  using Clock = std::chrono::steady_clock;
  struct Closed {
    std::unique_ptr<ReducedPngStream> stream;
    Clock::time_point at;
  };
  std::mutex mutex_;
  std::vector<Closed> closed_;
};

ClosedStreams& closedStreams() {
  static ClosedStreams streams;
  return streams;
}

int openStream(void*, char* uri, mpv_stream_cb_info* info) {
  closedStreams().deleteOld();
  const std::string prefix = std::string(kProtocol) + "://";
  const std::string text(uri);
  if (text.rfind(prefix, 0) != 0) return MPV_ERROR_LOADING_FAILED;
  const std::string path = text.substr(prefix.size());
  const int factor = pngReductionFactor(path);
  if (factor < 2) return MPV_ERROR_LOADING_FAILED;
  info->cookie = new ReducedPngStream(path, factor);
  info->read_fn = [](void* cookie, char* buf, std::uint64_t bytes) -> std::int64_t {
    return cookieStream(cookie)->read(buf, bytes);
  };
  info->seek_fn = [](void* cookie, std::int64_t offset) -> std::int64_t {
    return cookieStream(cookie)->seek(offset) ? offset : std::int64_t{MPV_ERROR_GENERIC};
  };
  info->close_fn = [](void* cookie) { closedStreams().add(cookieStream(cookie)); };
  info->cancel_fn = [](void* cookie) { cookieStream(cookie)->cancel(); };
  return 0;
}

}  // namespace

bool addReducedPngProtocol(mpv_handle* mpv) { return mpv_stream_cb_add_ro(mpv, kProtocol, nullptr, &openStream) >= 0; }

std::string reducedPngUri(const std::string& path) { return std::string(kProtocol) + "://" + path; }

}  // namespace qm
