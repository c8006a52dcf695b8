#pragma once

#include <string>

#include "forms/form1.h"
#include "forms/player_state.h"
#include "forms/side_forms.h"
#include "model/clock.h"
#include "model/paths.h"
#include "platform/file_dialog.h"
#include "platform/file_system.h"
#include "platform/help_viewer.h"
#include "platform/launcher.h"
#include "platform/registry.h"
#include "platform/settings_files.h"
#include "platform/single_instance.h"
#include "platform/window_system.h"

namespace qm {

// What a handler may reach: the windows, the player's state and the system
// around them. The owner builds it once; handlers never see the owner.
struct PlayerContext {
  Form1& form;
  PlayerState& state;
  MenuWindowForm& Form3;
  AssociationForm& Form4;
  AboutForm& frmAbout;

  Clock& clock;
  WindowSystem& windows;
  FileSystem& files;
  SettingsFiles& settings;
  SingleInstance& instance;
  Registry& registry;
  HelpViewer& help;
  Launcher& launcher;
  FileDialog& fileDialog;
  // The folder of the player's own files: its settings, its movies, its music.
  std::string programFolder;
  // The running program itself, as the desktop is to start it (the program
  // folder holds only its files when the program's own folder is read-only).
  std::string executable;

  // The program folder followed by the separator and `name`.
  std::string programFile(const std::string& name) const { return joinPath(programFolder, name); }
};

}  // namespace qm
