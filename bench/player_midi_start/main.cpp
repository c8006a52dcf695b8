// Process start to the first note of a long MIDI file (25 minutes), and for
// reference to the first sound of an MP3: the player is started on the file
// with its sound written to a WAV (libmpv's ao=pcm), and the WAV is read
// until a sample is not silence. Whatever the player must do before its
// engine gets sound (start-up, loading the soundfont, rendering) counts.
//
//   bench_player_midi_start [minutes]   (default 25)

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "bench_support.h"
#include "support/virtual_display.h"

using namespace qm::bench;

namespace {

constexpr double kPatienceSeconds = 90;

// A half-second piano note every two seconds at 120 beats a minute.
bool writeLongMidi(const std::string& path, int minutes) {
  std::vector<unsigned char> track = {0x00, 0xC0, 0x00, 0x00};
  for (int i = 0; i < minutes * 30; ++i)
    track.insert(track.end(), {0x90, 0x3C, 0x64, 0x83, 0x60, 0x80, 0x3C, 0x40, 0x8B, 0x20});
  track.insert(track.end(), {0xFF, 0x2F, 0x00});
  std::string bytes("MThd\0\0\0\6\0\0\0\1\x01\xE0MTrk", 18);  // one track, 480 ticks a beat
  for (int shift = 24; shift >= 0; shift -= 8) bytes.push_back(static_cast<char>(track.size() >> shift));
  bytes.append(track.begin(), track.end());
  std::ofstream out(path, std::ios::binary);
  out << bytes;
  return bool(out);
}

// True once the WAV holds a sample louder than dither.
bool heardIn(const std::string& wav) {
  std::ifstream in(wav, std::ios::binary);
  if (!in.seekg(44)) return false;
  std::vector<char> block(1 << 16);
  while (in.read(block.data(), block.size()) || in.gcount() > 0) {
    const auto n = static_cast<std::size_t>(in.gcount()) / 2;
    for (std::size_t i = 0; i < n; ++i) {
      std::int16_t v;
      std::memcpy(&v, block.data() + 2 * i, 2);
      if (v > 64 || v < -64) return true;
    }
  }
  return false;
}

double secondsToSound(const std::string& file, const std::string& wav) {
  PlayerFolder folder(QM_PROGRAM_DIR);
  std::vector<std::string> environment;
  for (const std::string& entry : folder.environment())
    if (entry.rfind("QUILMORA_MPV_OPTIONS=", 0) != 0) environment.push_back(entry);
  environment.push_back("QUILMORA_MPV_OPTIONS=ao=pcm,ao-pcm-file=" + wav);
  const auto start = Clock::now();
  Child child({folder.executable(), file}, environment);
  if (!child.started()) return -1;
  while (secondsSince(start) < kPatienceSeconds) {
    if (heardIn(wav)) return secondsSince(start);
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return -1;
}

}  // namespace

int main(int argc, char** argv) {
  const int minutes = argc > 1 ? std::atoi(argv[1]) : 25;
  qm::live::VirtualDisplay display;
  if (!display.ok()) {
    std::fprintf(stderr, "%s\n", display.error().c_str());
    return 1;
  }
  ScratchFolder media;
  const std::string midi = media.path() + "/long.mid", mp3 = media.path() + "/tone.mp3";
  if (!writeLongMidi(midi, minutes) || !makeMp3(mp3, 20)) {
    std::fprintf(stderr, "could not make the media\n");
    return 1;
  }
  const double mp3Seconds = secondsToSound(mp3, media.path() + "/mp3.wav");
  const double midiSeconds = secondsToSound(midi, media.path() + "/midi.wav");
  std::printf("Process start to the first sound (ms; -1000 = nothing within %.0f s)\n", kPatienceSeconds);
  std::printf("  MP3                       %8.0f\n", mp3Seconds * 1000);
  std::printf("  MIDI of %3d minutes        %8.0f   (%+.0f over the MP3)\n", minutes, midiSeconds * 1000,
              (midiSeconds - mp3Seconds) * 1000);
  printFigure("MP3 start to first sound", "ms", mp3Seconds * 1000);
  printFigure("MIDI (" + std::to_string(minutes) + " min) start to first note", "ms", midiSeconds * 1000);
  return 0;
}
