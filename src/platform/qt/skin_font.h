#pragma once

namespace qm {

// Makes the skin's own font, compiled into the program, the font of every
// window; a character outside it (in a file name, say) comes from the
// system's fonts. Done once; false when the program holds no such font, and
// the system's fonts then serve alone.
bool useSkinFont();

}  // namespace qm
