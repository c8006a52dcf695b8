#pragma once

#include <string>

namespace qm {

struct PlayerContext;

// A picture of the video: the frame on show at the video's own size, saved
// as PNG in the user's pictures folder under the file's name and the time it
// shows ("clip 01-02-03.png"); a note over the video says where.
void takeSnapshot(PlayerContext& p);

// The file a snapshot of `mediaPath` at `seconds` is saved as in `folder`:
// the first of "name hh-mm-ss.png", "name hh-mm-ss (2).png", ... that does
// not exist yet; empty when all of them do.
std::string snapshotPath(PlayerContext& p, const std::string& folder, const std::string& mediaPath, double seconds);

void connectSnapshot(PlayerContext& p);

}  // namespace qm
