// The Flash runtime's costs. First the player program itself, started with a
// .swf for Ruffle, with a .swf of shapes alone (drawn by the player itself)
// and, in turns, with a 720p clip: the time to the first frame on the
// screen. Then the player put together as the program puts it together, in
// this process: web engine processes while a video plays from a list of
// media (there should be none), time from opening a .swf to its first frame
// with the web engine not yet started (cold) and started (warm), reported by
// the runtime and seen on the screen, and after a video whose next entry is
// a movie (the web engine started while the video played), CPU while a
// 12 fps movie plays, the peak memory while it plays (PSS summed over the
// player and the web engine's processes, sampled), and the page's fetch and
// compile of Ruffle's wasm.
//
//   bench_flash_movie [runs]   (warm opens, default 5; program starts: 5 each)

#include <dirent.h>
#include <unistd.h>

#include <QApplication>
#include <QDir>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <algorithm>
#include <chrono>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "bench_support.h"
#include "integration/player_rig.h"
#include "support/event_wait.h"
#include "support/virtual_display.h"
#include "swf_writer/own_movies.h"
#include "swf_writer/shape_writer.h"

namespace {

using Clock = std::chrono::steady_clock;
using qm::bench::printFigure;

std::vector<int> descendants(int root) {
  std::vector<int> found{root};
  for (size_t i = 0; i < found.size(); ++i) {
    std::ifstream children("/proc/" + std::to_string(found[i]) + "/task/" + std::to_string(found[i]) + "/children");
    for (int child; children >> child;) found.push_back(child);
  }
  return found;
}

std::string processName(int pid) {
  std::ifstream comm("/proc/" + std::to_string(pid) + "/comm");
  std::string name;
  std::getline(comm, name);
  return name;
}

int webEngineProcesses() {
  int count = 0;
  for (int pid : descendants(getpid())) count += processName(pid).find("QtWebEngine") != std::string::npos;
  return count;
}

// Kilobytes of a field of /proc/<pid>/<file> (smaps_rollup's Pss, status's VmHWM).
long field(int pid, const char* file, const std::string& name) {
  std::ifstream in("/proc/" + std::to_string(pid) + "/" + file);
  for (std::string line; std::getline(in, line);)
    if (line.rfind(name + ":", 0) == 0) return std::atol(line.c_str() + name.size() + 1);
  return 0;
}

// CPU seconds of the process tree, or of this process alone: web engine
// processes that end within a window take their time with them.
double cpuSeconds(bool tree = true) {
  double total = 0;
  const double tick = double(sysconf(_SC_CLK_TCK));
  for (int pid : tree ? descendants(getpid()) : std::vector<int>{getpid()}) {
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
    std::istringstream rest(text.substr(text.rfind(')') + 2));
    std::string skip;
    for (int i = 0; i < 11; ++i) rest >> skip;
    long utime = 0, stime = 0;
    rest >> utime >> stime;
    total += (utime + stime) / tick;
  }
  return total;
}

// The two movies the warm opens take turns with: a blue and an orange
// rectangle, so the screen tells which one shows.
constexpr unsigned kBlue = qm::swf_writer::kCountingBlue;
constexpr unsigned kOrange = 0xe08030;

// A movie for Ruffle, or with `drawn` one of shapes alone, which the player
// draws itself.
bool writeMovie(const std::string& path, unsigned colour = kBlue, bool drawn = false) {
  const std::vector<uint8_t> bytes = drawn ? qm::swf_writer::drawnMovie(colour) : qm::swf_writer::countingMovie(colour);
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
  return bool(out.flush());
}

// A movie for Ruffle whose first frame shows a blue rectangle and whose
// second covers it with an orange one: on the screen, the first frame comes
// from the player (it stands in while Ruffle starts), the second from Ruffle.
bool writeMovieForRuffle(const std::string& path) {
  using namespace qm::swf_writer;
  const auto colour = [](unsigned rgb) { return Color{uint8_t(rgb >> 16), uint8_t(rgb >> 8), uint8_t(rgb)}; };
  SwfBuilder movie(8, 320, 240, 12);
  movie.fileAttributes().backgroundColor({0, 0, 0}).defineRectangle(1, 160, 120, colour(kBlue));
  movie.defineRectangle(2, 160, 120, colour(kOrange)).placeObject(1, 1, 80, 60);
  movie.doAction(ActionBuilder().assign("counting", "1")).showFrame();
  movie.placeObject(2, 2, 80, 60);
  for (int frame = 1; frame < 24; ++frame) movie.showFrame();
  const std::vector<uint8_t> bytes = movie.build(Compression::kZlib);
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
  return bool(out.flush());
}

// A movie the player draws whose rectangle moves on every frame: 24 frames
// at 12 per second, so that every frame is painted.
bool writeMovingMovie(const std::string& path) {
  using namespace qm::swf_writer;
  SwfBuilder movie(8, 320, 240, 12);
  movie.backgroundColor({0, 0, 0}).defineRectangle(1, 160, 120, {0x30, 0x90, 0xe0}).placeObject(1, 1, 0, 60);
  for (int frame = 0; frame < 24; ++frame)
    movie.tag(tag::kPlaceObject2, moveObjectBody(1, frame * 5 * kTwipsPerPixel, 60 * kTwipsPerPixel)).showFrame();
  const std::vector<uint8_t> bytes = movie.build(Compression::kZlib);
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
  return bool(out.flush());
}

// Opens the list entry and times until the runtime reports the movie's
// first frames.
double openToFirstFrame(qm::integration::PlayerRig& rig, int entry) {
  const auto start = Clock::now();
  rig.form().File1.setListIndex(entry);
  if (!qm::live::pumpUntil([&] { return rig.flash().FrameNum().has_value(); }, 20000)) return -1;
  return std::chrono::duration<double>(Clock::now() - start).count();
}

// Opens the list entry and times until the middle of the Flash area shows
// the movie's colour.
double openToFrameOnScreen(qm::integration::PlayerRig& rig, qm::bench::ScreenProbe& probe, int entry, unsigned colour) {
  const auto start = Clock::now();
  rig.form().File1.setListIndex(entry);
  const QPoint middle = rig.screenRect(rig.form().ShockwaveFlash1).center();
  if (!qm::live::pumpUntil([&] { return probe.colourShare(middle.x() - 50, middle.y() - 25, 100, 50, colour) > 0.5; },
                           20000))
    return -1;
  return std::chrono::duration<double>(Clock::now() - start).count();
}

struct ProgramStarts {
  double clip = -1, movie = -1, drawn = -1;
  double movieRuns = -1;  // the Ruffle movie's second frame
};

// The player program started with the clip, with the .swf for Ruffle and
// with the drawn .swf, in turns, each in a fresh folder: medians in seconds.
ProgramStarts programStarts(qm::bench::ScreenProbe& probe, const std::string& clip, const std::string& movie,
                            const std::string& drawn, int rounds) {
  using namespace qm::bench;
  std::vector<double> clips, movies, drawns, runs;
  auto startWith = [&](const std::string& file, unsigned thenColour = -1u) {
    PlayerFolder folder(QM_PROGRAM_DIR);
    return startToPictureAndColour(probe, {folder.executable(), file}, folder.environment(), thenColour);
  };
  for (int i = 0; i < rounds; ++i) {
    clips.push_back(startWith(clip).first);
    const auto [firstFrame, running] = startWith(movie, kOrange);
    movies.push_back(firstFrame);
    runs.push_back(running);
    drawns.push_back(startWith(drawn).first);
  }
  auto show = [](const char* name, const std::vector<double>& times) {
    std::printf("  %-10s", name);
    for (double t : times) std::printf(" %6.0f", t * 1000);
    std::printf("   median %6.0f\n", median(times) * 1000);
  };
  std::printf("Program start to first frame on the screen, cold (ms; -1000 = none in 15 s)\n");
  show("720p clip", clips);
  show(".swf", movies);
  show(".swf runs", runs);
  show("drawn .swf", drawns);
  auto result = [](const std::vector<double>& times) {
    return *std::min_element(times.begin(), times.end()) < 0 ? -1 : median(times);
  };
  return {result(clips), result(movies), result(drawns), result(runs)};
}

// One of Ruffle's wasm builds (a file of its folder) as the page gets it:
// milliseconds to fetch it, and to compile it (as the runtime does, a
// streaming compile; with functions compiled as they are first called, what
// is done before the runtime can start). A custom section of random bytes makes the module new
// to the engine's cache of compiled modules, which would otherwise answer at
// once. Both -1 when the page could not say.
struct WasmTimes {
  double fetchMs = -1;
  double compileMs = -1;
};

WasmTimes wasmFetchAndCompile(qm::integration::PlayerRig& rig, const QString& file) {
  auto* view = rig.flash().ruffle() ? qobject_cast<QWebEngineView*>(rig.flash().ruffle()->view()) : nullptr;
  if (!view) return {};
  view->page()->runJavaScript("window.benchFile = 'ruffle/" + file + "';" + R"JS(
    window.benchWasm = undefined;
    (async () => {
      let start = performance.now();
      const bytes = await (await fetch(window.benchFile)).arrayBuffer();
      const fetched = performance.now() - start;
      const section = new Uint8Array([0, 10, 1, 0x71, 0, 0, 0, 0, 0, 0, 0, 0]);
      crypto.getRandomValues(section.subarray(4));
      const response = new Response(new Blob([bytes, section]), { headers: { "Content-Type": "application/wasm" } });
      start = performance.now();
      await WebAssembly.compileStreaming(response);
      window.benchWasm = [fetched, performance.now() - start];
    })().catch(() => { window.benchWasm = []; });
  )JS");
  // Answers still on their way when this returns write into a result of their own.
  auto result = std::make_shared<QVariantList>();
  auto answered = std::make_shared<bool>(false);
  qm::live::pumpUntil(
      [&] {
        view->page()->runJavaScript("window.benchWasm", [result, answered](const QVariant& v) {
          if (v.isValid() && !v.isNull()) *result = v.toList(), *answered = true;
        });
        return *answered;
      },
      20000);
  if (result->size() != 2) return {};
  return {(*result)[0].toDouble(), (*result)[1].toDouble()};
}

}  // namespace

