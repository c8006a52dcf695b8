#pragma once

#include <memory>
#include <string>
#include <vector>

#include "app/player.h"
#include "platform/fs/ini_settings_files.h"
#include "support/fake_desktop.h"
#include "support/fake_engines.h"
#include "support/fake_file_system.h"
#include "support/fake_shell.h"
#include "support/manual_clock.h"

namespace qm::test {

// A player built on test doubles and a manual clock, its program folder and a
// media folder on a file system in memory, laid out at the design size.
class TestPlayer {
 public:
  // The player's registry is `registry` when given (a real one in a private
  // home), else the one in memory.
  explicit TestPlayer(Registry* registry = nullptr);
  ~TestPlayer();

  Player& player() { return *player_; }
  PlayerContext& context() { return player_->context; }
  Form1& form() { return player_->form; }
  PlayerState& state() { return player_->state; }

  // Start-up with a command line.
  bool load(const std::string& commandLine = "");
  // Creates the files (empty) in the media folder and points the list at it;
  // returns the folder.
  std::string makeMedia(const std::vector<std::string>& names);
  std::string mediaPath(const std::string& name) const;
  std::string programFile(const std::string& name) const;

  std::string home = "/home/user";
  std::string programFolder = "/opt/quilmora";
  std::string mediaFolder = "/home/user/media";
  ManualClock clock;
  FakeFileSystem files;
  IniSettingsFiles settings{files};
  FakeWindowSystem windows;
  FakeSingleInstance instance;
  FakeRegistry registry;
  FakeHelpViewer help;
  FakeLauncher launcher;
  FakeFileDialog fileDialog;
  FakeThumbnailDecoder thumbnails;
  FakeMediaEngine* media = nullptr;
  FakeMediaEngine* music = nullptr;
  FakeFlashEngine* flash = nullptr;
  FakeWebView* web = nullptr;
  int quitCalls = 0;

 private:
  std::unique_ptr<Platform> platform_;
  std::unique_ptr<Player> player_;
};

}  // namespace qm::test
