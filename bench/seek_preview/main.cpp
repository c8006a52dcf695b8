// What the seek bar's preview costs the playing video. A 720p H.264 clip
// with a key frame every second plays while the pointer sweeps back and
// forth along the seek bar (each sweep asks for pictures the decoder has not
// made yet at first), and for as long while it sweeps the same way over the
// video, where no preview shows. For each: the player's CPU, its
// user-interface thread's and its thumbnail worker's, the frames libmpv
// dropped (frame-drop-count) or showed late (vo-delayed-frame-count), and
// the pictures the preview received. Sweeping the bar also redraws the bar
// itself at every move, which sweeping the video does not. Figures only.
//
//   bench_seek_preview [seconds]   (default 10)

#include <unistd.h>

#include <QApplication>
#include <chrono>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "bench_support.h"
#include "integration/player_rig.h"
#include "support/event_wait.h"
#include "support/virtual_display.h"

// Last: its macros (Status, Bool, None) break the Qt headers.
#include <X11/Xlib.h>

using namespace qm;
using namespace qm::bench;

namespace {

// Pointer moves a second, as a mouse reports them.
constexpr int kMovesPerSecond = 60;
// One sweep from one end to the other.
constexpr double kSweepSeconds = 1.0;
// The thumbnail worker runs at this niceness (av_thumbnail_decoder.cpp).
constexpr int kWorkerNice = 10;

struct ThreadTimes {
  double all = 0, ui = 0, worker = 0;
};

// CPU seconds of this process's threads, from /proc/self/task.
ThreadTimes threadTimes() {
  ThreadTimes t;
  const double tick = double(sysconf(_SC_CLK_TCK));
  const std::string self = std::to_string(getpid());
  for (const auto& task : std::filesystem::directory_iterator("/proc/self/task")) {
    std::ifstream stat(task.path() / "stat");
    std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
    const size_t close = text.rfind(')');
    if (close == std::string::npos) continue;
    // Fields from the third on: utime is the 14th, stime the 15th, nice the 19th.
    std::istringstream rest(text.substr(close + 2));
    std::string field;
    double seconds = 0;
    int nice = 0;
    for (int i = 3; rest >> field && i <= 19; ++i) {
      if (i == 14 || i == 15) seconds += std::stod(field) / tick;
      if (i == 19) nice = std::stoi(field);
    }
    t.all += seconds;
    if (task.path().filename() == self) t.ui += seconds;
    if (nice == kWorkerNice) t.worker += seconds;
  }
  return t;
}

struct Run {
  double cpu = -1, ui = -1, worker = -1;
  long dropped = -1, late = -1;
  int previews = 0;
};

long counter(MpvEngine& media, const char* name) { return long(media.counter(name).value_or(-1)); }

// Sweeps the pointer along `row` of the screen, from `left` to `right` and
// back, for `seconds`, running the player's events between the moves.
Run sweep(integration::PlayerRig& rig, ::Display* x, int left, int right, int row, int seconds, const int& previews) {
  Run run;
  MpvEngine& media = rig.media();
  const long droppedBefore = counter(media, "frame-drop-count"), lateBefore = counter(media, "vo-delayed-frame-count");
  const int previewsBefore = previews;
  const ThreadTimes before = threadTimes();
  const auto start = bench::Clock::now();
  const int stepsPerSweep = int(kSweepSeconds * kMovesPerSecond);
  for (int step = 0; secondsSince(start) < seconds; ++step) {
    const int along = step % (2 * stepsPerSweep);
    const int offset = along < stepsPerSweep ? along : 2 * stepsPerSweep - along;
    XWarpPointer(x, None, DefaultRootWindow(x), 0, 0, 0, 0, left + (right - left) * offset / stepsPerSweep, row);
    XFlush(x);
    const double due = double(step + 1) / kMovesPerSecond;
    live::pumpFor(std::max(1, int((due - secondsSince(start)) * 1000)));
  }
  const double wall = secondsSince(start);
  const ThreadTimes after = threadTimes();
  run.cpu = (after.all - before.all) / wall * 100;
  run.ui = (after.ui - before.ui) / wall * 100;
  run.worker = (after.worker - before.worker) / wall * 100;
  const long droppedAfter = counter(media, "frame-drop-count"), lateAfter = counter(media, "vo-delayed-frame-count");
  if (droppedBefore >= 0 && droppedAfter >= 0) run.dropped = droppedAfter - droppedBefore;
  if (lateBefore >= 0 && lateAfter >= 0) run.late = lateAfter - lateBefore;
  run.previews = previews - previewsBefore;
  return run;
}

void print(const char* what, const Run& r) {
  std::printf(
      "  %-26s CPU %5.1f %% (UI thread %5.1f %%, thumbnail worker %5.1f %%)  dropped %3ld  late %3ld  "
      "pictures %d\n",
      what, r.cpu, r.ui, r.worker, r.dropped, r.late, r.previews);
}

}  // namespace

