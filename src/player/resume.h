#pragma once

#include <string>

namespace qm {

struct PlayerContext;

// "记住播放位置": while it is ticked (it starts unticked), a file longer
// than five minutes that is opened again starts where it was left. Places
// are kept in the settings file, at most kKeptPlaces, the oldest dropped;
// a file that changed on disk since starts at the beginning, and a file
// played to its end or opened again at once (the loop button) starts there
// too.
inline constexpr int kKeptPlaces = 200;
inline constexpr double kShortestResumed = 5 * 60;

void toggleRememberPosition(PlayerContext& p);
// The loop button's open of `path` starts at its beginning.
void openFromTheStart(PlayerContext& p, const std::string& path);
// Keeps the place of the file that plays (the player is about to end).
void rememberPlayingPosition(PlayerContext& p);
// Reads whether the menu item was ticked when the player ended.
void loadRememberPosition(PlayerContext& p);

void connectResume(PlayerContext& p);

}  // namespace qm
