#pragma once

#include <cstdint>
#include <string>

namespace qm {

// Where rendered MIDI files are kept: the application's cache folder, or
// $XDG_CACHE_HOME/quilmora (~/.cache/quilmora) when there is none, plus "midi".
std::string defaultMidiCacheDir();

// The cache file name for a source file: a hash of its absolute path, size,
// modification time and the soundfont, so an edited file is rendered again.
// Empty when the source cannot be read.
std::string midiCacheName(const std::string& midiPath, const std::string& soundFont);

// Deletes the oldest renders until the folder holds at most `maxBytes`,
// never deleting `keep`. Renders are large (10 MB a minute), so the folder
// must not grow without bound.
void pruneMidiCache(const std::string& cacheDir, std::uintmax_t maxBytes, const std::string& keep);

}  // namespace qm
