#pragma once

#include <QObject>
#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "platform/thumbnail_decoder.h"

namespace qm {

// The thumbnail decoder over libavformat and libavcodec, on a thread of its
// own at a lower priority than the player's, so that the playing video keeps
// the processor it needs. One request is decoded at a time; a newer one
// replaces a request still waiting. The file stays open between requests.
// Made and used on the user-interface thread, which needs a running Qt
// event loop for the answers.
class AvThumbnailDecoder : public ThumbnailDecoder {
 public:
  AvThumbnailDecoder();
  ~AvThumbnailDecoder() override;
  AvThumbnailDecoder(const AvThumbnailDecoder&) = delete;
  AvThumbnailDecoder& operator=(const AvThumbnailDecoder&) = delete;

  void request(const std::string& path, double seconds, int width) override;
  void release() override;

 private:
  struct Job {
    std::string path;
    double seconds = 0;
    int width = 0;
  };

  void run();
  void answer(Thumbnail thumbnail);

  std::unique_ptr<QObject> receiver_;  // answers land here; deleting it drops them
  std::mutex mutex_;
  std::condition_variable wake_;
  std::optional<Job> next_;
  bool releaseWanted_ = false;
  std::atomic<bool> stopping_{false};
  std::thread worker_;
};

}  // namespace qm
