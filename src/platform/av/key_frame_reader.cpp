#include "platform/av/key_frame_reader.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/imgutils.h>
#include <libswscale/swscale.h>
}

#include <cmath>

namespace qm {

namespace {

// How many pictures are kept: about 57 KB each at 160 x 90.
constexpr size_t kKeptPictures = 96;
// Packets read after a seek before giving up on a frame: a file whose seek
// lands far from any key frame gives no picture rather than a long decode.
constexpr int kMaxPackets = 600;

int interrupted(void* stop) { return static_cast<const std::atomic<bool>*>(stop)->load() ? 1 : 0; }

}  // namespace

KeyFrameReader::KeyFrameReader(const std::atomic<bool>& stop) : stop_(stop) {}

KeyFrameReader::~KeyFrameReader() { close(); }

void KeyFrameReader::close() {
  sws_freeContext(scaler_);
  scaler_ = nullptr;
  av_frame_free(&frame_);
  av_packet_free(&packet_);
  avcodec_free_context(&codec_);
  avformat_close_input(&format_);
  stream_ = -1;
  path_.clear();
  pictures_.clear();
  order_.clear();
}

bool KeyFrameReader::open(const std::string& path) {
  close();
  format_ = avformat_alloc_context();
  if (!format_) return false;
  format_->interrupt_callback = {&interrupted, const_cast<std::atomic<bool>*>(&stop_)};
  // On failure avformat_open_input frees the context and clears the pointer.
  if (avformat_open_input(&format_, path.c_str(), nullptr, nullptr) < 0 ||
      avformat_find_stream_info(format_, nullptr) < 0) {
    close();
    return false;
  }
  const AVCodec* decoder = nullptr;
  stream_ = av_find_best_stream(format_, AVMEDIA_TYPE_VIDEO, -1, -1, &decoder, 0);
  // A cover picture of a music file is a video stream of one still frame.
  if (stream_ < 0 || !decoder || (format_->streams[stream_]->disposition & AV_DISPOSITION_ATTACHED_PIC)) {
    close();
    return false;
  }
  // The demuxer then skips the sound and the rest.
  for (unsigned i = 0; i < format_->nb_streams; ++i)
    if (int(i) != stream_) format_->streams[i]->discard = AVDISCARD_ALL;

  codec_ = avcodec_alloc_context3(decoder);
  packet_ = av_packet_alloc();
  frame_ = av_frame_alloc();
  if (!codec_ || !packet_ || !frame_ ||
      avcodec_parameters_to_context(codec_, format_->streams[stream_]->codecpar) < 0) {
    close();
    return false;
  }
  // One thread, key frames only: the picture is small and the playing video
  // needs the processor more.
  codec_->thread_count = 1;
  codec_->skip_frame = AVDISCARD_NONKEY;
  if (avcodec_open2(codec_, decoder, nullptr) < 0) {
    close();
    return false;
  }
  path_ = path;
  return true;
}

std::int64_t KeyFrameReader::streamTime(double seconds) const {
  const AVStream* stream = format_->streams[stream_];
  const std::int64_t start = stream->start_time != AV_NOPTS_VALUE ? stream->start_time : 0;
  return start + av_rescale_q(std::llround(std::max(0.0, seconds) * AV_TIME_BASE), AV_TIME_BASE_Q, stream->time_base);
}

double KeyFrameReader::secondsOf(std::int64_t time) const {
  const AVStream* stream = format_->streams[stream_];
  const std::int64_t start = stream->start_time != AV_NOPTS_VALUE ? stream->start_time : 0;
  return double(time - start) * av_q2d(stream->time_base);
}

std::int64_t KeyFrameReader::indexedKeyFrame(double seconds) const {
  const AVIndexEntry* entry =
      avformat_index_get_entry_from_timestamp(format_->streams[stream_], streamTime(seconds), AVSEEK_FLAG_BACKWARD);
  return entry ? entry->timestamp : AV_NOPTS_VALUE;
}

bool KeyFrameReader::seek(double seconds) {
  const std::int64_t target = streamTime(seconds);
  if (av_seek_frame(format_, stream_, target, AVSEEK_FLAG_BACKWARD) < 0 &&
      avformat_seek_file(format_, stream_, INT64_MIN, target, target, 0) < 0)
    return false;
  avcodec_flush_buffers(codec_);
  return true;
}

bool KeyFrameReader::readVideoPacket() {
  while (av_read_frame(format_, packet_) >= 0) {
    if (packet_->stream_index == stream_) return true;
    av_packet_unref(packet_);
  }
  return false;
}

bool KeyFrameReader::decodeFrame() {
  for (int n = 0; n < kMaxPackets && !stop_; ++n) {
    const int sent = avcodec_send_packet(codec_, packet_);
    av_packet_unref(packet_);
    if (sent < 0 && sent != AVERROR(EAGAIN)) return false;
    if (avcodec_receive_frame(codec_, frame_) == 0) return true;
    if (!readVideoPacket()) break;
  }
  // The end of the file: the decoder gives up the frames it holds back.
  if (avcodec_send_packet(codec_, nullptr) < 0) return false;
  return avcodec_receive_frame(codec_, frame_) == 0;
}

QImage KeyFrameReader::scaled(int width) {
  const int w = frame_->width, h = frame_->height;
  if (w <= 0 || h <= 0) return {};
  AVRational shape = frame_->sample_aspect_ratio;
  if (shape.num <= 0 || shape.den <= 0) shape = {1, 1};
  const double displayWidth = w * av_q2d(shape);
  const int height = std::max(1, int(std::lround(width * h / displayWidth)));
  scaler_ = sws_getCachedContext(scaler_, w, h, AVPixelFormat(frame_->format), width, height, AV_PIX_FMT_RGB32,
                                 SWS_BILINEAR, nullptr, nullptr, nullptr);
  if (!scaler_) return {};
  QImage picture(width, height, QImage::Format_RGB32);
  std::uint8_t* planes[4] = {picture.bits(), nullptr, nullptr, nullptr};
  int strides[4] = {int(picture.bytesPerLine()), 0, 0, 0};
  if (sws_scale(scaler_, frame_->data, frame_->linesize, 0, h, planes, strides) != height) return {};
  return picture;
}

void KeyFrameReader::remember(std::int64_t key, int width, const QImage& picture) {
  if (order_.size() >= kKeptPictures) {
    pictures_.erase(order_.front());
    order_.pop_front();
  }
  pictures_[{key, width}] = picture;
  order_.push_back({key, width});
}

QImage KeyFrameReader::frameAt(double seconds, int width) {
  lastKeySeconds_ = -1;
  if (!isOpen() || width <= 0) return {};
  // A file with an index of its key frames (most containers) names the
  // frame without reading; otherwise the packet the seek lands on does.
  std::int64_t key = indexedKeyFrame(seconds);
  if (key != AV_NOPTS_VALUE) lastKeySeconds_ = secondsOf(key);
  if (auto kept = pictures_.find({key, width}); key != AV_NOPTS_VALUE && kept != pictures_.end()) return kept->second;
  if (!seek(seconds) || !readVideoPacket()) return {};
  if (key == AV_NOPTS_VALUE) {
    key = packet_->pts != AV_NOPTS_VALUE ? packet_->pts : packet_->dts;
    if (key != AV_NOPTS_VALUE) lastKeySeconds_ = secondsOf(key);
    if (auto kept = pictures_.find({key, width}); key != AV_NOPTS_VALUE && kept != pictures_.end()) {
      av_packet_unref(packet_);
      return kept->second;
    }
  }
  if (!decodeFrame()) return {};
  QImage picture = scaled(width);
  av_frame_unref(frame_);
  if (!picture.isNull() && key != AV_NOPTS_VALUE) remember(key, width, picture);
  return picture;
}

QImage KeyFrameReader::exactFrameAt(double seconds, int width, const std::function<bool()>& superseded) {
  if (!isOpen() || width <= 0 || !seek(seconds)) return {};
  const std::int64_t target = streamTime(seconds);
  // Every frame from the key frame on is needed to reach the one asked for.
  codec_->skip_frame = AVDISCARD_DEFAULT;
  QImage picture, last;
  for (int n = 0; n < kMaxPackets && picture.isNull() && !stop_ && !superseded(); ++n) {
    const bool ended = !readVideoPacket();
    const int sent = avcodec_send_packet(codec_, ended ? nullptr : packet_);
    av_packet_unref(packet_);
    if (sent < 0 && sent != AVERROR(EAGAIN)) break;
    while (picture.isNull() && avcodec_receive_frame(codec_, frame_) == 0) {
      const std::int64_t at = frame_->best_effort_timestamp;
      if (at == AV_NOPTS_VALUE || at >= target)
        picture = scaled(width);
      else if (ended)
        last = scaled(width);
      av_frame_unref(frame_);
    }
    // The last frame of the file stands for any time after it.
    if (ended) {
      if (picture.isNull()) picture = last;
      break;
    }
  }
  codec_->skip_frame = AVDISCARD_NONKEY;
  avcodec_flush_buffers(codec_);
  return picture;
}

}  // namespace qm
