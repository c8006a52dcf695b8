#pragma once

#include "platform/swf/host_movie.h"
#include "platform/swf/swf_file.h"

namespace qm {

// What the Flash engine needs to know of a movie before choosing how to
// run it.

// ActionScript 3 (AVM2), as its FileAttributes tag declares.
bool isActionScript3(const swf::SwfFile& file);
// Our own player movie: its first frame carries the player movie's label.
bool hasPlayerMovieMark(const swf::SwfFile& file);
// The stage a host movie must copy from this movie.
swf_writer::HostStage hostStageOf(const swf::SwfFile& file);

}  // namespace qm
