// Cost of one redraw of the seek bar at the main window's size: the skin
// strip, Style 2, the thumb drawn through its colour key. Each redraw is
// triggered the way the time display does it, by writing Value.
//
//   bench_slider_redraw [redraws]   (default 20000)

#include <QGuiApplication>
#include <QPainter>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "model/clock.h"
#include "model/timer.h"
#include "platform/window_system.h"
#include "slider/tvate.h"

namespace {

// Nothing ticks during the run: the hover timer is never started.
class IdleClock : public qm::Clock {
 public:
  qm::TimePoint now() const override { return {}; }
  void arm(qm::Timer&) override {}
  void disarm(qm::Timer&) override {}
  void processEvents() override {}
};

class NoDesktop : public qm::WindowSystem {
 public:
  int showCursor(bool) override { return 0; }
  void setWindowState(qm::Form&, int) override {}
  void setTopmost(qm::Form&) override {}
  void setScreenSaverActive(bool) override {}
  std::string documentsFolder() override { return {}; }
  void messageBox(const std::string&) override {}
  void focus(qm::Form&) override {}
  bool cursorOver(const qm::Control&) override { return false; }
  double screenWidth() override { return 0; }
  double screenHeight() override { return 0; }
};

// A strip of the seek bar's shape: 17, 17, 1, 1 and four 16-pixel frames.
qm::Picture seekStrip() {
  QImage strip(100, 17, QImage::Format_RGB32);
  QPainter p(&strip);
  p.fillRect(0, 0, 34, 17, QColor(60, 60, 70));
  p.fillRect(34, 0, 1, 17, QColor(40, 140, 230));
  p.fillRect(35, 0, 1, 17, QColor(30, 30, 35));
  p.fillRect(36, 0, 64, 17, QColor(255, 0, 255));
  for (int f = 0; f < 4; ++f) {
    p.setBrush(QColor(200 - f * 30, 200, 200));
    p.drawEllipse(36 + f * 16 + 2, 2, 12, 12);
  }
  p.end();
  return std::make_shared<const QImage>(std::move(strip));
}

}  // namespace

int main(int argc, char** argv) {
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QGuiApplication app(argc, argv);
  const int redraws = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20000;

  IdleClock clock;
  NoDesktop desktop;
  qm::tVate bar("tVate1", nullptr, clock, desktop);
  bar.setWidth(9290);
  bar.setHeight(255);
  bar.setMax(100);
  bar.setValue(0);
  bar.setStyle(2);
  bar.setCanMove(true);
  bar.setBite_LP(2);
  bar.setBite_RP(2);
  bar.setPicture(seekStrip(), 17, 17, 1, 1, 16);

  using Clock = std::chrono::steady_clock;
  std::vector<double> micros;
  micros.reserve(redraws);
  for (int i = 0; i < 200; ++i) bar.setValue(i % 101);  // warm caches
  for (int i = 0; i < redraws; ++i) {
    auto start = Clock::now();
    bar.setValue(i % 101);
    micros.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count());
  }
  std::sort(micros.begin(), micros.end());
  double sum = 0;
  for (double m : micros) sum += m;
  auto at = [&](double q) { return micros[std::min(micros.size() - 1, static_cast<size_t>(q * micros.size()))]; };
  std::printf("seek bar redraw, %dx%d px, Style 2, %d redraws\n", bar.surface().width(), bar.surface().height(),
              redraws);
  std::printf("mean %.2f us  median %.2f us  p95 %.2f us  max %.2f us\n", sum / micros.size(), at(0.5), at(0.95),
              micros.back());
  // The figure line bench/run_all.sh gathers (the same format as the player benchmarks').
  std::printf("FIGURE|one seek-bar redraw (median)|us|%.2f|-1.00\n", at(0.5));
  return 0;
}
