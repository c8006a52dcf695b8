#pragma once

namespace qm {

class Form1;

// Shows the list panel beside the video (a fifth of the window wide) or
// hides it and gives the video the whole width.
void toggleListPanel(Form1& f);

}  // namespace qm
