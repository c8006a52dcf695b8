#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace qm::swf {

// A frame's script of nothing but the timeline's own moves: stop(), play(),
// and at most one of gotoAndStop / gotoAndPlay (to a frame or a label),
// nextFrame() and prevFrame(), as a drawing program writes them. A move
// stops the timeline there unless a play() follows it.
struct TimelineScript {
  enum class Move { kNone, kFrame, kLabel, kNext, kPrevious };
  Move move = Move::kNone;
  uint16_t frame = 0;  // kFrame, from 0
  std::string label;   // kLabel
  // The last play() or stop() before the move (or in a script without one),
  // and after it.
  std::optional<bool> play;
  std::optional<bool> playAfterMove;
};

// The script of a DoAction tag, or nothing when it does anything else.
std::optional<TimelineScript> readTimelineScript(std::span<const uint8_t> actions);

// Two scripts of one frame, run one after the other; nothing when both move.
std::optional<TimelineScript> thenRun(const TimelineScript& first, const TimelineScript& second);

// Frame labels are found without regard to the case of ASCII letters.
std::string lowerAscii(std::string text);

}  // namespace qm::swf
