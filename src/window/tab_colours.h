#pragma once

namespace qm {

class Form1;
class Label;

// The selected tab's caption colour (light blue) and the others' (white).
inline constexpr unsigned kSelectedTabColour = 0xFF9933;
inline constexpr unsigned kTabColour = 0xFFFFFF;

// Paints `selected` in the selected colour and the other four tabs white.
void paintTabs(Form1& f, Label& selected);

}  // namespace qm
