#include "player/resume.h"

#include <algorithm>
#include <cinttypes>
#include <cstdio>
#include <cstdlib>

#include "forms/player_context.h"
#include "player/startup.h"

namespace qm {

namespace {

using KeptPlace = PlayerState::KeptPlace;

constexpr const char* kSection = "places";
constexpr int kValueLimit = 8192;
// Closer than this to either end, a file starts from the beginning.
constexpr double kEndMargin = 10;

MediaEngine& media(PlayerContext& p) { return p.form.WindowsMediaPlayer1.engine(); }
std::string settingsFile(PlayerContext& p) { return p.programFile(kSettingsFile); }

// "seconds|size|written|path"
std::string valueOf(const KeptPlace& place) {
  char head[96];
  std::snprintf(head, sizeof head, "%.3f|%ju|%lld|", place.seconds, place.size, static_cast<long long>(place.written));
  return head + place.path;
}

bool parse(const std::string& value, KeptPlace& place) {
  const char* text = value.c_str();
  char* end = nullptr;
  place.seconds = std::strtod(text, &end);
  if (*end != '|') return false;
  place.size = std::strtoumax(end + 1, &end, 10);
  if (*end != '|') return false;
  place.written = std::strtoll(end + 1, &end, 10);
  if (*end != '|') return false;
  place.path = end + 1;
  return !place.path.empty() && place.seconds > 0;
}

std::vector<KeptPlace>& places(PlayerContext& p) {
  PlayerState& s = p.state;
  if (!s.KeptPlacesRead) {
    s.KeptPlacesRead = true;
    for (int i = 1; i <= kKeptPlaces; ++i) {
      const std::string value = p.settings.getString(settingsFile(p), kSection, std::to_string(i), "", kValueLimit);
      KeptPlace place;
      if (value.empty()) break;
      if (parse(value, place)) s.KeptPlaces.push_back(place);
    }
  }
  return s.KeptPlaces;
}

void save(PlayerContext& p) {
  std::string lines;
  int n = 0;
  for (const KeptPlace& place : places(p)) lines += std::to_string(++n) + "=" + valueOf(place) + "\n";
  p.settings.writeSection(settingsFile(p), kSection, lines);
}

void forget(PlayerContext& p, const std::string& path) {
  auto& list = places(p);
  const auto before = list.size();
  std::erase_if(list, [&](const KeptPlace& place) { return place.path == path; });
  if (list.size() != before) save(p);
}

// A name with a line break could not stand on a settings line.
void keep(PlayerContext& p, const std::string& path, double seconds, double length) {
  if (length < kShortestResumed || path.find_first_of("\r\n") != std::string::npos) return;
  if (seconds > length - kEndMargin) return forget(p, path);
  const std::optional<FileSystem::Stamp> stamp = p.files.stamp(path);
  if (!stamp || seconds < kEndMargin) return;
  auto& list = places(p);
  std::erase_if(list, [&](const KeptPlace& place) { return place.path == path; });
  list.push_back({path, seconds, stamp->size, stamp->written});
  if (list.size() > static_cast<std::size_t>(kKeptPlaces)) list.erase(list.begin());
  save(p);
}

bool remembering(PlayerContext& p) { return p.form.RememberPosition.checked(); }

void fileLeft(PlayerContext& p, const std::string& path, double seconds, double length) {
  if (path == p.state.StartOverFile) return forget(p, path);
  if (remembering(p)) keep(p, path, seconds, length);
}

// A file opening goes on where it was left, unless it changed on disk since.
void fileOpening(PlayerContext& p, const std::string& path) {
  if (path.empty()) return;
  if (path == std::exchange(p.state.StartOverFile, {})) return;
  if (!remembering(p)) return;
  auto& list = places(p);
  const auto found = std::find_if(list.begin(), list.end(), [&](const KeptPlace& place) { return place.path == path; });
  if (found == list.end()) return;
  const std::optional<FileSystem::Stamp> stamp = p.files.stamp(path);
  if (!stamp || stamp->size != found->size || stamp->written != found->written) return forget(p, path);
  media(p).setCurrentPosition(found->seconds);
  media(p).showText("从 " + formatMediaTime(found->seconds) + " 继续播放");
}

}  // namespace

void openFromTheStart(PlayerContext& p, const std::string& path) { p.state.StartOverFile = path; }

void toggleRememberPosition(PlayerContext& p) {
  MenuItem& item = p.form.RememberPosition;
  item.setChecked(!item.checked());
  p.settings.writeString(settingsFile(p), "user", "resume", item.checked() ? "1" : "0");
}

void rememberPlayingPosition(PlayerContext& p) {
  const int state = media(p).playState();
  if (!remembering(p) || (state != play_state::Playing && state != play_state::Paused)) return;
  keep(p, media(p).URL(), media(p).currentPosition(), media(p).duration());
}

void loadRememberPosition(PlayerContext& p) {
  p.form.RememberPosition.setChecked(p.settings.getString(settingsFile(p), "user", "resume", "0") == "1");
}

void connectResume(PlayerContext& p) {
  p.form.RememberPosition.Click.connect([&p] { toggleRememberPosition(p); });
  MediaEngine& engine = media(p);
  engine.FileLeft.connect(
      [&p](const std::string& path, double seconds, double length) { fileLeft(p, path, seconds, length); });
  engine.Opening.connect([&p](const std::string& path) { fileOpening(p, path); });
  engine.PlayStateChange.connect([&p](int state) {
    // Played to its end (or failed): it starts from the beginning next time.
    if (state == play_state::Stopped && remembering(p)) forget(p, media(p).URL());
  });
}

}  // namespace qm
