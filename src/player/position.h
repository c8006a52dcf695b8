#pragma once

#include <optional>
#include <string>

namespace qm {

struct PlayerContext;

// The time display (Timer8, every 50 ms): the seek bar and the two time
// labels follow whichever engine shows.
void timeDisplayTick(PlayerContext& p);
// A file of another kind starts from an empty display, not the times of the
// file before.
void clearTimeDisplay(PlayerContext& p);

// The seek bar: a press (or a drag with the left button) pauses the engine
// at the bar's value; the release plays on from there.
void seekBarDown(PlayerContext& p, int button);
void seekBarMove(PlayerContext& p, int button);
void seekBarUp(PlayerContext& p);

void connectPosition(PlayerContext& p);

// A whole text read as a decimal number, or nothing.
std::optional<double> parseNumber(const std::string& text);
// A number as the player movie reads it: up to 15 significant digits.
std::string numberText(double value);

}  // namespace qm
