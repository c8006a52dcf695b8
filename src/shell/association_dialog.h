#pragma once

#include <string>

#include "forms/player_context.h"

namespace qm {

// The file type association dialog, Form4.

// The flag file that remembers the ticks: "datinf/QLinf.ini" of the program folder.
std::string associationFlagFile(const PlayerContext& p);

// The command the desktop opens a file with: the program, one blank, "%1",
// no quotation marks (start-up takes the whole tail as the file).
std::string openCommandText(const PlayerContext& p);
// The program's icon: the program followed by ",0".
std::string iconText(const PlayerContext& p);

// Load: topmost, the ticks from the flag file; without a flag file (the
// first use) every type is registered at once.
void loadAssociationDialog(PlayerContext& p);
// A box was clicked (its tick has changed): its description shows.
void showFileTypeDescription(PlayerContext& p, std::size_t index);
// The select toggle: all boxes on, or all off.
void toggleAllFileTypes(PlayerContext& p);
// OK: registers the ticked types, takes the open and play commands of the
// others away, stores the ticks and closes the dialog.
void applyFileTypes(PlayerContext& p);
// The codec link: the download page in the user's browser.
void openCodecDownload(PlayerContext& p);
// Pointer movement over the dialog brings back a pointer the main window hid.
void pointerMovedOverDialog(PlayerContext& p, double x, double y);

}  // namespace qm
