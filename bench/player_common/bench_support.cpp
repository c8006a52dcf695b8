#include "bench_support.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <fcntl.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

extern char** environ;

namespace qm::bench {

namespace fs = std::filesystem;

double secondsSince(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

double median(std::vector<double> values) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  const size_t n = values.size();
  return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

namespace {

std::vector<char*> cStrings(const std::vector<std::string>& texts) {
  std::vector<char*> out;
  for (const std::string& t : texts) out.push_back(const_cast<char*>(t.c_str()));
  out.push_back(nullptr);
  return out;
}

// fork and exec rather than posix_spawn: the child is told to end with
// this process, so a benchmark that crashes leaves no player behind.
pid_t spawn(const std::vector<std::string>& argv, const std::vector<std::string>* environment, bool quiet) {
  auto args = cStrings(argv);
  std::vector<char*> env = environment ? cStrings(*environment) : std::vector<char*>();
  const pid_t pid = fork();
  if (pid == 0) {
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (quiet) {
      const int devNull = open("/dev/null", O_WRONLY);
      dup2(devNull, 1);
      dup2(devNull, 2);
    }
    if (environment) environ = env.data();
    execvp(args[0], args.data());
    _exit(127);
  }
  return pid;
}

std::string readFile(const std::string& path) {
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

}  // namespace

bool runToEnd(const std::vector<std::string>& argv) {
  const pid_t pid = spawn(argv, nullptr, false);
  int status = 0;
  return pid > 0 && waitpid(pid, &status, 0) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

bool make720pClip(const std::string& path, int seconds) {
  const std::string s = std::to_string(seconds);
  return runToEnd({"ffmpeg",
                   "-nostdin",
                   "-v",
                   "error",
                   "-y",
                   "-f",
                   "lavfi",
                   "-i",
                   "testsrc2=size=1280x720:rate=30:duration=" + s,
                   "-f",
                   "lavfi",
                   "-i",
                   "sine=frequency=440:sample_rate=48000:duration=" + s,
                   "-c:v",
                   "libx264",
                   "-preset",
                   "veryfast",
                   "-pix_fmt",
                   "yuv420p",
                   "-c:a",
                   "aac",
                   "-ac",
                   "2",
                   path});
}

bool makeMp3(const std::string& path, int seconds) {
  return runToEnd({"ffmpeg", "-nostdin", "-v", "error", "-y", "-f", "lavfi", "-i",
                   "sine=frequency=440:sample_rate=44100:duration=" + std::to_string(seconds), "-ac", "2", "-c:a",
                   "libmp3lame", "-b:a", "192k", path});
}

void printFigure(const std::string& name, const std::string& unit, double quilmora, double reference,
                 const std::string& referenceName) {
  std::printf("FIGURE|%s|%s|%.2f|%.2f|%s\n", name.c_str(), unit.c_str(), quilmora, reference,
              reference < 0 ? "" : referenceName.c_str());
  std::fflush(stdout);
}

std::string programSource(const std::string& buildFolder) {
  const char* chosen = std::getenv("QUILMORA_BENCH_PROGRAM_DIR");
  return chosen && *chosen ? std::string(chosen) : buildFolder;
}

ScratchFolder::ScratchFolder() {
  std::string pattern = (fs::temp_directory_path() / "quilmora-bench-XXXXXX").string();
  if (mkdtemp(pattern.data())) path_ = pattern;
}

ScratchFolder::~ScratchFolder() {
  std::error_code ec;
  if (!path_.empty()) fs::remove_all(path_, ec);
}

std::string ScratchFolder::sub(const std::string& name) const {
  const fs::path folder = fs::path(path_) / name;
  std::error_code ec;
  fs::create_directories(folder, ec);
  return folder.string();
}

PlayerFolder::PlayerFolder(const std::string& buildFolder) {
  program_ = scratch_.sub("program");
  for (const char* sub : {"home/Documents", "runtime"}) scratch_.sub(sub);
  chmod((scratch_.path() + "/runtime").c_str(), 0700);
  for (const char* name :
       {"quilmora", "quilmora-webengine.so", "0.dll", "power.dll", "music.wma", "Quilmora.chm", "dorl.chm"}) {
    std::error_code ec;
    const fs::path source = fs::path(programSource(buildFolder)) / name;
    fs::create_hard_link(source, fs::path(program_) / name, ec);
    if (ec) fs::copy_file(source, fs::path(program_) / name, ec);
  }
  // Ruffle, as the build lays it out beside the executable.
  std::error_code ec;
  fs::create_directory_symlink(fs::absolute(fs::path(programSource(buildFolder)) / "ruffle"),
                               fs::path(program_) / "ruffle", ec);
  // Not the first run: no association dialog, no home page.
  scratch_.sub("program/datinf");
}

std::string PlayerFolder::executable() const { return program_ + "/quilmora"; }

std::vector<std::string> privateEnvironment(const std::string& home) {
  // The home, the XDG folders and the session bus are the run's own.
  auto replaced = [](const std::string& entry) {
    for (const char* prefix : {"HOME=", "XDG_", "DBUS_SESSION_BUS_ADDRESS="})
      if (entry.rfind(prefix, 0) == 0) return true;
    return false;
  };
  std::vector<std::string> env;
  for (char** e = environ; *e; ++e)
    if (!replaced(*e)) env.push_back(*e);
  env.push_back("HOME=" + home);
  env.push_back("XDG_CONFIG_HOME=" + home + "/.config");
  env.push_back("XDG_DATA_HOME=" + home + "/.local/share");
  env.push_back("XDG_CACHE_HOME=" + home + "/.cache");
  return env;
}

std::vector<std::string> PlayerFolder::environment() const {
  std::vector<std::string> env = privateEnvironment(scratch_.path() + "/home");
  env.push_back("XDG_RUNTIME_DIR=" + scratch_.path() + "/runtime");
  env.push_back("QT_QPA_PLATFORM=xcb");
  env.push_back("QUILMORA_MPV_OPTIONS=ao=null");
  env.push_back("QUILMORA_MUSIC_MPV_OPTIONS=ao=null");
  return env;
}

Child::Child(const std::vector<std::string>& argv, const std::vector<std::string>& environment)
    : pid_(spawn(argv, &environment, true)) {}

Child::~Child() {
  if (pid_ <= 0) return;
  kill(pid_, SIGTERM);
  for (int i = 0; i < 300; ++i) {
    if (waitpid(pid_, nullptr, WNOHANG) == pid_) return;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  kill(pid_, SIGKILL);
  waitpid(pid_, nullptr, 0);
}

double Child::cpuSeconds() const {
  // Fields 14 and 15 of /proc/<pid>/stat, after the name in parentheses.
  const std::string stat = readFile("/proc/" + std::to_string(pid_) + "/stat");
  const size_t close = stat.rfind(')');
  if (close == std::string::npos) return -1;
  std::istringstream fields(stat.substr(close + 2));
  std::string field;
  double utime = 0, stime = 0;
  for (int i = 3; fields >> field; ++i) {
    if (i == 14) utime = std::stod(field);
    if (i == 15) {
      stime = std::stod(field);
      break;
    }
  }
  return (utime + stime) / double(sysconf(_SC_CLK_TCK));
}

double Child::peakMiB() const {
  std::istringstream status(readFile("/proc/" + std::to_string(pid_) + "/status"));
  std::string line;
  while (std::getline(status, line))
    if (line.rfind("VmHWM:", 0) == 0) return std::stod(line.substr(6)) / 1024.0;
  return -1;
}

ScreenProbe::ScreenProbe() {
  display_ = XOpenDisplay(nullptr);
  if (!display_) return;
  root_ = DefaultRootWindow(display_);
  width_ = DisplayWidth(display_, DefaultScreen(display_));
  height_ = DisplayHeight(display_, DefaultScreen(display_));
}

ScreenProbe::~ScreenProbe() {
  if (display_) XCloseDisplay(display_);
}

double ScreenProbe::litShare(int x, int y, int width, int height) {
  XImage* image = XGetImage(display_, root_, x, y, width, height, AllPlanes, ZPixmap);
  if (!image) return 0;
  long lit = 0;
  for (int row = 0; row < height; ++row)
    for (int column = 0; column < width; ++column) {
      const unsigned long p = XGetPixel(image, column, row);
      if (((p >> 16) & 0xFF) + ((p >> 8) & 0xFF) + (p & 0xFF) > 60) ++lit;
    }
  XDestroyImage(image);
  return double(lit) / (double(width) * height);
}

double ScreenProbe::colourShare(int x, int y, int width, int height, unsigned colour) {
  XImage* image = XGetImage(display_, root_, x, y, width, height, AllPlanes, ZPixmap);
  if (!image) return 0;
  auto near = [](unsigned long a, unsigned long b) { return std::abs(long(a & 0xFF) - long(b & 0xFF)) <= 12; };
  long matching = 0;
  for (int row = 0; row < height; ++row)
    for (int column = 0; column < width; ++column) {
      const unsigned long p = XGetPixel(image, column, row);
      if (near(p >> 16, colour >> 16) && near(p >> 8, colour >> 8) && near(p, colour)) ++matching;
    }
  XDestroyImage(image);
  return double(matching) / (double(width) * height);
}

double secondsUntilPicture(ScreenProbe& probe, Clock::time_point start, double timeout) {
  const int w = 200, h = 100;
  const int x = probe.width() / 2 - w / 2, y = probe.height() / 2 - h / 2;
  while (secondsSince(start) < timeout) {
    if (probe.litShare(x, y, w, h) > 0.5) return secondsSince(start);
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  return -1;
}

double startToPicture(ScreenProbe& probe, const std::vector<std::string>& argv,
                      const std::vector<std::string>& environment) {
  return startToPictureAndColour(probe, argv, environment, -1u).first;
}

std::pair<double, double> startToPictureAndColour(ScreenProbe& probe, const std::vector<std::string>& argv,
                                                  const std::vector<std::string>& environment, unsigned colour) {
  const auto start = Clock::now();
  std::pair<double, double> seconds{-1, -1};
  {
    Child child(argv, environment);
    if (!child.started()) return seconds;
    seconds.first = secondsUntilPicture(probe, start, 15);
    const int w = 200, h = 100, x = probe.width() / 2 - w / 2, y = probe.height() / 2 - h / 2;
    while (colour != -1u && seconds.first >= 0 && secondsSince(start) < 15) {
      if (probe.colourShare(x, y, w, h, colour) > 0.5) {
        seconds.second = secondsSince(start);
        break;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
  }
  // The next run starts on a black screen.
  const auto ended = Clock::now();
  while (secondsSince(ended) < 3 && probe.litShare(probe.width() / 2 - 100, probe.height() / 2 - 50, 200, 100) > 0.01)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  return seconds;
}

}  // namespace qm::bench