int main(int argc, char** argv) {
  const int seconds = argc > 1 ? std::atoi(argv[1]) : 10;
  live::VirtualDisplay display;
  if (!display.ok()) {
    std::fprintf(stderr, "%s\n", display.error().c_str());
    return 1;
  }
  QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
  QApplication app(argc, argv);
  std::setlocale(LC_NUMERIC, "C");  // libmpv parses numbers in the C locale
  ::Display* x = XOpenDisplay(nullptr);
  if (!x) return 1;

  integration::PlayerRig rig;
  const std::string folder = rig.folder("bench");
  const std::string clip = folder + "/clip720.mp4";
  const std::string length = std::to_string(2 * seconds + 20);
  if (!runToEnd({"ffmpeg", "-nostdin", "-v", "error", "-y", "-f", "lavfi", "-i",
                 "testsrc2=size=1280x720:rate=30:duration=" + length, "-c:v", "libx264", "-preset", "veryfast", "-g",
                 "30", "-pix_fmt", "yuv420p", clip})) {
    std::fprintf(stderr, "ffmpeg could not make the clip\n");
    return 1;
  }
  rig.rememberListFolder(folder);
  if (!rig.start()) return 1;
  Form1& f = rig.form();
  // Pictures the preview received (a new one per answer of the decoder,
  // also when it had the key frame's picture already).
  int previews = 0;
  Picture last;
  SeekPreview& preview = rig.player().seekPreview;
  preview.changed.connect([&] {
    if (preview.shown() && preview.picture() != last) ++previews;
    last = preview.picture();
  });
  f.File1.setListIndex(0);
  MpvEngine& media = rig.media();
  if (!live::pumpUntil([&] { return media.playState() == play_state::Playing && media.currentPosition() > 1; },
                       15000)) {
    std::fprintf(stderr, "the clip does not play\n");
    return 1;
  }

  // Past the start's own late frames.
  live::pumpFor(2000);
  const QRect bar = rig.screenRect(f.tVate1), video = rig.screenRect(f.WindowsMediaPlayer1);
  const int left = bar.left() + 12, right = bar.right() - 12;
  const Run still = sweep(rig, x, left, right, video.center().y(), seconds, previews);
  const Run hovering = sweep(rig, x, left, right, bar.center().y(), seconds, previews);
  XCloseDisplay(x);

  std::printf("Playing 720p H.264 (a key frame a second) for %d s while the pointer sweeps (100 %% = one core)\n",
              seconds);
  print("over the video:", still);
  print("along the seek bar:", hovering);
  printFigure("seek preview: CPU, pointer sweeping the video", "%", still.cpu);
  printFigure("seek preview: CPU, pointer sweeping the seek bar", "%", hovering.cpu);
  printFigure("seek preview: thumbnail worker CPU while sweeping", "%", hovering.worker);
  printFigure("seek preview: dropped+late frames, sweeping the video", "frames", double(still.dropped + still.late));
  printFigure("seek preview: dropped+late frames, sweeping the bar", "frames",
              double(hovering.dropped + hovering.late));
  printFigure("seek preview: pictures received a second", "1/s", double(hovering.previews) / seconds);
  return 0;
}
