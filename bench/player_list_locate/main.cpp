// The list locate over a large folder: the command line names one clip in a
// folder that also holds thousands of small files the list shows; the
// locate walks the list selecting (and so opening) each entry until it
// reaches the named one. Timed in this process on the real player, engines
// and screen, from the start-up until the located clip plays again.
//
//   bench_player_list_locate [files ...]   (default 300 10000)

#include <QApplication>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "bench_support.h"
#include "integration/player_rig.h"
#include "player_screen.h"
#include "support/event_wait.h"
#include "support/temp_dir.h"
#include "support/virtual_display.h"

using namespace qm;
using namespace qm::bench;

namespace {

constexpr int kPatienceMs = 30000;

void locateIn(int files) {
  integration::PlayerRig rig;
  const std::string folder = rig.folder("many");
  // The named clip sorts last: the walk passes every other entry first.
  const std::string target = folder + "/zz-named.mp4";
  if (!make720pClip(target, 5)) return;
  for (int i = 0; i < files - 1; ++i) {
    char name[32];
    std::snprintf(name, sizeof name, "/f%05d.mp4", i);
    std::ofstream(folder + name) << "not a clip";
  }
  rig.rememberListFolder(folder);

  Form1& f = rig.form();
  const auto start = bench::Clock::now();
  double locateDone = -1, playingAfterLocate = -1, firstPlaying = -1;
  int locatedIndex = -1;
  f.Timer6.Tick.connect([&] {
    // Connected after the player's own handler: runs once the walk is over.
    if (locateDone >= 0) return;
    locateDone = secondsSince(start);
    locatedIndex = rig.player().state.ListNum;
  });
  rig.media().PlayStateChange.connect([&](int state) {
    if (state != play_state::Playing || rig.media().URL() != target) return;
    if (firstPlaying < 0) firstPlaying = secondsSince(start);
    if (locateDone >= 0 && playingAfterLocate < 0) playingAfterLocate = secondsSince(start);
  });
  if (!rig.start(target)) return;
  const double started = secondsSince(start);
  live::pumpUntil([&] { return playingAfterLocate >= 0; }, kPatienceMs);

  std::printf("List locate, %d files in the folder, the named clip last (ms from the start-up)\n", files);
  std::printf("  start-up done, window shown      %8.0f\n", started * 1000);
  std::printf("  named clip first playing         %8.0f\n", firstPlaying * 1000);
  std::printf("  locate walk finished             %8.0f   (at entry %d of %d)\n", locateDone * 1000, locatedIndex,
              f.File1.listCount());
  if (playingAfterLocate >= 0)
    std::printf("  located clip playing again       %8.0f\n", playingAfterLocate * 1000);
  else
    std::printf("  located clip playing again       not within %d s; the player moved on to entry %d (%s)\n",
                kPatienceMs / 1000, f.File1.listIndex(), f.File1.fileName().c_str());
  printFigure("list locate, " + std::to_string(files) + " files, to the located file playing", "ms",
              playingAfterLocate * 1000);
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<int> sizes;
  for (int i = 1; i < argc; ++i) sizes.push_back(std::atoi(argv[i]));
  if (sizes.empty()) sizes = {300, 10000};
  PlayerScreen screen(argc, argv);
  if (!screen.ok()) return 1;
  for (int files : sizes) locateIn(files);
  return 0;
}
