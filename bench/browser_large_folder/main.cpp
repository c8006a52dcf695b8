// Large folders in the list panel: reading a folder of many files with the
// all-media pattern, against `ls -1` of the same folder in the same run
// (median of three each); and
// on the real window, how long pointing the lists at such a folder keeps the
// window from answering, and scrolling to its last entry.
//
//   bench_browser_large_folder [files ...]   (default 10000 100000)

#include <QAbstractItemView>
#include <QApplication>
#include <QProcess>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <vector>

#include "bench_support.h"
#include "integration/player_rig.h"
#include "model/media_types.h"
#include "platform/fs/local_files.h"
#include "support/event_wait.h"
#include "support/temp_dir.h"
#include "support/virtual_display.h"

using namespace qm;
using namespace qm::bench;

namespace {

// Half the names are media of the pattern, half are not.
void fill(const std::string& folder, int files) {
  static const char* const kinds[] = {".mp4", ".txt", ".MP3", ".jpg", ".mkv", ".doc"};
  for (int i = 0; i < files; ++i) {
    char name[48];
    std::snprintf(name, sizeof name, "/file %06d%s", i, kinds[i % 6]);
    std::ofstream{folder + name};
  }
}

double msOf(const std::function<void()>& work) {
  const auto start = bench::Clock::now();
  work();
  return secondsSince(start) * 1000;
}

void measure(int files) {
  integration::PlayerRig rig;
  const std::string folder = rig.folder("large");
  fill(folder, files);

  LocalFileSystem disk;
  std::size_t listed = 0;
  std::vector<double> oursRuns, lsRuns;
  for (int run = 0; run < 3; ++run) {
    oursRuns.push_back(msOf([&] { listed = disk.listFiles(folder, allMediaPattern()).size(); }));
    lsRuns.push_back(msOf([&] {
      QProcess p;
      p.setStandardOutputFile(QProcess::nullDevice());
      p.start("ls", {"-1", QString::fromStdString(folder)});
      p.waitForFinished(60000);
    }));
  }
  const double ours = median(oursRuns), ls = median(lsRuns);
  const std::string size = std::to_string(files) + " files";

  std::printf("Folder of %d files, %zu of them media\n", files, listed);
  std::printf("  listing with the all-media pattern   %8.1f ms\n", ours);
  std::printf("  ls -1 of the same folder             %8.1f ms   (ratio %.2f)\n", ls, ours / ls);
  printFigure("list panel: reading a folder of " + size + " (all-media pattern)", "ms", ours, ls, "ls -1");

  if (!rig.start()) {
    printFigure("list panel: pointing the lists at the folder of " + size, "ms", -1);
    return;
  }
  Form1& f = rig.form();
  f.Label6.Click.raise();  // the panel shows
  live::pumpFor(300);
  const double point = msOf([&] {
    f.Dir1.setPath(folder);
    QApplication::processEvents();  // the first paint of the rows
  });
  auto* view = static_cast<QAbstractItemView*>(rig.desktop().widgetOf(f.File1));
  const double scroll = msOf([&] {
    view->scrollToBottom();
    QApplication::processEvents();
  });
  std::printf("  window busy pointing the lists at it %8.1f ms   (%d entries)\n", point, f.File1.listCount());
  std::printf("  scrolling to the last entry          %8.1f ms\n", scroll);
  printFigure("list panel: pointing the lists at the folder of " + size, "ms", point);
  printFigure("list panel: scrolling to the last of " + size, "ms", scroll);
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<int> sizes;
  for (int i = 1; i < argc; ++i) sizes.push_back(std::atoi(argv[i]));
  if (sizes.empty()) sizes = {10000, 100000};
  live::VirtualDisplay display;
  if (!display.ok()) {
    std::fprintf(stderr, "%s\n", display.error().c_str());
    return 1;
  }
  test::TempDir cache;
  setenv("XDG_CACHE_HOME", cache.path().c_str(), 1);
  unsetenv("DBUS_SESSION_BUS_ADDRESS");
  QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
  QApplication app(argc, argv);
  std::setlocale(LC_NUMERIC, "C");  // libmpv parses numbers in the C locale
  for (int files : sizes) measure(files);
  return 0;
}
