#pragma once

#include <functional>
#include <string>

#include "forms/form1.h"
#include "forms/player_context.h"
#include "forms/player_state.h"
#include "forms/side_forms.h"
#include "player/execute_requests.h"
#include "player/seek_preview.h"

namespace qm {

// What the player is built on: the real system, or test doubles.
struct Platform {
  Clock& clock;
  WindowSystem& windows;
  SingleInstance& instance;
  FileSystem& files;
  SettingsFiles& settings;
  Registry& registry;
  HelpViewer& help;
  Launcher& launcher;
  FileDialog& fileDialog;
  // The seek bar's pictures of the video.
  ThumbnailDecoder& thumbnails;
  // The folder of the player's own files: its settings, its movies, its music.
  std::string programFolder;
  // The running program; empty for the program folder's "quilmora".
  std::string executable;
  // Ends the process once the current event has run.
  std::function<void()> quit;
};

// The owner: builds the windows and the player's state, hands the handlers
// their context, and wires every control event to its handler.
class Player {
 public:
  Player(Platform& platform, Engines engines);

  Platform& platform;
  Form1 form;
  PlayerState state;
  MenuWindowForm Form3;
  AssociationForm Form4;
  AboutForm frmAbout;
  PlayerContext context;
  SeekPreview seekPreview{context, platform.thumbnails};

  // Start-up with the process's command line (empty when none); false when
  // another player runs and this one must end at once.
  bool load(const std::string& commandLine);
  // Shutdown; runs once, however often it is asked for, and only after a
  // start-up that went through.
  void unload();
  bool unloaded() const { return unloaded_; }

 private:
  ExecuteRequests executeRequests_{context};
  bool started_ = false;
  bool unloaded_ = false;
};

}  // namespace qm
