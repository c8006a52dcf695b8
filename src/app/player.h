#pragma once

#include <functional>
#include <string>

#include "app/form1.h"
#include "app/player_state.h"
#include "platform/clock.h"
#include "platform/single_instance.h"
#include "platform/window_system.h"

namespace qm {

// What the player needs of the system around it.
struct Platform {
  Clock& clock;
  WindowSystem& windows;
  SingleInstance& instance;
  // The folder of the player's own files: its settings, its movies, its music.
  std::string programFolder;
  // Ends the process once the current event has run.
  std::function<void()> quit;
  // Shows the main window on the screen (start-up lets it paint before it
  // opens the command-line file).
  std::function<void()> showWindow = {};
};

// The player: the main window, its state, the side windows, and the wiring of
// their events to the handlers of each subsystem.
class Player {
 public:
  Player(Platform& platform, Engines engines);

  Platform& platform;
  Form1 form;
  PlayerState state;
  // Side windows: the popup menu window, the association dialog, the about box.
  Form Form3{"Form3"};
  Form Form4{"Form4"};
  Form frmAbout{"frmAbout"};

  Clock& clock() { return platform.clock; }
  WindowSystem& windows() { return platform.windows; }
  // The program folder followed by the separator and `name`.
  std::string programFile(const std::string& name) const;

  // Start-up with the process's command line (empty when none); false when
  // another player runs and this one must end at once.
  bool load(const std::string& commandLine);
  // Shutdown; runs once, however often it is asked for.
  void unload();
  bool unloaded() const { return unloaded_; }

 private:
  bool unloaded_ = false;
};

}  // namespace qm
