#pragma once

#include <optional>
#include <string_view>
#include <vector>

namespace qm {

// The time axis of a standard MIDI file: its length and the conversion from
// seconds to ticks through every tempo change of every track. The
// synthesizer plays the file; this tells the stream how long it is and
// where a seek lands, before a single note is rendered.
class MidiTimeline {
 public:
  // Nothing when the bytes are not a MIDI file whose tracks all read to
  // their end (a truncated or corrupt file plays nothing at all).
  static std::optional<MidiTimeline> read(std::string_view bytes);

  // The tick of the last event of the longest track.
  long endTick() const { return endTick_; }
  double seconds() const { return secondsAt(endTick_); }
  double secondsAt(long tick) const;
  // The first tick at or after `seconds`, at most endTick().
  long tickAt(double seconds) const;

 private:
  struct TempoChange {
    long tick;
    double seconds;         // where the change falls
    double secondsPerTick;  // from there on
  };
  std::vector<TempoChange> tempo_;  // by tick; the first at tick 0
  long endTick_ = 0;
};

}  // namespace qm
