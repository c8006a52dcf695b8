#pragma once

#include <string>

namespace qm {

struct PlayerContext;

// The open file's sound and subtitle tracks: the menu's 音轨 and 字幕
// submenus (made anew as the menu opens), B for the next sound track
// (wrapping), V for the next subtitles (past the last, none), a subtitle
// file chosen in a dialog or dropped on the window.
void nextAudioTrack(PlayerContext& p);
void nextSubtitles(PlayerContext& p);
// Loads the subtitle file for the file that plays; false when nothing
// plays in the media engine.
bool addSubtitleFile(PlayerContext& p, const std::string& path);

void connectTracks(PlayerContext& p);

}  // namespace qm
