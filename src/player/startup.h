#pragma once

#include <string>

namespace qm {

struct PlayerContext;
class FileSystem;

// The settings file of the program folder: the folder the list showed last.
inline constexpr const char* kSettingsFile = "fileinf.ini";

// Start-up, from the process start until the window is ready, with the
// process's command line (empty when none); opens a file named there. False
// when another player runs and this one must end at once.
bool startUp(PlayerContext& p, const std::string& commandLine);

// The command line's file when start-up opens it in the media engine (a
// song, a clip, a picture); empty otherwise. The engine may start opening it
// before the windows are built: start-up adopts what it finds opened ahead.
std::string mediaFileOfCommandLine(FileSystem& files, const std::string& commandLine);

// Shutdown: the screen saver back on, the list's folder saved, the movies
// stored under their dll names again, the pointer visible.
void shutDown(PlayerContext& p);

}  // namespace qm
