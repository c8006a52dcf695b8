// A slide show of many small pictures on the real player: each advance is
// the slide-show timer's tick (fired at once instead of after its seven
// seconds), timed until the engine shows the next picture, and the tick's
// handler alone. The player's resident memory after the last picture against
// after the first tells whether an advance leaves something behind. Last, one
// 16000 x 16000 PNG: the time until it shows and how far memory peaks.
//
//   bench_slide_show [pictures]   (default 1000)

#include <QApplication>
#include <QColor>
#include <QImage>
#include <algorithm>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "bench_support.h"
#include "integration/player_rig.h"
#include "model/media_types.h"
#include "player_screen.h"
#include "support/event_wait.h"
#include "support/temp_dir.h"
#include "support/virtual_display.h"

using namespace qm;
using namespace qm::bench;

namespace {

constexpr int kPatienceMs = 5000;

// JPEG and PNG in turn, 160 x 120, each a colour of its own; the names sort
// in the order made.
std::vector<std::string> makePictures(const std::string& folder, int count) {
  std::vector<std::string> paths;
  for (int i = 0; i < count; ++i) {
    char name[32];
    std::snprintf(name, sizeof name, "/p%05d.%s", i, i % 2 ? "png" : "jpg");
    QImage picture(160, 120, QImage::Format_RGB32);
    picture.fill(QColor::fromHsv(i * 37 % 360, 200, 220));
    if (!picture.save(QString::fromStdString(folder + name))) return {};
    paths.push_back(folder + name);
  }
  return paths;
}

double statusMiB(const std::string& field) {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);)
    if (line.rfind(field + ":", 0) == 0) return std::atof(line.c_str() + field.size() + 1) / 1024;
  return -1;
}

double residentMiB() { return statusMiB("VmRSS"); }

// Opens a 16000 x 16000 PNG in the media engine; prints the time until it
// shows and the peak of resident memory above what was resident before.
void measureHugePng(integration::PlayerRig& rig, const std::string& folder, std::string& shown) {
  constexpr int kSide = 16000;
  const std::string path = folder + "/huge.png";
  const std::string size = std::to_string(kSide) + "x" + std::to_string(kSide);
  if (!runToEnd({"ffmpeg", "-nostdin", "-v", "error", "-y", "-f", "lavfi", "-i", "testsrc2=size=" + size, "-frames:v",
                 "1", "-pix_fmt", "rgb24", path})) {
    std::fprintf(stderr, "ffmpeg could not make the %s picture\n", size.c_str());
    return;
  }
  std::ofstream("/proc/self/clear_refs") << "5";  // the peak starts again from now
  const double before = residentMiB();
  const auto start = bench::Clock::now();
  rig.media().setURL(path);
  const bool ok = live::pumpUntil([&] { return shown == path; }, 30000);
  const double ms = ok ? secondsSince(start) * 1000 : -1;
  const double peak = ok ? statusMiB("VmHWM") - before : -1;
  std::printf("A %s PNG: shown after %.0f ms, memory peaked %.1f MiB above the %.1f MiB before\n", size.c_str(), ms,
              peak, before);
  printFigure("a " + size + " PNG: open to shown", "ms", ms);
  printFigure("a " + size + " PNG: peak memory above before it opened", "MiB", peak);
}

void report(double advanceMs, double tickMs, double rssFirst, double rssLast, int count) {
  printFigure("slide show: one advance, tick to the next picture shown (median)", "ms", advanceMs);
  printFigure("slide show: the tick's handler alone (median)", "ms", tickMs);
  printFigure("slide show: RSS after picture " + std::to_string(count) + " vs after the first", "MiB", rssLast,
              rssFirst, "1st");
}

}  // namespace

int main(int argc, char** argv) {
  const int count = argc > 1 ? std::max(2, std::atoi(argv[1])) : 1000;
  PlayerScreen screen(argc, argv);
  if (!screen.ok()) return 1;

  integration::PlayerRig rig;
  const std::vector<std::string> pictures = makePictures(rig.folder("pictures"), count);
  if (pictures.empty()) {
    std::fprintf(stderr, "could not write the pictures\n");
    return 1;
  }
  rig.rememberListFolder(rig.folder("pictures"));
  if (!rig.start()) return 1;
  Form1& f = rig.form();
  f.File1.setPattern(groupPattern(MediaGroup::Pictures));  // the pictures filter
  std::string shown;
  rig.media().PlayStateChange.connect([&](int state) {
    if (state == play_state::Playing) shown = rig.media().URL();
  });

  f.File1.setListIndex(0);
  if (!live::pumpUntil([&] { return shown == pictures[0]; }, kPatienceMs)) {
    std::fprintf(stderr, "the first picture was not shown\n");
    report(-1, -1, -1, -1, count);
    return 1;
  }
  const double rssFirst = residentMiB();

  std::vector<double> advances, ticks;
  for (int i = 1; i < count; ++i) {
    const auto start = bench::Clock::now();
    f.Timer1.fire();
    ticks.push_back(secondsSince(start) * 1000);
    if (!live::pumpUntil([&] { return shown == pictures[i]; }, kPatienceMs)) {
      std::fprintf(stderr, "picture %d was not shown (the engine shows %s)\n", i + 1, shown.c_str());
      report(-1, -1, rssFirst, -1, count);
      return 1;
    }
    advances.push_back(secondsSince(start) * 1000);
  }
  const double rssLast = residentMiB();

  std::sort(advances.begin(), advances.end());
  std::printf("Slide show of %d pictures (160 x 120, JPEG and PNG in turn), %d advances\n", count, count - 1);
  std::printf("  tick to the next picture shown   median %6.1f ms   slowest %6.1f ms\n", median(advances),
              advances.back());
  std::printf("  the tick's handler alone         median %6.2f ms\n", median(ticks));
  std::printf("  resident memory                  %6.1f MiB after the first, %6.1f MiB after the last\n", rssFirst,
              rssLast);
  report(median(advances), median(ticks), rssFirst, rssLast, count);
  // The slide show's own 7 s tick would move on while the huge picture loads.
  f.Timer1.setEnabled(false);
  measureHugePng(rig, rig.folder("huge"), shown);
  return 0;
}
