#pragma once

#include <atomic>
#include <string>
#include <vector>

namespace qm {

// libmpv cannot decode MIDI, so MIDI files are rendered to a WAV file once
// and the WAV is played instead. Renders are cached per file so a file plays
// again without a new render.

// True for ".mid" and ".midi" in any letter case.
bool isMidiPath(const std::string& path);

// The soundfonts tried in order; the small General MIDI set comes first
// because it loads in a fraction of the larger one's time.
const std::vector<std::string>& defaultSoundFonts();
// The first of `candidates` that exists, empty when there is none.
std::string findSoundFont(const std::vector<std::string>& candidates);

struct MidiRender {
  bool ok = false;
  std::string wavPath;  // when ok
  std::string error;    // when not
};

// Renders `midiPath` with `soundFont` into a WAV inside `cacheDir`, or finds
// the render made earlier for the same path, size, modification time and
// soundfont. Blocks until done; `cancel` is checked between blocks so a newer
// request can end it early (a cancelled render leaves no file behind).
MidiRender renderMidiToWav(const std::string& midiPath, const std::string& soundFont, const std::string& cacheDir,
                           const std::atomic<bool>& cancel);

}  // namespace qm
