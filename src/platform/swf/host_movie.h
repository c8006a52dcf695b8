#pragma once

#include <cstdint>
#include <vector>

#include "platform/swf/swf_builder.h"

namespace qm::swf_writer {

// What the host movie copies from the movie it hosts: the runtime takes the
// stage size, frame rate and background from the root movie, so the host
// must carry the hosted movie's.
struct HostStage {
  int widthPx = 550;
  int heightPx = 400;
  double framesPerSecond = 12;
  Color background{0xff, 0xff, 0xff};
};

// An AVM1 movie of one stopped frame that registers the ExternalInterface
// callbacks of own_movie_marks.h, acting on _level1, and loads the movie
// named by its root variable "qmMovie" into _level1.
std::vector<uint8_t> hostMovie(const HostStage& stage);

}  // namespace qm::swf_writer
