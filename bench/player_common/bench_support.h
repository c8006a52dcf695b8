#pragma once

// What the player benchmarks share: a virtual screen, the player's program
// folder, child processes with their CPU time and peak memory, and a fast
// look at the screen.

#include <sys/types.h>

#include <chrono>
#include <string>
#include <utility>
#include <vector>

struct _XDisplay;

namespace qm::bench {

using Clock = std::chrono::steady_clock;
double secondsSince(Clock::time_point start);
double median(std::vector<double> values);

// Runs a program to its end; true when it ended with 0.
bool runToEnd(const std::vector<std::string>& argv);
// H.264 1280x720 at 30 frames a second with an AAC tone.
bool make720pClip(const std::string& path, int seconds);
// An MP3 of a 440 Hz tone.
bool makeMp3(const std::string& path, int seconds);

// A fresh folder under the temporary folder, removed with the object.
class ScratchFolder {
 public:
  ScratchFolder();
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  const std::string& path() const { return path_; }
  // A sub-folder, made on first use.
  std::string sub(const std::string& name) const;

 private:
  std::string path_;
};

// One line of the summary that bench/run_all.sh gathers into its table:
// "FIGURE|name|unit|quilmora|reference|what the reference is", a negative
// reference figure for none. The reference is plain mpv unless named.
void printFigure(const std::string& name, const std::string& unit, double quilmora, double reference = -1,
                 const std::string& referenceName = "mpv");

// The folder holding the player to measure: $QUILMORA_BENCH_PROGRAM_DIR
// when set (an earlier build kept for a comparison), else `buildFolder`.
std::string programSource(const std::string& buildFolder);

// One run of the built player, as its user starts it: a program folder with
// the build's files, its own home and runtime folder.
class PlayerFolder {
 public:
  explicit PlayerFolder(const std::string& buildFolder);
  std::string executable() const;
  // The environment for the player: this process's, with the run's folders
  // and the sound sent nowhere.
  std::vector<std::string> environment() const;
  const std::string& programFolder() const { return program_; }

 private:
  ScratchFolder scratch_;
  std::string program_;
};

// This process's environment with a private home, for other programs.
std::vector<std::string> privateEnvironment(const std::string& home);

// A child process; killed when the object goes.
class Child {
 public:
  Child(const std::vector<std::string>& argv, const std::vector<std::string>& environment);
  ~Child();
  Child(const Child&) = delete;
  Child& operator=(const Child&) = delete;
  bool started() const { return pid_ > 0; }
  pid_t pid() const { return pid_; }
  // User plus system CPU seconds of the process so far.
  double cpuSeconds() const;
  // Peak resident memory (VmHWM) in MiB.
  double peakMiB() const;

 private:
  pid_t pid_ = -1;
};

// The screen of DISPLAY, read straight from the X server.
class ScreenProbe {
 public:
  ScreenProbe();
  ~ScreenProbe();
  ScreenProbe(const ScreenProbe&) = delete;
  ScreenProbe& operator=(const ScreenProbe&) = delete;
  bool ok() const { return display_ != nullptr; }
  // Share (0..1) of the area's pixels that are not black.
  double litShare(int x, int y, int width, int height);
  // Share (0..1) of the area's pixels within a few steps of the colour 0xRRGGBB.
  double colourShare(int x, int y, int width, int height, unsigned colour);
  int width() const { return width_; }
  int height() const { return height_; }

 private:
  ::_XDisplay* display_ = nullptr;
  unsigned long root_ = 0;
  int width_ = 0, height_ = 0;
};

// Seconds from `start` until the middle of the screen shows a picture
// (most of a 200 x 100 area lit), or a negative number after `timeout`
// seconds. Both players centre their video on the screen.
double secondsUntilPicture(ScreenProbe& probe, Clock::time_point start, double timeout);

// Seconds from starting the program until the middle of the screen shows a
// picture (negative: none in 15 s); the program is ended, and the screen
// black again, before it returns.
double startToPicture(ScreenProbe& probe, const std::vector<std::string>& argv,
                      const std::vector<std::string>& environment);
// The same, and then on until most of the middle of the screen shows
// `colour` (0xRRGGBB): the seconds to each, negative for none in 15 s.
std::pair<double, double> startToPictureAndColour(ScreenProbe& probe, const std::vector<std::string>& argv,
                                                  const std::vector<std::string>& environment, unsigned colour);

}  // namespace qm::bench
