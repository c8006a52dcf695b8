// One layout pass of the main window on the real player: the window's width
// changes (as while the user drags its edge), the Resize handler places every
// skin piece and content area again, and their widgets follow on the next
// turn of the event loop. Timed per pass over many passes: the handler alone,
// then (over a twentieth as many passes, the repaint being far dearer) with
// the turn of the event loop that moves the widgets and repaints.
//
//   bench_window_layout [passes]   (default 2000)

#include <QApplication>
#include <algorithm>
#include <clocale>
#include <cstdio>
#include <cstdlib>
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

// Two widths 40 pixels apart: every pass moves the pieces on the right and
// stretches the bars.
constexpr Twips kStep = 40 * kTwipsPerPixel;

double microsecondsOf(const std::function<void()>& work) {
  const auto start = bench::Clock::now();
  work();
  return secondsSince(start) * 1e6;
}

}  // namespace

int main(int argc, char** argv) {
  const int passes = argc > 1 ? std::max(1, std::atoi(argv[1])) : 2000;
  PlayerScreen screen(argc, argv);
  if (!screen.ok()) return 1;

  integration::PlayerRig rig;
  if (!rig.start()) {
    printFigure("main window layout pass (Resize handler)", "us", -1);
    return 1;
  }
  Form1& f = rig.form();
  const Twips width = f.width();
  int layouts = 0;
  f.Resize.connect([&] { ++layouts; });
  auto pass = [&](int i) { f.setWidth(width + (i % 2 ? kStep : 0)); };
  for (int i = 0; i < 50; ++i) pass(i);  // warm caches
  live::pumpFor(300);

  layouts = 0;
  std::vector<double> handler, withScreen;
  for (int i = 0; i < passes; ++i) handler.push_back(microsecondsOf([&] { pass(i); }));
  const int handlerLayouts = layouts;
  live::pumpFor(300);
  for (int i = 0; i < std::max(1, passes / 20); ++i)
    withScreen.push_back(microsecondsOf([&] {
      pass(i);
      QApplication::processEvents();
    }));
  live::pumpFor(300);

  std::printf("Main window layout, %d passes between %.0f and %.0f pixels wide (%d Resize raised)\n", passes,
              width / kTwipsPerPixel, (width + kStep) / kTwipsPerPixel, handlerLayouts);
  std::printf("  Resize handler alone            median %8.1f us\n", median(handler));
  std::printf("  and the event loop turn after it median %8.1f ms   (%zu passes)\n", median(withScreen) / 1000,
              withScreen.size());
  // A pass that raised no Resize measured nothing.
  const bool laidOut = handlerLayouts == passes;
  printFigure("main window layout pass (Resize handler, median)", "us", laidOut ? median(handler) : -1);
  printFigure("main window layout pass and the repaint after it (median)", "ms",
              laidOut ? median(withScreen) / 1000 : -1);
  return 0;
}
