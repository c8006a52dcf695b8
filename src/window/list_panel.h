#pragma once

namespace qm {

class Form1;

// Shows the list panel beside the video (a fifth of the window wide) or
// hides it and gives the video the whole width.
void toggleListPanel(Form1& f);

// The file list ends where the panel ends: its last rows and its scroll
// bar's lower end would otherwise lie under the bottom bar, out of reach.
void keepFileListInPanel(Form1& f);

}  // namespace qm
