#include "platform/mpv/decoder_threads.h"

#include <mpv/client.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/mpv/mpv_node.h"

namespace qm {

namespace {

constexpr std::uint64_t kHookId = 1;

// Codecs one thread decodes at several times 720p at 30 frames a second on
// any machine the player runs on. HEVC, VP9, AV1 and the rest keep threads.
constexpr std::string_view kLightCodecs[] = {"h264",  "mpeg4",     "mpeg2video", "mpeg1video", "vp8",  "h263",
                                             "flv1",  "msmpeg4v2", "msmpeg4v3",  "wmv1",       "wmv2", "theora",
                                             "mjpeg", "png",       "gif",        "bmp",        "webp"};
constexpr double kLightPixelsPerSecond = 1280.0 * 720 * 30;
constexpr double kAssumedFps = 30;

// libmpv's vd-lavc-threads for a video of this codec, size and frame rate
// (0 when not known): 1, or 0 for libmpv's own count.
int decoderThreadsFor(const std::string& codec, long long width, long long height, double fps) {
  const bool light = std::find(std::begin(kLightCodecs), std::end(kLightCodecs), codec) != std::end(kLightCodecs);
  // A size not known yet counts as large.
  if (!light || width <= 0 || height <= 0) return 0;
  const double rate = static_cast<double>(width) * static_cast<double>(height) * (fps > 0 ? fps : kAssumedFps);
  return rate <= kLightPixelsPerSecond ? 1 : 0;
}

}  // namespace

DecoderThreads::DecoderThreads(mpv_handle* mpv) {
  client_ = mpv_create_client(mpv, "decoder-threads");
  if (!client_) return;
  // Only the hook wakes this client.
  for (int id = MPV_EVENT_SHUTDOWN; id <= MPV_EVENT_HOOK; ++id)
    mpv_request_event(client_, static_cast<mpv_event_id>(id), id == MPV_EVENT_HOOK || id == MPV_EVENT_SHUTDOWN);
  // Runs once the file is opened and its tracks are known, before they
  // are selected and their decoders start.
  if (mpv_hook_add(client_, kHookId, "on_preloaded", 0) < 0) {
    mpv_destroy(client_);
    client_ = nullptr;
    return;
  }
  thread_ = std::thread([this] { run(); });
}

DecoderThreads::~DecoderThreads() {
  if (!client_) return;
  stopping_ = true;
  mpv_wakeup(client_);
  thread_.join();
  // A hook still waiting on this client is let go by libmpv.
  mpv_destroy(client_);
}

void DecoderThreads::run() {
  while (!stopping_) {
    mpv_event* event = mpv_wait_event(client_, -1);
    if (event->event_id == MPV_EVENT_SHUTDOWN) return;
    if (event->event_id != MPV_EVENT_HOOK) continue;
    const auto* hook = static_cast<const mpv_event_hook*>(event->data);
    const std::uint64_t id = hook->id;
    choose();
    mpv_hook_continue(client_, id);
  }
}

// The video libmpv will pick is not known yet: the heaviest video track
// decides, so that no track libmpv may choose is starved of threads.
void DecoderThreads::choose() {
  mpv_node tracks;
  if (mpv_get_property(client_, "track-list", MPV_FORMAT_NODE, &tracks) < 0) return;
  std::int64_t threads = 1;
  bool anyVideo = false;
  if (tracks.format == MPV_FORMAT_NODE_ARRAY) {
    for (int i = 0; i < tracks.u.list->num; ++i) {
      const mpv_node& track = tracks.u.list->values[i];
      if (stringOf(fieldOf(track, "type")) != "video") continue;
      anyVideo = true;
      if (decoderThreadsFor(stringOf(fieldOf(track, "codec")), integerOf(fieldOf(track, "demux-w"), 0),
                            integerOf(fieldOf(track, "demux-h"), 0), numberOf(fieldOf(track, "demux-fps"))) == 0)
        threads = 0;
    }
  }
  mpv_free_node_contents(&tracks);
  if (anyVideo) mpv_set_property(client_, "vd-lavc-threads", MPV_FORMAT_INT64, &threads);
}

}  // namespace qm
