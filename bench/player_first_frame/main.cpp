// Process start to the first video frame on the screen, for a 720p H.264
// clip: the player against plain mpv, both timed the same way (the middle of
// a virtual screen read from the X server until it shows a picture).
//
//   bench_player_first_frame [runs]   (default 5 each, taken in turns)

#include <cstdio>
#include <cstdlib>

#include "bench_support.h"
#include "support/virtual_display.h"

using namespace qm::bench;

namespace {

void print(const char* name, const std::vector<double>& times) {
  std::printf("  %-9s", name);
  for (double t : times) std::printf(" %6.0f", t * 1000);
  std::printf("   median %6.0f ms\n", median(times) * 1000);
}

}  // namespace

int main(int argc, char** argv) {
  const int runs = argc > 1 ? std::atoi(argv[1]) : 5;
  qm::live::VirtualDisplay display;
  if (!display.ok()) {
    std::fprintf(stderr, "%s\n", display.error().c_str());
    return 1;
  }
  ScratchFolder media;
  const std::string clip = media.path() + "/clip720.mp4";
  if (!make720pClip(clip, 10)) {
    std::fprintf(stderr, "ffmpeg could not make the clip\n");
    return 1;
  }
  ScreenProbe probe;
  if (!probe.ok()) return 1;
  const bool haveMpv = runToEnd({"sh", "-c", "command -v mpv >/dev/null"});
  const std::string mpvHome = media.sub("mpv-home");

  std::vector<double> player, mpv;
  for (int i = 0; i < runs; ++i) {
    PlayerFolder folder(QM_PROGRAM_DIR);
    player.push_back(startToPicture(probe, {folder.executable(), clip}, folder.environment()));
    if (haveMpv)
      mpv.push_back(startToPicture(probe, {"mpv", "--vo=x11", "--ao=null", clip}, privateEnvironment(mpvHome)));
  }

  std::printf("Start to first frame on screen, 720p H.264, %d runs (ms; -1000 = no picture in 15 s)\n", runs);
  print("quilmora", player);
  if (!haveMpv) {
    std::printf("  mpv is not installed: no comparison\n");
    printFigure("start to first 720p frame", "ms", median(player) * 1000);
    return 0;
  }
  print("mpv", mpv);
  std::printf("  ratio quilmora / mpv: %.2f\n", median(player) / median(mpv));
  printFigure("start to first 720p frame", "ms", median(player) * 1000, median(mpv) * 1000);
  return 0;
}
