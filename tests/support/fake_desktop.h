#pragma once

#include <algorithm>
#include <array>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "platform/file_dialog.h"
#include "platform/help_viewer.h"
#include "platform/single_instance.h"
#include "platform/window_system.h"

namespace qm::test {

class FakeWindowSystem : public WindowSystem {
 public:
  int showCursor(bool show) override { return counter += show ? 1 : -1; }
  // The window manager at once: the state arrives with the screen's size,
  // and the normal state brings back the size the window had before.
  void setWindowState(Form& form, int state) override {
    stateRequests.push_back(state);
    if (form.windowState() == Form::Normal) normal = {form.left(), form.top(), form.width(), form.height()};
    if (state == Form::Maximized || state == Form::FullScreen)
      form.syncFromScreen(0, 0, screenWidth(), screenHeight(), state);
    else if (state == Form::Normal)
      form.syncFromScreen(normal[0], normal[1], normal[2], normal[3], state);
    else
      form.syncFromScreen(form.left(), form.top(), form.width(), form.height(), state);
  }
  void setTopmost(Form& form) override {
    ++topmostCalls;
    topmost.insert(form.name());
  }
  void setScreenSaverActive(bool active) override { screenSaver.push_back(active); }
  std::string documentsFolder() override { return documents; }
  void messageBox(const std::string& text) override {
    messages.push_back(text);
    ++boxDepth;
    maxBoxDepth = std::max(maxBoxDepth, boxDepth);
    if (whileBoxOpen) whileBoxOpen();
    --boxDepth;
  }
  void focus(Form&) override { ++focusCalls; }
  bool cursorOver(const Control&) override { return pointerOver; }
  double screenWidth() override { return 1920 * 15; }
  double screenHeight() override { return 1080 * 15; }
  bool placesWindows() override { return placing; }
  bool startSystemMove(Form&) override {
    ++moves;
    return true;
  }
  bool popupMenu(MenuItem&) override {
    ++popups;
    return true;
  }
  bool cursorPosition(int& x, int& y) override {
    x = cursorX;
    y = cursorY;
    return true;
  }

  int counter = 0;
  std::vector<int> stateRequests;
  std::array<double, 4> normal{};
  int topmostCalls = 0;
  std::set<std::string> topmost;
  int focusCalls = 0;
  int moves = 0;
  int popups = 0;
  int cursorX = 0, cursorY = 0;  // pixels
  bool pointerOver = true;
  bool placing = true;  // false: a compositor that places every window itself
  std::string documents;
  std::vector<bool> screenSaver;
  std::vector<std::string> messages;
  // Runs while a message box is open, as events do in its own loop.
  std::function<void()> whileBoxOpen;
  int boxDepth = 0;
  int maxBoxDepth = 0;
};

// Records the topics asked for.
class FakeHelpViewer : public HelpViewer {
 public:
  bool displayTopic(const std::string& file, const std::string& topic) override {
    shown.emplace_back(file, topic);
    return true;
  }
  std::vector<std::pair<std::string, std::string>> shown;
};

class FakeSingleInstance : public SingleInstance {
 public:
  bool claim() override { return !anotherRuns && failure.empty(); }
  std::string claimFailure() const override { return failure; }
  bool anotherRuns = false;
  std::string failure;
};

// The user's answer is set beforehand; the filters offered are kept.
class FakeFileDialog : public FileDialog {
 public:
  std::string showOpen(const std::vector<FileFilter>& filters) override {
    offered = filters;
    ++shows;
    return answer;
  }
  std::string answer;
  std::vector<FileFilter> offered;
  int shows = 0;
};

}  // namespace qm::test
