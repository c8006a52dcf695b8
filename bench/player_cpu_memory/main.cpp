// CPU time and peak memory over 10 s of playing a 720p H.264 clip (or an
// MP3): the player against plain mpv (--vo=x11 --ao=null), each on a
// virtual screen, measured from /proc once the first frame is on the screen
// (for the MP3, which shows no frame, once both have had time to start).
// A third program, a bare Qt window with libmpv and no video output, shows
// how much of the player's memory its toolkit alone takes.
// This virtual machine's speed drifts by 10 % from one minute to the next, so
// the player and mpv take turns for a few rounds and the medians are compared.
//
//   bench_player_cpu_memory [seconds] [video|mp3] [rounds]   (default 10 video 3)

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "bench_support.h"
#include "support/virtual_display.h"

using namespace qm::bench;

namespace {

struct Usage {
  double cpuPercent = -1;
  double peakMiB = -1;
};

constexpr double kAudioStartSeconds = 2;

// A program that never showed its picture counts as failed, not as 0 %.
double medianOrFailed(const std::vector<double>& values) { return values.empty() ? -1 : median(values); }

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
  const int rounds = argc > 3 ? std::max(1, std::atoi(argv[3])) : 3;
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
  const std::vector<std::string> playerArgv = {folder.executable(), clip};
  const std::vector<std::string> mpvArgv = {"mpv", "--vo=x11", "--ao=null", clip};
  const bool haveMpv = runToEnd({"sh", "-c", "command -v mpv >/dev/null"});
  std::printf("Playing %s for %d s, %d rounds (CPU: user + system time of the process, 100 %% = one core)\n", what,
              seconds, rounds);
  std::vector<double> playerCpu, playerPeak, mpvCpu, mpvPeak;
  for (int round = 0; round < rounds; ++round) {
    const Usage player = measure(probe, playerArgv, folder.environment(), seconds, video);
    std::printf("  quilmora  CPU %5.1f %%   peak memory (VmHWM) %6.1f MiB\n", player.cpuPercent, player.peakMiB);
    if (player.cpuPercent >= 0) {
      playerCpu.push_back(player.cpuPercent);
      playerPeak.push_back(player.peakMiB);
    }
    if (!haveMpv) continue;
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    const Usage mpv = measure(probe, mpvArgv, privateEnvironment(media.sub("mpv-home")), seconds, video);
    std::printf("  mpv       CPU %5.1f %%   peak memory (VmHWM) %6.1f MiB\n", mpv.cpuPercent, mpv.peakMiB);
    if (mpv.cpuPercent >= 0) {
      mpvCpu.push_back(mpv.cpuPercent);
      mpvPeak.push_back(mpv.peakMiB);
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
  }
  const std::string cpuFigure = std::string("CPU over ") + std::to_string(seconds) + " s of " + what;
  if (!haveMpv) {
    std::printf("  mpv is not installed: no comparison\n");
    printFigure(cpuFigure, "%", medianOrFailed(playerCpu));
    printFigure(std::string("peak memory, ") + what, "MiB", medianOrFailed(playerPeak));
    return 0;
  }
  // The player's own environment: without a runtime folder Qt alone holds
  // several MiB more.
  const Usage floor = measure(probe, {QM_TOOLKIT_FLOOR, clip}, folder.environment(), seconds, false);
  std::printf("  a bare Qt window with libmpv, no video output: peak memory %6.1f MiB (%.2f of mpv)\n", floor.peakMiB,
              floor.peakMiB / medianOrFailed(mpvPeak));
  std::printf("  ratio of the medians, quilmora / mpv: CPU %.2f, memory %.2f\n",
              medianOrFailed(playerCpu) / medianOrFailed(mpvCpu), medianOrFailed(playerPeak) / medianOrFailed(mpvPeak));
  printFigure(cpuFigure + " (median)", "%", medianOrFailed(playerCpu), medianOrFailed(mpvCpu));
  printFigure(std::string("peak memory, ") + what + " (median)", "MiB", medianOrFailed(playerPeak),
              medianOrFailed(mpvPeak));
  printFigure(std::string("peak memory, ") + what + ", bare Qt window + libmpv", "MiB", floor.peakMiB,
              medianOrFailed(mpvPeak));
  return 0;
}
