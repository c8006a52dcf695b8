#include "platform/av/av_thumbnail_decoder.h"

#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <chrono>

#include "platform/av/key_frame_reader.h"

namespace qm {

namespace {

// The worker's niceness: it gets a small share of a processor the video's
// own decoding wants, and all of one that is idle.
constexpr int kWorkerNice = 10;
// A key frame this close before the time asked is its frame (a frame at
// 25 per second lasts 0.04 s).
constexpr double kKeyFrameNearEnough = 0.05;
// How long the pointer rests on a time before its exact frame is decoded.
constexpr std::chrono::milliseconds kRestBeforeExact{150};

}  // namespace

AvThumbnailDecoder::AvThumbnailDecoder() : receiver_(std::make_unique<QObject>()) {
  worker_ = std::thread([this] { run(); });
}

AvThumbnailDecoder::~AvThumbnailDecoder() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  wake_.notify_one();
  worker_.join();
  receiver_.reset();
}

void AvThumbnailDecoder::request(const std::string& path, double seconds, int width) {
  {
    std::lock_guard lock(mutex_);
    next_ = Job{path, seconds, width};
  }
  wake_.notify_one();
}

void AvThumbnailDecoder::release() {
  {
    std::lock_guard lock(mutex_);
    releaseWanted_ = true;
  }
  wake_.notify_one();
}

void AvThumbnailDecoder::answer(Thumbnail thumbnail) {
  QMetaObject::invokeMethod(
      receiver_.get(), [this, thumbnail = std::move(thumbnail)] { Decoded.raise(thumbnail); }, Qt::QueuedConnection);
}

void AvThumbnailDecoder::run() {
  setpriority(PRIO_PROCESS, static_cast<id_t>(syscall(SYS_gettid)), kWorkerNice);
  KeyFrameReader reader(stopping_);
  for (;;) {
    Job job;
    {
      std::unique_lock lock(mutex_);
      wake_.wait(lock, [this] { return stopping_ || next_ || releaseWanted_; });
      if (stopping_) return;
      if (releaseWanted_) {
        releaseWanted_ = false;
        lock.unlock();
        reader.close();
        continue;
      }
      job = std::move(*next_);
      next_.reset();
    }
    Thumbnail thumbnail{job.path, job.seconds, nullptr, true};
    if (reader.path() != job.path && !reader.open(job.path)) {
      thumbnail.hasVideo = false;
    } else if (QImage picture = reader.frameAt(job.seconds, job.width); !picture.isNull()) {
      thumbnail.picture = std::make_shared<const QImage>(std::move(picture));
    }
    const bool refine = thumbnail.picture && job.seconds - reader.lastKeySeconds() > kKeyFrameNearEnough;
    answer(std::move(thumbnail));
    if (!refine) continue;
    // The key frame shows at once; a pointer that rests there then gets the
    // frame of its own time, unless it moves on first. A sweep along the bar
    // moves on within the pause, and no decoding is spent on it.
    const auto superseded = [this] { return stopping_ || releaseWanted_ || next_.has_value(); };
    {
      std::unique_lock lock(mutex_);
      if (wake_.wait_for(lock, kRestBeforeExact, superseded)) continue;
    }
    const auto supersededNow = [this, &superseded] {
      std::lock_guard lock(mutex_);
      return superseded();
    };
    if (QImage exact = reader.exactFrameAt(job.seconds, job.width, supersededNow); !exact.isNull() && !supersededNow())
      answer(Thumbnail{job.path, job.seconds, std::make_shared<const QImage>(std::move(exact)), true, true});
  }
}

}  // namespace qm
