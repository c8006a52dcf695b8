// The engine's tracks, subtitle files, saved frames and texts over the video.
#include <mpv/client.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "model/media_types.h"
#include "platform/mpv/mpv_engine.h"
#include "platform/mpv/mpv_node.h"
#include "platform/mpv/subtitle_files.h"

namespace qm {

namespace {

// Commands that save a frame carry this bit in their tag; loads carry
// their ticket, far below it.
constexpr std::uint64_t kFrameTag = std::uint64_t(1) << 62;
constexpr std::size_t kSubtitleSizeLimit = 32 << 20;
constexpr const char* kTextMilliseconds = "2000";

std::optional<MediaTrack> trackOf(const mpv_node& item) {
  if (item.format != MPV_FORMAT_NODE_MAP) return std::nullopt;
  MediaTrack track;
  std::string type;
  const mpv_node_list* map = item.u.list;
  for (int i = 0; i < map->num; ++i) {
    const char* key = map->keys[i];
    const mpv_node& value = map->values[i];
    if (std::strcmp(key, "id") == 0 && value.format == MPV_FORMAT_INT64) track.id = static_cast<int>(value.u.int64);
    if (std::strcmp(key, "type") == 0) type = stringOf(value);
    if (std::strcmp(key, "title") == 0) track.title = stringOf(value);
    if (std::strcmp(key, "lang") == 0) track.language = stringOf(value);
    if (std::strcmp(key, "selected") == 0 && value.format == MPV_FORMAT_FLAG) track.selected = value.u.flag != 0;
    if (std::strcmp(key, "external") == 0 && value.format == MPV_FORMAT_FLAG) track.external = value.u.flag != 0;
  }
  if (type == "audio")
    track.kind = MediaTrack::Kind::Audio;
  else if (type == "sub")
    track.kind = MediaTrack::Kind::Subtitle;
  else
    return std::nullopt;
  return track;
}

std::string fileContent(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::string content;
  content.resize(kSubtitleSizeLimit + 1);
  in.read(content.data(), static_cast<std::streamsize>(content.size()));
  content.resize(static_cast<std::size_t>(in.gcount()));
  return content;
}

}  // namespace

// A file left before its end tells where it was, for whoever keeps places.
void MpvEngine::reportLeaving() {
  if (phase_ != Phase::Started || url_.empty()) return;
  FileLeft.raise(url_, currentPosition(), duration_);
}

void MpvEngine::readTracks(const mpv_event& event) {
  const auto* p = static_cast<const mpv_event_property*>(event.data);
  tracks_.clear();
  if (p->format != MPV_FORMAT_NODE || !p->data) return;
  const auto* list = static_cast<const mpv_node*>(p->data);
  if (list->format != MPV_FORMAT_NODE_ARRAY) return;
  for (int i = 0; i < list->u.list->num; ++i)
    if (std::optional<MediaTrack> track = trackOf(list->u.list->values[i])) tracks_.push_back(*track);
}

bool MpvEngine::selectTrack(MediaTrack::Kind kind, int id) {
  if (phase_ != Phase::Started && phase_ != Phase::Opening) return false;
  const bool audio = kind == MediaTrack::Kind::Audio;
  if (id < 0 || (audio && id == 0)) return false;
  if (!setString(audio ? "aid" : "sid", id == 0 ? std::string("no") : std::to_string(id))) return false;
  // libmpv reports the new list a moment later; a second key press before
  // then steps on from this one.
  for (MediaTrack& track : tracks_)
    if (track.kind == kind) track.selected = track.id == id;
  return true;
}

bool MpvEngine::addSubtitles(const std::string& path) {
  if (phase_ == Phase::Started) {
    loadSubtitles(path, std::string(), true);
    return true;
  }
  if (phase_ != Phase::Opening) return false;
  pendingSubtitles_.push_back(path);
  return true;
}

// Text in another encoding reaches libmpv converted, from memory; the track
// keeps the file's name.
void MpvEngine::loadSubtitles(const std::string& path, const std::string& language, bool select) {
  std::string target = path;
  if (std::optional<std::string> text = subtitleTextAsUtf8(fileContent(path))) target = "memory://" + *text;
  const std::string title = std::filesystem::path(path).filename().string();
  command({"sub-add", target, select ? "select" : "auto", title, language});
}

// The subtitle files beside a video come with it; the first is shown
// unless the video shows subtitles of its own.
void MpvEngine::fileLoaded(bool video, bool subtitleShown) {
  const std::string path = url_.empty() ? preloadPath_ : url_;
  // A slide show's pictures have none, and their folder may be large.
  const std::string extension = std::filesystem::path(path).extension().string();
  const bool picture = !extension.empty() && kindOfExtension(extension.substr(1)) == MediaKind::Picture;
  if (video && !picture) {
    bool select = !subtitleShown;
    for (const SubtitleFile& file : subtitleFilesBeside(path)) {
      loadSubtitles(file.path, file.language, select);
      select = false;
    }
  }
  for (const std::string& added : std::exchange(pendingSubtitles_, {})) loadSubtitles(added, std::string(), true);
}

bool MpvEngine::setSpeed(double factor) {
  if (!ready() || !std::isfinite(factor) || factor <= 0) return false;
  const bool scanning = phase_ == Phase::Started && speed_ > userSpeed_ + 1e-6;
  userSpeed_ = std::clamp(factor, 0.25, 4.0);
  return !mpv_ || scanning || setDouble("speed", userSpeed_);
}

bool MpvEngine::saveFrame(const std::string& path) {
  if (phase_ != Phase::Started || !hasVideo() || path.empty()) return false;
  const std::uint64_t tag = kFrameTag | ++frameTicket_;
  if (!command({"screenshot-to-file", path, "video"}, tag)) return false;
  savingFrames_.emplace_back(tag, path);
  return true;
}

bool MpvEngine::isFrameTag(std::uint64_t tag) { return (tag & kFrameTag) != 0; }

void MpvEngine::frameSaved(std::uint64_t tag, bool ok) {
  for (auto it = savingFrames_.begin(); it != savingFrames_.end(); ++it) {
    if (it->first != tag) continue;
    const std::string path = it->second;
    savingFrames_.erase(it);
    std::error_code ec;
    FrameSaved.raise(path, ok && std::filesystem::is_regular_file(path, ec));
    return;
  }
}

// Shown whatever the engine's level for texts: it draws none of its own.
void MpvEngine::showText(const std::string& text) {
  if (phase_ == Phase::Started || phase_ == Phase::Opening) command({"show-text", text, kTextMilliseconds, "0"});
}

}  // namespace qm
