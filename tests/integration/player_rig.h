#pragma once

#include <QPoint>
#include <QRect>
#include <memory>
#include <string>
#include <vector>

#include "app/desktop_player.h"
#include "support/temp_dir.h"

namespace qm::integration {

// The player put together as the program puts it together: the real clock,
// desktop, single-instance lock, libmpv engines (the video's and the
// music's), the Flash engine and the screen, in this process and on this
// process's display. Its program folder is a fresh folder holding copies of
// the build's own files; its lock lives in a folder of its own.
class PlayerRig {
 public:
  struct Options {
    // Extra libmpv options of the two engines; by default the sound goes
    // nowhere.
    MpvEngine::Options media = {{"ao", "null"}};
    MpvEngine::Options music = {{"ao", "null"}};
    std::chrono::milliseconds ruffleKept{30000};
    // Where the Flash runtime's files are; empty: the build's.
    std::string ruffleFolder;
  };

  PlayerRig();
  explicit PlayerRig(Options options);
  // Runs the shutdown and closes the window.
  ~PlayerRig();
  PlayerRig(const PlayerRig&) = delete;
  PlayerRig& operator=(const PlayerRig&) = delete;

  // A folder of this rig for media, made on first use.
  std::string folder(const std::string& name) const;
  // Makes the next start-up show `folder` in the list and skip the first-run
  // dialogs, as after an earlier run.
  void rememberListFolder(const std::string& folder);
  // Start-up (with the command line given, if any); true once the window
  // is on the screen and holds still.
  bool start(const std::string& commandLine = "");

  Player& player() { return desktop_->player(); }
  Form1& form() { return desktop_->player().form; }
  MpvEngine& media() { return desktop_->media(); }
  MpvEngine& music() { return desktop_->music(); }
  DesktopPlayer& desktop() { return *desktop_; }
  FlashEngineChooser& flash() { return desktop_->flash(); }
  const std::string& programFolder() const { return programFolder_; }
  bool quitRequested() const { return quitRequested_; }

  // Where a point of a control's widget (pixels from its top left) is on
  // the screen, from the window's place as the X server has it.
  QPoint screenPoint(const Control& control, QPointF local) const;
  // The control's widget on the screen.
  QRect screenRect(const Control& control) const;
  // The widget showing a control of any of the player's windows, or null.
  QWidget* widgetOf(const Control& control) const { return desktop_->widgetOf(control); }

 private:
  test::TempDir dir_;
  std::string programFolder_;
  std::string lockFolder_;
  bool quitRequested_ = false;
  QRect windowOnScreen_;

  std::unique_ptr<DesktopPlayer> desktop_;
};

// Every URL the engine started playing, in order; a URL that starts again
// right after itself (the list's double open of an entry) counts once.
// Shared with the engine's handler, which may outlive the log's owner.
class PlayLog {
 public:
  explicit PlayLog(MediaEngine& engine);
  std::vector<std::string> urls() const { return data_->urls; }

 private:
  struct Data {
    std::vector<std::string> urls;
  };
  std::shared_ptr<Data> data_ = std::make_shared<Data>();
};

// Every play state an engine raised, in order.
class StateLog {
 public:
  explicit StateLog(MediaEngine& engine);
  const std::vector<int>& states() const { return data_->states; }

 private:
  struct Data {
    std::vector<int> states;
  };
  std::shared_ptr<Data> data_ = std::make_shared<Data>();
};

}  // namespace qm::integration
