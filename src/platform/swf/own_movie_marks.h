#pragma once

namespace qm::swf {

// The frame label our player movie carries on its first frame: the Flash
// engine runs a movie that carries it with its own native player instead of
// a Flash runtime.
inline constexpr const char* kPlayerMovieLabel = "quilmora.player-movie.1";

// The names the host movie answers through ExternalInterface; the web page
// that drives it uses the same names.
namespace host {
inline constexpr const char* kPlay = "qmPlay";          // (): plays _level1's timeline
inline constexpr const char* kStop = "qmStop";          // (): stops it
inline constexpr const char* kGotoPlay = "qmGotoPlay";  // (frame from 1): goes there and plays
inline constexpr const char* kGotoStop = "qmGotoStop";  // (frame from 1): goes there and stops
inline constexpr const char* kState = "qmState";        // (): "currentframe,totalframes" of _level1
inline constexpr const char* kSet = "qmSet";            // (name, value): _level1[name] = value
inline constexpr const char* kGet = "qmGet";            // (name): _level1[name]
inline constexpr const char* kScale = "qmScale";        // (mode): Stage.scaleMode = mode
// The root variable holding the address of the movie to load into _level1.
inline constexpr const char* kMovieVariable = "qmMovie";
}  // namespace host

}  // namespace qm::swf