int main(int argc, char** argv) {
  const int runs = argc > 1 ? std::atoi(argv[1]) : 5;
  qm::live::VirtualDisplay display;
  if (!display.ok()) {
    std::fprintf(stderr, "%s\n", display.error().c_str());
    return 1;
  }
  QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
  QApplication app(argc, argv);
  std::setlocale(LC_NUMERIC, "C");
  qm::bench::ScreenProbe probe;
  if (!probe.ok()) return 1;

  // Ruffle's page goes soon after its last movie, so that a later open can
  // find it gone.
  qm::integration::PlayerRig::Options options;
  options.ruffleKept = std::chrono::milliseconds(2000);
  qm::integration::PlayerRig rig(options);
  // A folder of media only, and one of movies and a video, in this order.
  const std::string media = rig.folder("media");
  const std::string movies = rig.folder("movies");
  const std::string make =
      "ffmpeg -loglevel error -y -f lavfi -i testsrc=duration=30:size=320x240:rate=25 "
      "-c:v libx264 -pix_fmt yuv420p '" +
      media + "/a.mp4' && cp '" + media + "/a.mp4' '" + movies + "/d.mp4'";
  const std::string clip720 = rig.folder("program-starts") + "/clip720.mp4";
  if (std::system(make.c_str()) != 0 || !writeMovie(movies + "/b.swf") || !writeMovie(movies + "/c.swf", kOrange) ||
      !qm::bench::make720pClip(clip720, 10)) {
    std::fprintf(stderr, "could not make the media\n");
    return 1;
  }
  const std::string drawn = rig.folder("drawn") + "/e.swf";
  const std::string forRuffle = rig.folder("for-ruffle") + "/f.swf";
  if (!writeMovie(drawn, kBlue, true) || !writeMovieForRuffle(forRuffle)) return 1;
  const ProgramStarts starts = programStarts(probe, clip720, forRuffle, drawn, 5);

  rig.rememberListFolder(media);
  if (!rig.start()) return 1;
  qm::Form1& f = rig.form();
  auto videoFrames = std::make_shared<int>(0);
  rig.media().frameChanged.connect([videoFrames] { ++*videoFrames; });
  auto playVideo = [&](const std::string& folder, int entry) {
    f.File1.setPath(folder);
    f.File1.setListIndex(entry);
    const int before = *videoFrames;
    qm::live::pumpUntil([&] { return *videoFrames > before + 5; }, 5000);
  };

  playVideo(media, 0);
  qm::live::pumpUntil([] { return false; }, 3000);
  const int idleWebEngines = webEngineProcesses();
  std::printf("Web engine processes while a video plays from a list of media: %d\n", idleWebEngines);

  std::printf("Open .swf to first frame reported by the runtime (ms)\n");
  f.File1.setPath(movies);
  const double cold = openToFirstFrame(rig, 0) * 1000;
  std::printf("  cold %6.0f\n", cold);
  std::printf("  warm");
  std::vector<double> warm;
  int shown = 0;  // the entry of the movie Ruffle shows
  for (int i = 0; i < runs; ++i) {
    shown = (shown + 1) % 2;
    warm.push_back(openToFirstFrame(rig, shown) * 1000);
    std::printf(" %6.0f", warm.back());
  }
  std::printf("\n");
  const auto colourOf = [](int entry) { return entry == 0 ? kBlue : kOrange; };
  std::printf("Open .swf to its first frame on the screen (ms)\n  warm, after a .swf              ");
  std::vector<double> warmOnScreen;
  for (int i = 0; i < runs; ++i) {
    shown = (shown + 1) % 2;
    warmOnScreen.push_back(openToFrameOnScreen(rig, probe, shown, colourOf(shown)) * 1000);
    std::printf(" %6.0f", warmOnScreen.back());
  }
  std::printf("\n  warm, after a video             ");
  for (int i = 0; i < runs; ++i) {
    playVideo(movies, 2);
    shown = (shown + 1) % 2;
    std::printf(" %6.0f", openToFrameOnScreen(rig, probe, shown, colourOf(shown)) * 1000);
  }
  // The video's next entry is a movie: the web engine starts while it plays.
  std::printf("\n  after a video, web engine started for the list's next entry");
  std::vector<double> startedAhead;
  for (int i = 0; i < 3; ++i) {
    playVideo(media, 0);
    qm::live::pumpUntil([&] { return rig.flash().ruffle() == nullptr; }, 10000);
    playVideo(movies, 2);
    qm::live::pumpUntil([] { return false; }, 3000);
    startedAhead.push_back(openToFrameOnScreen(rig, probe, 0, kBlue) * 1000);
    std::printf(" %6.0f", startedAhead.back());
  }
  std::printf("\n");

  // Before the wasm measures below, whose compiles of their own would count.
  qm::live::pumpUntil([] { return false; }, 2000);
  const double cpuBefore = cpuSeconds();
  const auto start = Clock::now();
  qm::live::pumpUntil([] { return false; }, 5000);
  const double wall = std::chrono::duration<double>(Clock::now() - start).count();
  const double cpu = (cpuSeconds() - cpuBefore) / wall * 100;
  std::printf("CPU while the 12 fps movie plays: %.0f %% of one core (player and web engine)\n", cpu);

  // Sampled after the CPU window: reading smaps costs this process CPU time.
  long peakPss = 0;
  size_t processes = 0;
  for (int sample = 0; sample < 12; ++sample) {
    long pss = 0;
    const std::vector<int> tree = descendants(getpid());
    for (int pid : tree) pss += field(pid, "smaps_rollup", "Pss");
    if (pss > peakPss) peakPss = pss, processes = tree.size();
    qm::live::pumpFor(250);
  }
  std::printf(
      "Peak memory while the movie plays: %ld MB PSS over %zu processes (%d web engine), player peak RSS %ld MB\n",
      peakPss / 1024, processes, webEngineProcesses(), field(getpid(), "status", "VmHWM") / 1024);

  // Ruffle takes the build the web engine supports; both are measured.
  std::vector<double> wasmFetch, wasmCompile;
  std::printf("Ruffle's wasm in the page (ms): fetch, compile\n");
  for (const QString& file : QDir(QM_PROGRAM_DIR "/ruffle").entryList({"*.wasm"})) {
    std::printf("  %s", qPrintable(file));
    for (int i = 0; i < 3; ++i) {
      const WasmTimes times = wasmFetchAndCompile(rig, file);
      wasmFetch.push_back(times.fetchMs);
      wasmCompile.push_back(times.compileMs);
      std::printf("  %.0f, %.0f", times.fetchMs, times.compileMs);
    }
    std::printf("\n");
  }
  if (wasmFetch.empty()) wasmFetch.push_back(-1), wasmCompile.push_back(-1);

  // The same frame rate drawn by the player itself, once Ruffle's page has
  // gone: the player's process alone.
  const std::string moving = rig.folder("moving");
  double drawnCpu = -1;
  if (writeMovingMovie(moving + "/f.swf")) {
    f.File1.setPath(moving);
    f.File1.setListIndex(0);
    qm::live::pumpUntil([&] { return rig.flash().ruffle() == nullptr && rig.flash().FrameNum().value_or(0) > 0; },
                        10000);
    const double before = cpuSeconds(false);
    const auto from = Clock::now();
    qm::live::pumpUntil([] { return false; }, 5000);
    drawnCpu = (cpuSeconds(false) - before) / std::chrono::duration<double>(Clock::now() - from).count() * 100;
    std::printf("CPU while a 12 fps movie drawn by the player plays, every frame moving: %.1f %% of one core\n",
                drawnCpu);
  }

  printFigure("Flash: program start to first .swf frame on screen, cold, drawn by the player", "ms",
              starts.drawn < 0 ? -1 : starts.drawn * 1000, starts.clip < 0 ? -1 : starts.clip * 1000, "720p");
  printFigure("Flash: program start to first .swf frame on screen, cold, movie for Ruffle", "ms",
              starts.movie < 0 ? -1 : starts.movie * 1000, starts.clip < 0 ? -1 : starts.clip * 1000, "720p");
  printFigure("Flash: program start to the movie running in Ruffle (its second frame), cold", "ms",
              starts.movieRuns < 0 ? -1 : starts.movieRuns * 1000, starts.clip < 0 ? -1 : starts.clip * 1000, "720p");
  printFigure("Flash: open .swf to first frame on screen, warm (median of " + std::to_string(runs) + ")", "ms",
              *std::min_element(warmOnScreen.begin(), warmOnScreen.end()) < 0 ? -1 : qm::bench::median(warmOnScreen));
  printFigure("Flash: open .swf after a video, web engine started ahead", "ms",
              *std::min_element(startedAhead.begin(), startedAhead.end()) < 0 ? -1 : qm::bench::median(startedAhead));
  printFigure("Flash: web engine processes while only media plays", "count", idleWebEngines);
  printFigure("Flash: open .swf to first frame, cold", "ms", cold);
  printFigure("Flash: open .swf to first frame, warm (median of " + std::to_string(runs) + ")", "ms",
              *std::min_element(warm.begin(), warm.end()) < 0 ? -1 : qm::bench::median(warm));
  printFigure("Flash: Ruffle's wasm fetched by the page (median)", "ms",
              *std::min_element(wasmFetch.begin(), wasmFetch.end()) < 0 ? -1 : qm::bench::median(wasmFetch));
  printFigure("Flash: Ruffle's wasm compiled (median)", "ms",
              *std::min_element(wasmCompile.begin(), wasmCompile.end()) < 0 ? -1 : qm::bench::median(wasmCompile));
  printFigure("Flash: peak memory while a movie plays (PSS, all processes)", "MiB", peakPss / 1024.0);
  printFigure("Flash: CPU while a 12 fps movie plays in Ruffle", "%", cpu);
  printFigure("Flash: CPU while a 12 fps movie drawn by the player plays", "%", drawnCpu);
  return 0;
}
