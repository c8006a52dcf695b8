#pragma once

#include <QImage>
#include <atomic>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <string>
#include <utility>

struct AVFormatContext;
struct AVCodecContext;
struct AVPacket;
struct AVFrame;
struct SwsContext;

namespace qm {

// Small pictures of one video file, read with libavformat and libavcodec:
// a time gives the key frame at or before it, scaled down. Seeking to key
// frames and decoding nothing else keeps a picture to one frame's work, and
// the pictures of the key frames seen last are kept, so a pointer sweeping
// back and forth mostly decodes nothing. Used from one thread at a time.
class KeyFrameReader {
 public:
  // `stop` set ends a read or a decoding under way early (it then fails).
  explicit KeyFrameReader(const std::atomic<bool>& stop);
  ~KeyFrameReader();
  KeyFrameReader(const KeyFrameReader&) = delete;
  KeyFrameReader& operator=(const KeyFrameReader&) = delete;

  // Opens `path` (closing the file before); false when it does not open or
  // holds no video stream (music, also with a cover picture).
  bool open(const std::string& path);
  void close();
  bool isOpen() const { return format_ != nullptr; }
  const std::string& path() const { return path_; }

  // The key frame at or before `seconds`, `width` pixels wide with the
  // video's display shape; null when none could be decoded.
  QImage frameAt(double seconds, int width);
  // Where the key frame of the last frameAt lies, in seconds; negative when
  // unknown.
  double lastKeySeconds() const { return lastKeySeconds_; }
  // The first frame at or after `seconds`, decoded on from the key frame
  // before it; null when `superseded` turns true first or none comes.
  QImage exactFrameAt(double seconds, int width, const std::function<bool()>& superseded);

 private:
  // `seconds` from the video's start in the stream's time base.
  std::int64_t streamTime(double seconds) const;
  double secondsOf(std::int64_t streamTime) const;
  // The time stamp of the key frame at or before `seconds` in the file's
  // index; AV_NOPTS_VALUE without an index.
  std::int64_t indexedKeyFrame(double seconds) const;
  bool seek(double seconds);
  // The next packet of the video stream, or false at the end or on an error.
  bool readVideoPacket();
  // Decodes from the packet read last on until a frame comes out.
  bool decodeFrame();
  QImage scaled(int width);
  void remember(std::int64_t key, int width, const QImage& picture);

  const std::atomic<bool>& stop_;
  std::string path_;
  AVFormatContext* format_ = nullptr;
  AVCodecContext* codec_ = nullptr;
  AVPacket* packet_ = nullptr;
  AVFrame* frame_ = nullptr;
  SwsContext* scaler_ = nullptr;
  int stream_ = -1;
  double lastKeySeconds_ = -1;

  // Pictures by the key frame's time stamp and width, oldest first out.
  std::map<std::pair<std::int64_t, int>, QImage> pictures_;
  std::deque<std::pair<std::int64_t, int>> order_;
};

}  // namespace qm
