#pragma once

#include <string>
#include <vector>

#include "platform/single_instance.h"
#include "platform/window_system.h"

namespace qm::test {

class FakeWindowSystem : public WindowSystem {
 public:
  int showCursor(bool show) override { return counter += show ? 1 : -1; }
  void setTopmost(Form&) override { ++topmostCalls; }
  void setScreenSaverActive(bool active) override { screenSaver.push_back(active); }
  std::string documentsFolder() override { return documents; }
  void messageBox(const std::string& text) override { messages.push_back(text); }
  void focus(Form&) override { ++focusCalls; }
  bool cursorOver(const Control&) override { return pointerOver; }
  double screenWidth() override { return 1920 * 15; }
  double screenHeight() override { return 1080 * 15; }
  bool startSystemMove(Form&) override {
    ++moves;
    return true;
  }
  bool popupMenu(MenuItem&) override {
    ++popups;
    return true;
  }

  int counter = 0;
  int topmostCalls = 0;
  int focusCalls = 0;
  int moves = 0;
  int popups = 0;
  bool pointerOver = true;
  std::string documents;
  std::vector<bool> screenSaver;
  std::vector<std::string> messages;
};

class FakeSingleInstance : public SingleInstance {
 public:
  bool claim() override { return !anotherRuns; }
  bool anotherRuns = false;
};

}  // namespace qm::test
