#pragma once

// What crosses between the player and its player movie (power.swf), which
// plays a Flash video in the Flash engine. The names are the movie's own and
// are spelt as it spells them ("curent1" has one r).
namespace qm::player_movie {

// Variables the player writes.
inline constexpr const char* kFile = "testVar";      // the path of the video to play
inline constexpr const char* kControl = "testVar2";  // one of the controls below
inline constexpr const char* kSeekTarget = "kkk";    // seconds, written before kControl

// Values of kControl.
inline constexpr const char* kPlay = "vbplay";
inline constexpr const char* kPause = "vbpause";
inline constexpr const char* kSeekBarDown = "vbdown";  // pause and go to kSeekTarget

// Variables the movie keeps current.
inline constexpr const char* kPosition = "curent1";        // seconds, "12.345"
inline constexpr const char* kLength = "total1";           // seconds
inline constexpr const char* kPositionText = "curentvar";  // "mm:ss"
inline constexpr const char* kLengthText = "timevar";      // "/mm:ss"

// Commands the movie sends (FSCommand). The window commands are honoured
// from any movie.
inline constexpr const char* kEnded = "oknext";
inline constexpr const char* kFullScreen = "full";
inline constexpr const char* kTheater = "juyuan";
inline constexpr const char* kStretch = "yanshen";
inline constexpr const char* kNormal = "normal";
inline constexpr const char* kClose = "close";

}  // namespace qm::player_movie
