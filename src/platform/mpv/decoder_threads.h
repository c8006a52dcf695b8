#pragma once

#include <atomic>
#include <thread>

struct mpv_handle;

namespace qm {

// How many threads decode the video of a file, chosen for each file before
// its decoder starts. Frame threads each hold a decoder context and frames
// in flight (10 MiB more for a 720p H.264 video on two cores) and cost CPU
// handing frames over, and gain nothing where one thread decodes many times
// faster than the video plays: a video light to decode gets one thread,
// anything larger or heavier libmpv's count for the machine.
//
// The choice is made on a client of libmpv's own, on a thread of its own, so
// an open never waits for the program's thread (a file opened ahead decodes
// while the window is built).
class DecoderThreads {
 public:
  explicit DecoderThreads(mpv_handle* mpv);
  // Must run before the handle it was made from is destroyed.
  ~DecoderThreads();
  DecoderThreads(const DecoderThreads&) = delete;
  DecoderThreads& operator=(const DecoderThreads&) = delete;

 private:
  void run();
  void choose();

  mpv_handle* client_ = nullptr;
  std::atomic<bool> stopping_{false};
  std::thread thread_;
};

}  // namespace qm
