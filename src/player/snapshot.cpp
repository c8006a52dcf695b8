#include "player/snapshot.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "forms/player_context.h"
#include "model/paths.h"

namespace qm {

namespace {

constexpr std::size_t kLongestStem = 200;
constexpr int kMostSnapshotsOfOneMoment = 999;

std::string stemOf(const std::string& path) {
  const auto slash = path.rfind(kPathSeparator);
  std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  const auto dot = name.rfind('.');
  if (dot != std::string::npos && dot > 0) name.resize(dot);
  // The time, a number and ".png" must still fit a file name's 255 bytes;
  // a long name is cut at a character's start.
  if (name.size() > kLongestStem) {
    std::size_t cut = kLongestStem;
    while (cut > 0 && (static_cast<unsigned char>(name[cut]) & 0xC0) == 0x80) --cut;
    name.resize(cut);
  }
  return name;
}

void frameSaved(PlayerContext& p, const std::string& path, bool ok) {
  p.form.WindowsMediaPlayer1.engine().showText(ok ? "截图已保存：" + path : std::string("截图失败"));
}

}  // namespace

std::string snapshotPath(PlayerContext& p, const std::string& folder, const std::string& mediaPath, double seconds) {
  const long whole =
      std::isfinite(seconds) && seconds > 0 ? static_cast<long>(std::min(seconds, kLongestMediaSeconds)) : 0;
  char time[32];
  std::snprintf(time, sizeof time, "%02ld-%02ld-%02ld", whole / 3600, whole / 60 % 60, whole % 60);
  const std::string base = joinPath(folder, stemOf(mediaPath) + " " + time);
  std::string path = base + ".png";
  for (int n = 2; p.files.isFile(path); ++n) {
    if (n > kMostSnapshotsOfOneMoment) return std::string();  // never over a picture taken before
    path = base + " (" + std::to_string(n) + ").png";
  }
  return path;
}

void takeSnapshot(PlayerContext& p) {
  MediaEngine& media = p.form.WindowsMediaPlayer1.engine();
  if (!p.form.WindowsMediaPlayer1.visible() || media.URL().empty()) return;
  std::string folder = p.windows.picturesFolder();
  if (folder.empty()) folder = p.windows.documentsFolder();
  if (folder.empty() || (!p.files.isFolder(folder) && !p.files.makeFolder(folder))) {
    media.showText("截图失败：没有可保存图片的文件夹");
    return;
  }
  const std::string path = snapshotPath(p, folder, media.URL(), media.currentPosition());
  if (path.empty() || !media.saveFrame(path)) media.showText("截图失败");
}

void connectSnapshot(PlayerContext& p) {
  p.form.Snapshot.Click.connect([&p] { takeSnapshot(p); });
  p.form.WindowsMediaPlayer1.engine().FrameSaved.connect(
      [&p](const std::string& path, bool ok) { frameSaved(p, path, ok); });
}

}  // namespace qm
