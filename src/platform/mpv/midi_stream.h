#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/mpv/midi_timeline.h"

struct mpv_handle;

namespace qm {

// libmpv cannot decode MIDI, so MIDI files reach it as a WAV stream that
// the synthesizer fills while libmpv reads: the first note sounds as soon as
// the soundfont is loaded, whatever the file's length, and nothing is
// written to disk. The stream's length is known from the file's tempo map
// before anything is rendered, so libmpv shows the right duration and can
// seek anywhere; a seek moves the synthesizer's sequencer to the tick there.

// True for ".mid" and ".midi" in any letter case.
bool isMidiPath(const std::string& path);

// The soundfonts tried in order; the small General MIDI set comes first
// because it loads in a fraction of the larger one's time.
const std::vector<std::string>& defaultSoundFonts();
// The first of `candidates` that exists, empty when there is none.
std::string findSoundFont(const std::vector<std::string>& candidates);

// One MIDI file as a 16-bit stereo 44.1 kHz WAV byte stream.
class MidiStream {
 public:
  static constexpr int kSampleRate = 44100;
  static constexpr int kBytesPerFrame = 4;
  static constexpr int kHeaderBytes = 44;
  // After the last tick the sounding notes are released and fade for this long.
  static constexpr double kTailSeconds = 1.0;

  // Nothing (and `error` says why) when the file is missing, too big, not a
  // MIDI file, cut short, or the soundfont cannot be loaded.
  static std::unique_ptr<MidiStream> open(const std::string& midiPath, const std::string& soundFont,
                                          std::string* error = nullptr);
  ~MidiStream();
  MidiStream(const MidiStream&) = delete;
  MidiStream& operator=(const MidiStream&) = delete;

  std::int64_t size() const { return kHeaderBytes + totalFrames_ * kBytesPerFrame; }
  double seconds() const { return double(totalFrames_) / kSampleRate; }
  // Up to `bytes` from the current position; 0 at the end.
  std::int64_t read(char* out, std::uint64_t bytes);
  // False for a position outside the stream.
  bool seek(std::int64_t position);

 private:
  struct Engine;
  MidiStream(std::string bytes, MidiTimeline timeline, std::int64_t musicFrames, std::unique_ptr<Engine> engine);
  void startAt(std::int64_t frame);
  void render(std::int16_t* out, std::int64_t frames);
  void writeHeader();

  std::string midi_;  // the file, read once: later edits do not reach the stream
  MidiTimeline timeline_;
  std::int64_t musicFrames_;
  std::int64_t totalFrames_;
  std::unique_ptr<Engine> engine_;
  char header_[kHeaderBytes];
  std::int64_t position_ = 0;      // in bytes, header included
  std::int64_t frame_ = 0;         // the next frame the synthesizer renders
  std::int64_t cachedFrame_ = -1;  // a frame read only in part, kept for the rest
  std::int16_t cached_[2] = {0, 0};
};

// Registers the stream protocol with a libmpv player; false when refused.
bool addMidiProtocol(mpv_handle* mpv);
// What to hand libmpv's loadfile for a MIDI file.
std::string midiStreamUri(const std::string& path);

}  // namespace qm
