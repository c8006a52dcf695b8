#include "player/tracks.h"

#include <algorithm>
#include <filesystem>
#include <vector>

#include "forms/player_context.h"
#include "model/media_types.h"

namespace qm {

namespace {

using Kind = MediaTrack::Kind;

MediaEngine& media(PlayerContext& p) { return p.form.WindowsMediaPlayer1.engine(); }

std::vector<MediaTrack> tracksOf(PlayerContext& p, Kind kind) {
  std::vector<MediaTrack> found;
  for (const MediaTrack& track : media(p).tracks())
    if (track.kind == kind) found.push_back(track);
  return found;
}

// "国语 [chi]", or by its place: "音轨 2", "字幕 1".
std::string trackName(const MediaTrack& track, std::size_t place) {
  std::string name = track.title;
  if (name.empty()) name = (track.kind == Kind::Audio ? "音轨 " : "字幕 ") + std::to_string(place + 1);
  if (!track.language.empty()) name += " [" + track.language + "]";
  return name;
}

void select(PlayerContext& p, const MediaTrack& track, std::size_t place) {
  if (!media(p).selectTrack(track.kind, track.id)) return;
  media(p).showText((track.kind == Kind::Audio ? "音轨：" : "字幕：") + trackName(track, place));
}

void hideSubtitles(PlayerContext& p) {
  if (media(p).selectTrack(Kind::Subtitle, 0)) media(p).showText("关闭字幕");
}

std::ptrdiff_t selectedPlace(const std::vector<MediaTrack>& tracks) {
  const auto at = std::find_if(tracks.begin(), tracks.end(), [](const MediaTrack& t) { return t.selected; });
  return at == tracks.end() ? -1 : at - tracks.begin();
}

MenuItem& newItem(PlayerContext& p, MenuItem& under, const std::string& caption) {
  auto& items = p.form.trackItems;
  items.push_back(std::make_unique<MenuItem>("Track" + std::to_string(items.size()), &under));
  items.back()->setCaption(caption);
  return *items.back();
}

// The submenus list the tracks that hold now; a file without any shows one
// item that does nothing.
void fillTrackMenus(PlayerContext& p) {
  Form1& f = p.form;
  f.trackItems.clear();
  for (Kind kind : {Kind::Audio, Kind::Subtitle}) {
    MenuItem& under = kind == Kind::Audio ? f.AudioTracks : f.Subtitles;
    const std::vector<MediaTrack> tracks = tracksOf(p, kind);
    for (std::size_t i = 0; i < tracks.size(); ++i) {
      MenuItem& item = newItem(p, under, trackName(tracks[i], i));
      item.setChecked(tracks[i].selected);
      item.Click.connect([&p, track = tracks[i], i] { select(p, track, i); });
    }
    if (tracks.empty() && kind == Kind::Audio) newItem(p, under, "(无)").setEnabled(false);
  }
  const bool loaded = !media(p).URL().empty();
  f.SubtitleFile.setEnabled(loaded);
  f.SubtitlesOff.setEnabled(!tracksOf(p, Kind::Subtitle).empty());
  f.SubtitlesOff.setChecked(f.SubtitlesOff.enabled() && selectedPlace(tracksOf(p, Kind::Subtitle)) < 0);
}

// The dialog opens beside the video, where its subtitles usually are.
void chooseSubtitleFile(PlayerContext& p) {
  const std::string folder = std::filesystem::path(media(p).URL()).parent_path().string();
  const std::string path = p.fileDialog.showOpen({{"字幕文件", kSubtitleMask}, {"AllFiles", "*.*"}}, folder);
  if (!path.empty()) addSubtitleFile(p, path);
}

}  // namespace

void nextAudioTrack(PlayerContext& p) {
  const std::vector<MediaTrack> tracks = tracksOf(p, Kind::Audio);
  if (tracks.empty()) return;
  const std::size_t next = static_cast<std::size_t>(selectedPlace(tracks) + 1) % tracks.size();
  select(p, tracks[next], next);
}

void nextSubtitles(PlayerContext& p) {
  const std::vector<MediaTrack> tracks = tracksOf(p, Kind::Subtitle);
  if (tracks.empty()) return;
  const std::size_t next = static_cast<std::size_t>(selectedPlace(tracks) + 1);
  if (next == tracks.size())
    hideSubtitles(p);
  else
    select(p, tracks[next], next);
}

bool addSubtitleFile(PlayerContext& p, const std::string& path) {
  if (media(p).URL().empty() || !p.form.WindowsMediaPlayer1.visible()) return false;
  return media(p).addSubtitles(path);
}

void connectTracks(PlayerContext& p) {
  Form1& f = p.form;
  f.MenuOpening.connect([&p] { fillTrackMenus(p); });
  f.SubtitleFile.Click.connect([&p] { chooseSubtitleFile(p); });
  f.SubtitlesOff.Click.connect([&p] { hideSubtitles(p); });
}

}  // namespace qm
