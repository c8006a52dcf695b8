#pragma once

namespace qm {

class Form1;
struct PlayerContext;

// Opens the entry selected in the file list in the engine of its kind. Runs
// on every selection of the list, by the user or by code.
void openSelectedEntry(PlayerContext& p);

// The bottom bar's button set: pictures get the background music button and
// the picture arrows; everything else gets play and the media arrows.
void showButtonSet(Form1& f, bool pictures);

}  // namespace qm
