#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "model/clock.h"

namespace qm {

// What the main window keeps between events. The paused flag is the enabled
// state of Timer9 and the kind of the current entry is always re-derived from
// the list selection, so neither is stored here.
struct PlayerState {
  // The command line as given, kept only when not empty.
  std::string CmdLine;
  // The command line without double quotes: the file to open at start.
  std::string CmdFile;
  // Name (without folder) of the file the list locate marks in the list;
  // empty when that file does not exist.
  std::string CmdFileName;
  // Full path of the entry opened last from the file list.
  std::string PlayFile;
  // Index of the entry opened last; the automatic advance plays ListNum + 1.
  std::int32_t ListNum = 0;
  // Cursor of the previous/next buttons, independent of the list selection.
  std::int16_t BtnIndex = 0;
  // When the current Flash movie gives way to the next entry.
  TimePoint SwfEndTime{};
  // Last times read from the player movie, and the last seek target sent to it.
  std::string FlvCurrent, FlvTotal, FlvSeekTo;

  // The window frame: where the last press on the bare window background
  // was (twips), the reference point of the pointer-hiding rule ((0, 0) until
  // the first movement records it), and a drag of the resize grip.
  std::int32_t DragStartX = 0, DragStartY = 0;
  float PointerRefX = 0, PointerRefY = 0;
  bool GripDragging = false;
  // A press in the sizing strips of a bar or border: its moves size the
  // window as the bare background's do.
  bool EdgeDragging = false;
  // What a display mode still has to do once the window state it asked for
  // has arrived with its size.
  int AwaitedWindowState = -1;
  std::function<void()> AfterWindowState;
  // A display mode's placement, made again after each later size of the
  // window while the window stays in the state it was made for (a window
  // manager answers in steps, late, or twice).
  int HeldPlacementState = -1;
  std::function<void()> HeldPlacement;

  // Where files were left, the newest last (read from the settings on first
  // use), and a file the loop button opens again from its start.
  struct KeptPlace {
    std::string path;
    double seconds = 0;
    std::uintmax_t size = 0;
    std::int64_t written = 0;
  };
  std::vector<KeptPlace> KeptPlaces;
  bool KeptPlacesRead = false;
  std::string StartOverFile;
};

}  // namespace qm
