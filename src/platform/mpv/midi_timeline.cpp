#include "platform/mpv/midi_timeline.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <utility>

namespace qm {

namespace {

constexpr double kDefaultMicrosecondsPerBeat = 500000;  // 120 beats a minute

// Reads big-endian numbers and variable-length quantities, failing (rather
// than reading past the end) on a cut file.
class Reader {
 public:
  explicit Reader(std::string_view bytes) : bytes_(bytes) {}
  bool done() const { return at_ >= bytes_.size(); }
  std::size_t left() const { return bytes_.size() - at_; }

  std::optional<std::uint32_t> number(int size) {
    if (left() < static_cast<std::size_t>(size)) return std::nullopt;
    std::uint32_t value = 0;
    for (int i = 0; i < size; ++i) value = value << 8 | static_cast<unsigned char>(bytes_[at_++]);
    return value;
  }
  std::optional<std::uint32_t> variable() {
    std::uint32_t value = 0;
    for (int i = 0; i < 4; ++i) {
      auto byte = number(1);
      if (!byte) return std::nullopt;
      value = value << 7 | (*byte & 0x7F);
      if (!(*byte & 0x80)) return value;
    }
    return std::nullopt;  // longer than the format allows
  }
  std::optional<std::string_view> take(std::size_t size) {
    if (left() < size) return std::nullopt;
    std::string_view part = bytes_.substr(at_, size);
    at_ += size;
    return part;
  }
  std::optional<unsigned char> peek() const {
    if (done()) return std::nullopt;
    return static_cast<unsigned char>(bytes_[at_]);
  }

 private:
  std::string_view bytes_;
  std::size_t at_ = 0;
};

struct Tempo {
  long tick;
  double microsecondsPerBeat;
};

// Walks one track to its end: its last tick, and its tempo changes into
// `tempi`. False on anything the track cannot hold.
bool readTrack(std::string_view data, long& lastTick, std::vector<Tempo>& tempi) {
  Reader in(data);
  long tick = 0;
  unsigned running = 0;
  while (!in.done()) {
    auto delta = in.variable();
    auto first = in.peek();
    if (!delta || !first) return false;
    tick += *delta;
    unsigned status = *first;
    if (status & 0x80)
      in.number(1);
    else if (running)
      status = running;  // running status: the byte read is already data
    else
      return false;
    if (status == 0xFF) {
      auto type = in.number(1);
      auto length = in.variable();
      if (!type || !length) return false;
      auto body = in.take(*length);
      if (!body) return false;
      if (*type == 0x51 && body->size() == 3) {
        const auto* b = reinterpret_cast<const unsigned char*>(body->data());
        const double perBeat = b[0] << 16 | b[1] << 8 | b[2];
        if (perBeat > 0) tempi.push_back({tick, perBeat});
      }
      if (*type == 0x2F) break;  // end of track
    } else if (status == 0xF0 || status == 0xF7) {
      auto length = in.variable();
      if (!length || !in.take(*length)) return false;
    } else if (status >= 0x80 && status < 0xF0) {
      running = status;
      const int dataBytes = (status & 0xF0) == 0xC0 || (status & 0xF0) == 0xD0 ? 1 : 2;
      if (!in.take(dataBytes)) return false;
    } else {
      return false;  // system messages other than sysex have no place in a file
    }
  }
  lastTick = tick;
  return true;
}

}  // namespace

std::optional<MidiTimeline> MidiTimeline::read(std::string_view bytes) {
  Reader in(bytes);
  auto magic = in.take(4);
  auto headerLength = in.number(4);
  if (!magic || *magic != "MThd" || !headerLength || *headerLength < 6) return std::nullopt;
  auto header = in.take(*headerLength);
  if (!header) return std::nullopt;
  Reader head(*header);
  head.number(2);  // format
  const auto tracks = head.number(2);
  const auto division = head.number(2);
  if (!tracks || *tracks == 0 || !division || *division == 0) return std::nullopt;

  MidiTimeline timeline;
  std::vector<Tempo> tempi;
  for (unsigned found = 0; found < *tracks;) {
    auto id = in.take(4);
    auto length = in.number(4);
    if (!id || !length) return std::nullopt;
    auto data = in.take(*length);
    if (!data) return std::nullopt;
    if (*id != "MTrk") continue;  // chunks of other kinds are skipped
    long last = 0;
    if (!readTrack(*data, last, tempi)) return std::nullopt;
    timeline.endTick_ = std::max(timeline.endTick_, last);
    ++found;
  }

  if (*division & 0x8000) {
    // Time code: frames a second (29 stands for 29.97) times ticks a frame;
    // tempo changes do not apply.
    const int frames = -static_cast<std::int8_t>(*division >> 8);
    const int ticksPerFrame = *division & 0xFF;
    if (frames <= 0 || ticksPerFrame == 0) return std::nullopt;
    const double perSecond = (frames == 29 ? 29.97 : frames) * ticksPerFrame;
    timeline.tempo_.push_back({0, 0, 1 / perSecond});
    return timeline;
  }
  const double ticksPerBeat = *division;
  std::stable_sort(tempi.begin(), tempi.end(), [](const Tempo& a, const Tempo& b) { return a.tick < b.tick; });
  timeline.tempo_.push_back({0, 0, kDefaultMicrosecondsPerBeat / 1e6 / ticksPerBeat});
  for (const Tempo& t : tempi) {
    const TempoChange& before = timeline.tempo_.back();
    const double at = before.seconds + (t.tick - before.tick) * before.secondsPerTick;
    const double perTick = t.microsecondsPerBeat / 1e6 / ticksPerBeat;
    if (t.tick == before.tick)
      timeline.tempo_.back().secondsPerTick = perTick;  // the later change at one tick wins
    else
      timeline.tempo_.push_back({t.tick, at, perTick});
  }
  return timeline;
}

double MidiTimeline::secondsAt(long tick) const {
  auto after = std::upper_bound(tempo_.begin(), tempo_.end(), tick,
                                [](long t, const TempoChange& change) { return t < change.tick; });
  const TempoChange& change = *std::prev(after);
  return change.seconds + (tick - change.tick) * change.secondsPerTick;
}

long MidiTimeline::tickAt(double seconds) const {
  if (!(seconds > 0)) return 0;
  auto after = std::upper_bound(tempo_.begin(), tempo_.end(), seconds,
                                [](double s, const TempoChange& change) { return s < change.seconds; });
  const TempoChange& change = *std::prev(after);
  const double ticks = change.tick + std::ceil((seconds - change.seconds) / change.secondsPerTick - 1e-9);
  return std::clamp(static_cast<long>(std::max(ticks, 0.0)), 0L, endTick_);
}

}  // namespace qm
