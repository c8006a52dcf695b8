#pragma once

namespace qm {

class Form1;
class SkinStore;

// The main window as designed: the place and size of every piece at the
// design size 9510 x 6795 twips, captions, tooltips, and the skin pictures.
void applyDesign(Form1& f, SkinStore& skin);

}  // namespace qm
