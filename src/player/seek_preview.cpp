#include "player/seek_preview.h"

#include "forms/player_context.h"
#include "model/media_types.h"
#include "player/media_kind.h"

namespace qm {

namespace {

bool showsPlayback(int state) {
  namespace ps = play_state;
  return state == ps::Playing || state == ps::Paused || state == ps::ScanForward || state == ps::ScanReverse;
}

}  // namespace

SeekPreview::SeekPreview(PlayerContext& p, ThumbnailDecoder& decoder) : p_(p), decoder_(decoder) {
  Form1& f = p.form;
  f.tVate1.MouseMove.connect([this](int button, int, double x, double) { pointerMoved(button, x); });
  // A press seeks the video itself.
  f.tVate1.MouseDown.connect([this](int, int, double, double) { hide(); });
  // The bar draws again once its hover watch sees the pointer gone.
  f.tVate1.Redrawn.connect([this] {
    if (!p_.form.tVate1.IsOver()) hide();
  });
  // Another kind of entry shows in another view.
  f.WindowsMediaPlayer1.changed.connect([this] {
    if (!p_.form.WindowsMediaPlayer1.visible()) hide();
  });
  MediaEngine& media = f.WindowsMediaPlayer1.engine();
  media.PlayStateChange.connect([this](int state) {
    if (showsPlayback(state)) return;
    hide();
    // Ended, closed or opening another file: the decoder's file is done with.
    decoder_.release();
  });
  decoder.Decoded.connect([this](const Thumbnail& t) { answered(t); });
}

std::optional<std::string> SeekPreview::previewedFile() const {
  const Form1& f = p_.form;
  const MediaEngine& media = f.WindowsMediaPlayer1.engine();
  const std::string url = media.URL();
  // A still picture has no length; music and Flash have no frames to show.
  if (!f.WindowsMediaPlayer1.visible() || !showsPlayback(media.playState()) || !(media.duration() > 0) || url.empty() ||
      url == withoutVideo_ || !mayHoldVideo(GetExtension(url)))
    return std::nullopt;
  return url;
}

void SeekPreview::pointerMoved(int button, double x) {
  const tVate& bar = p_.form.tVate1;
  auto file = previewedFile();
  auto value = bar.valueAt(x);
  if (button != 0 || !file || !value || bar.Max() <= 0) {
    hide();
    return;
  }
  const double seconds = double(*value) / bar.Max() * p_.form.WindowsMediaPlayer1.engine().duration();
  hovering_ = true;
  pointerX_ = x;
  timeText_ = formatMediaTime(seconds);
  if (shown_) changed.raise();
  ask({*file, seconds});
}

void SeekPreview::ask(const Request& request) {
  if (busy_) {
    waiting_ = lastSent_ == request ? std::nullopt : std::optional(request);
    return;
  }
  if (lastSent_ != request) send(request);
}

void SeekPreview::send(const Request& request) {
  busy_ = true;
  lastSent_ = request;
  decoder_.request(request.path, request.seconds, kPictureWidth);
}

void SeekPreview::answered(const Thumbnail& thumbnail) {
  if (thumbnail.exact) {
    // The frame of the time itself, after its key frame: taken only while
    // the pointer still rests on the time it was asked for.
    if (shown_ && thumbnail.picture && !waiting_ && lastSent_ == Request{thumbnail.path, thumbnail.seconds}) {
      picture_ = thumbnail.picture;
      changed.raise();
    }
    return;
  }
  busy_ = false;
  if (!thumbnail.hasVideo) withoutVideo_ = thumbnail.path;
  if (waiting_) {
    const Request next = *waiting_;
    waiting_.reset();
    send(next);
  }
  if (!hovering_) return;
  if (previewedFile() != thumbnail.path) {
    hide();
    return;
  }
  if (!thumbnail.picture) return;
  picture_ = thumbnail.picture;
  shown_ = true;
  changed.raise();
}

void SeekPreview::hide() {
  hovering_ = false;
  waiting_.reset();
  // The next hover asks again, also for the time asked last.
  lastSent_.reset();
  if (!shown_) return;
  shown_ = false;
  picture_.reset();
  changed.raise();
}

}  // namespace qm
