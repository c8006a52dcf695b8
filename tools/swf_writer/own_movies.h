#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace qm::swf_writer {

// The movies the player keeps beside its executable.

// Two empty frames that loop: while it is loaded the Flash engine holds
// nothing else and still reports playing.
std::vector<uint8_t> emptyMovie();

// The player movie: one frame labelled with the player movie's mark (the
// engine then plays .flv files natively), that stops at once, sets the root
// variable "ready" to "1" and shows a grey rectangle on black to any other
// Flash runtime.
std::vector<uint8_t> playerMovie();

// A test movie for a Flash runtime: 100 frames at 12 per second showing a
// rectangle, blue unless another colour (0xRRGGBB) is given, over the middle
// of its stage. Its first frame sets a root variable: a script, which the
// player leaves to the runtime.
inline constexpr uint32_t kCountingBlue = 0x3090e0;
std::vector<uint8_t> countingMovie(uint32_t colour = kCountingBlue);

// The same rectangle and frames without a script, drawn as two triangles
// that share an edge: a movie the player draws on its own.
std::vector<uint8_t> drawnMovie(uint32_t colour = kCountingBlue);

struct OwnMovie {
  const char* name;
  std::vector<uint8_t> (*write)();
};

// The movies by the names the writer program takes on its command line.
const std::vector<OwnMovie>& ownMovies();

}  // namespace qm::swf_writer
