#pragma once

#include <string>

namespace qm {

struct PlayerContext;

// The player's own movies in the program folder.
inline constexpr const char* kEmptyMovie = "0.swf";
inline constexpr const char* kPlayerMovie = "power.swf";

// Empties the Flash engine by loading the empty movie.
void loadEmptyMovie(PlayerContext& p);
// Reloads the player movie from its first frame (empty movie first), idle:
// no file is given to it.
void resetPlayerMovie(PlayerContext& p);
// Starts a Flash video: the player movie (after the empty movie when
// `emptyFirst`), told the file through "testVar", then played.
void startFlashVideo(PlayerContext& p, const std::string& path, bool emptyFirst);

}  // namespace qm
