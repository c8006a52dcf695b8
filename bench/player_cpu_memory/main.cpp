// CPU time and peak memory over 10 s of playing a 720p H.264 clip (or an
// MP3): the player against plain mpv (--vo=x11 --ao=null), each on a
// virtual screen, measured from /proc once the first frame is on the screen
// (for the MP3, which shows no frame, once both have had time to start).
// A third program, a bare Qt window with libmpv and no video output, shows
// how much of the player's memory its toolkit alone takes.
//
//   bench_player_cpu_memory [seconds] [video|mp3]   (default 10 video)

#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

#include "bench_support.h"
#include "support/virtual_display.h"

using namespace qm::bench;

namespace {

struct Usage {
  double cpuPercent = -1;
  double peakMiB = -1;
};

constexpr double kAudioStartSeconds = 2;

Usage measure(ScreenProbe& probe, const std::vector<std::string>& argv, const std::vector<std::string>& environment,
              int seconds, bool waitForPicture) {
  Usage usage;
  const auto start = Clock::now();
  Child child(argv, environment);
  if (!child.started()) return usage;
  if (waitForPicture && secondsUntilPicture(probe, start, 15) < 0) return usage;
  if (!waitForPicture) std::this_thread::sleep_for(std::chrono::duration<double>(kAudioStartSeconds));
  const double cpuBefore = child.cpuSeconds();
  const auto playing = Clock::now();
  std::this_thread::sleep_for(std::chrono::seconds(seconds));
  usage.cpuPercent = (child.cpuSeconds() - cpuBefore) / secondsSince(playing) * 100;
  usage.peakMiB = child.peakMiB();
  return usage;
}

}  // namespace

int main(int argc, char** argv) {
  const int seconds = argc > 1 ? std::atoi(argv[1]) : 10;
  const bool video = !(argc > 2 && std::string(argv[2]) == "mp3");
  qm::live::VirtualDisplay display;
  if (!display.ok()) {
    std::fprintf(stderr, "%s\n", display.error().c_str());
    return 1;
  }
  ScratchFolder media;
  const std::string clip = media.path() + (video ? "/clip720.mp4" : "/tone.mp3");
  if (!(video ? make720pClip(clip, seconds + 10) : makeMp3(clip, seconds + 10))) {
    std::fprintf(stderr, "ffmpeg could not make the clip\n");
    return 1;
  }
  const char* what = video ? "720p H.264" : "MP3";
  ScreenProbe probe;
  if (!probe.ok()) return 1;

  PlayerFolder folder(QM_PROGRAM_DIR);
  const Usage player = measure(probe, {folder.executable(), clip}, folder.environment(), seconds, video);
  std::printf("Playing %s for %d s (CPU: user + system time of the process, 100 %% = one core)\n", what, seconds);
  std::printf("  quilmora  CPU %5.1f %%   peak memory (VmHWM) %6.1f MiB\n", player.cpuPercent, player.peakMiB);
  if (!runToEnd({"sh", "-c", "command -v mpv >/dev/null"})) {
    std::printf("  mpv is not installed: no comparison\n");
    printFigure(std::string("CPU over ") + std::to_string(seconds) + " s of " + what, "%", player.cpuPercent);
    printFigure(std::string("peak memory, ") + what, "MiB", player.peakMiB);
    return 0;
  }
  std::this_thread::sleep_for(std::chrono::milliseconds(500));
  const Usage mpv =
      measure(probe, {"mpv", "--vo=x11", "--ao=null", clip}, privateEnvironment(media.sub("mpv-home")), seconds, video);
  std::printf("  mpv       CPU %5.1f %%   peak memory (VmHWM) %6.1f MiB\n", mpv.cpuPercent, mpv.peakMiB);
  std::this_thread::sleep_for(std::chrono::milliseconds(500));
  std::vector<std::string> floorEnvironment = privateEnvironment(media.sub("floor-home"));
  floorEnvironment.push_back("QT_QPA_PLATFORM=xcb");
  const Usage floor = measure(probe, {QM_TOOLKIT_FLOOR, clip}, floorEnvironment, seconds, false);
  std::printf("  a bare Qt window with libmpv, no video output: peak memory %6.1f MiB (%.2f of mpv)\n", floor.peakMiB,
              floor.peakMiB / mpv.peakMiB);
  std::printf("  ratio quilmora / mpv: CPU %.2f, memory %.2f\n", player.cpuPercent / mpv.cpuPercent,
              player.peakMiB / mpv.peakMiB);
  printFigure(std::string("CPU over ") + std::to_string(seconds) + " s of " + what, "%", player.cpuPercent,
              mpv.cpuPercent);
  printFigure(std::string("peak memory, ") + what, "MiB", player.peakMiB, mpv.peakMiB);
  printFigure(std::string("peak memory, ") + what + ", bare Qt window + libmpv", "MiB", floor.peakMiB, mpv.peakMiB);
  return 0;
}
