#pragma once

#include <chrono>
#include <map>
#include <string>
#include <vector>

#include "model/clock.h"
#include "model/timer.h"
#include "platform/window_system.h"
#include "slider/tvate.h"
#include "support/manual_clock.h"

namespace qm::test {

// A desktop where the test decides whether the pointer is over the control.
class FakeWindows : public WindowSystem {
 public:
  bool pointerOver = true;
  int overQueries = 0;

  int showCursor(bool show) override { return show ? 0 : -1; }
  void setWindowState(Form&, int) override {}
  void setTopmost(Form&) override {}
  void setScreenSaverActive(bool) override {}
  std::string documentsFolder() override { return {}; }
  void messageBox(const std::string&) override {}
  void focus(Form&) override {}
  bool cursorOver(const Control&) override { return ++overQueries, pointerOver; }
  double screenWidth() override { return 0; }
  double screenHeight() override { return 0; }
};

// The slider's events by name in the order they were raised, with the
// arguments of Changed and counts of notifications and redraws.
struct EventLog {
  explicit EventLog(tVate& bar) {
    bar.MouseOverCmd.connect([this] { names.push_back("MouseOverCmd"); });
    bar.MouseOutCmd.connect([this] { names.push_back("MouseOutCmd"); });
    bar.Changed.connect([this](int v, int m) { names.push_back("Changed"), changes.push_back({v, m}); });
    bar.MouseMove.connect([this](int, int, double, double) { names.push_back("MouseMove"); });
    bar.MouseUp.connect([this](int, int, double, double) { names.push_back("MouseUp"); });
    bar.MouseDown.connect([this](int, int, double, double) { names.push_back("MouseDown"); });
    bar.Click.connect([this] { names.push_back("Click"); });
    bar.DBClick.connect([this] { names.push_back("DBClick"); });
    bar.PropertyChanged.connect([this] { ++notified; });
    bar.Redrawn.connect([this] { ++redraws; });
  }
  void clear() { *this = EventLog(); }

  std::vector<std::string> names;
  std::vector<std::pair<int, int>> changes;
  int notified = 0;
  int redraws = 0;

 private:
  EventLog() = default;
};

}  // namespace qm::test
