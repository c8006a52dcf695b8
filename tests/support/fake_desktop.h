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

  // How the window manager answers a window state. The state comes with the
  // screen's size, and the normal state brings back the size the window had
  // before; it comes at once, late (when deliverStates() runs), twice (the
  // state at the old size, then the size), merged (deliverStates() carries
  // out only the newest request) or never.
  enum class Answer { AtOnce, Late, Twice, Merged, Never };
  void setWindowState(Form& form, int state) override {
    stateRequests.push_back(state);
    if (form.windowState() == Form::Normal && heldStates.empty())
      normal = {form.left(), form.top(), form.width(), form.height()};
    std::array<double, 4> size = {form.left(), form.top(), form.width(), form.height()};
    if (state == Form::Maximized || state == Form::FullScreen) size = {0, 0, screenWidth(), screenHeight()};
    if (state == Form::Normal) size = normal;
    switch (answer) {
      case Answer::AtOnce:
        form.syncFromScreen(size[0], size[1], size[2], size[3], state);
        break;
      case Answer::Twice:
        form.syncFromScreen(form.left(), form.top(), form.width(), form.height(), state);
        form.syncFromScreen(size[0], size[1], size[2], size[3], state);
        break;
      case Answer::Late:
      case Answer::Merged:
        heldStates.push_back({&form, state, size});
        break;
      case Answer::Never:
        break;
    }
  }
  void deliverStates() {
    auto held = std::move(heldStates);
    heldStates.clear();
    if (answer == Answer::Merged && !held.empty()) held.erase(held.begin(), held.end() - 1);
    for (const HeldState& h : held) h.form->syncFromScreen(h.size[0], h.size[1], h.size[2], h.size[3], h.state);
  }
  void setTopmost(Form& form) override { topmost.insert(form.name()); }
  void setScreenSaverActive(bool active) override { screenSaver.push_back(active); }
  std::string documentsFolder() override { return documents; }
  std::string picturesFolder() override { return pictures; }
  void messageBox(const std::string& text) override {
    messages.push_back(text);
    ++boxDepth;
    maxBoxDepth = std::max(maxBoxDepth, boxDepth);
    if (whileBoxOpen) whileBoxOpen();
    --boxDepth;
  }
  void focus(Form&) override {}
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
  Answer answer = Answer::AtOnce;
  struct HeldState {
    Form* form;
    int state;
    std::array<double, 4> size;
  };
  std::vector<HeldState> heldStates;
  std::vector<int> stateRequests;
  std::array<double, 4> normal{};
  std::set<std::string> topmost;
  int moves = 0;
  int popups = 0;
  int cursorX = 0, cursorY = 0;  // pixels
  bool pointerOver = true;
  bool placing = true;  // false: a compositor that places every window itself
  std::string documents, pictures;
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
  std::string showOpen(const std::vector<FileFilter>& filters, const std::string& folder) override {
    offered = filters;
    shownIn = folder;
    ++shows;
    return answer;
  }
  std::string answer;
  std::vector<FileFilter> offered;
  std::string shownIn;
  int shows = 0;
};

}  // namespace qm::test
