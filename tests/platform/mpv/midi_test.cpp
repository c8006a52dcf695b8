// MIDI files: streamed as a WAV that the synthesizer fills while libmpv
// reads it, then played like any audio file.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "mpv_test_support.h"
#include "platform/mpv/midi_stream.h"
#include "platform/mpv/mpv_engine.h"
#include "support/temp_dir.h"

namespace qm {
namespace {

namespace fs = std::filesystem;
using test::Media;
using test::pumpUntil;
using test::StateLog;
namespace ps = play_state;

std::string midiFile(const std::vector<unsigned char>& track) {
  std::string bytes("MThd\0\0\0\6\0\0\0\1\x01\xE0MTrk", 18);  // one track, 480 ticks a beat
  for (int shift = 24; shift >= 0; shift -= 8) bytes.push_back(static_cast<char>(track.size() >> shift));
  bytes.append(track.begin(), track.end());
  return bytes;
}

// Four piano notes of half a second at 120 beats a minute: 2 s of music.
std::string tinyMidi() {
  return midiFile({
      0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20,              // tempo: 500000 us a beat
      0x00, 0xC0, 0x00,                                      // piano
      0x00, 0x90, 0x3C, 0x64, 0x83, 0x60, 0x80, 0x3C, 0x40,  // C, 480 ticks
      0x00, 0x90, 0x3E, 0x64, 0x83, 0x60, 0x80, 0x3E, 0x40,  // D
      0x00, 0x90, 0x40, 0x64, 0x83, 0x60, 0x80, 0x40, 0x40,  // E
      0x00, 0x90, 0x43, 0x64, 0x83, 0x60, 0x80, 0x43, 0x40,  // G
      0x00, 0xFF, 0x2F, 0x00,                                // end of track
  });
}

// An organ chord whose notes are never released: half a second of ticks.
std::string heldNotesMidi() {
  return midiFile({
      0x00,
      0xC0,
      0x13,  // church organ
      0x00,
      0x90,
      0x3C,
      0x64,
      0x83,
      0x60,
      0x90,
      0x40,
      0x64,  // two note-ons, no note-off
      0x00,
      0xFF,
      0x2F,
      0x00,
  });
}

std::string writeFile(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
  return path;
}

std::string soundFont() { return findSoundFont(defaultSoundFonts()); }

TEST(MpvMidi, AMidiFilePlaysSeeksAndEndsLikeAudio) {
  ASSERT_FALSE(soundFont().empty()) << "no General MIDI soundfont installed";
  // Upper case on purpose: the extension is matched in any case.
  const std::string midi = writeFile(Media::get().dir() + "/Tune.MID", tinyMidi());
  MpvEngine engine(MpvEngine::Video::None, {{"ao", "null"}});
  StateLog log(engine);
  ASSERT_TRUE(engine.setURL(midi));
  ASSERT_TRUE(pumpUntil([&] { return engine.playState() == ps::Playing || engine.playState() == ps::Stopped; }));
  EXPECT_EQ(engine.URL(), midi);
  // Two seconds of notes and the rendered fade-out after them.
  EXPECT_GT(engine.duration(), 2.0);
  EXPECT_LT(engine.duration(), 4.0);

  ASSERT_TRUE(engine.pause());
  ASSERT_TRUE(pumpUntil([&] { return engine.playState() == ps::Paused; }));
  ASSERT_TRUE(engine.setCurrentPosition(1.5));
  EXPECT_TRUE(pumpUntil([&] { return std::fabs(engine.currentPosition() - 1.5) <= 0.2; })) << engine.currentPosition();
  ASSERT_TRUE(engine.play());
  ASSERT_TRUE(pumpUntil([&] { return engine.playState() == ps::Stopped; }));
  EXPECT_EQ(log.states().front(), ps::Transitioning);
  EXPECT_EQ(log.states().back(), ps::Stopped);
  EXPECT_TRUE(log.saw(ps::Playing));
}

TEST(MpvMidi, MidiFilesThatCannotBeRenderedEndStopped) {
  std::string truncated = tinyMidi().substr(0, 30);  // header fine, track cut short
  std::string noise(2000, '\x5a');
  const std::string files[] = {
      writeFile(Media::get().dir() + "/cut.mid", truncated),
      writeFile(Media::get().dir() + "/noise.midi", noise),
      Media::get().dir() + "/missing.mid",
  };
  MpvEngine engine(MpvEngine::Video::None, {{"ao", "null"}});
  StateLog log(engine);
  for (const std::string& file : files) {
    SCOPED_TRACE(file);
    log.clear();
    ASSERT_TRUE(engine.setURL(file));
    ASSERT_TRUE(pumpUntil([&] { return engine.playState() == ps::Stopped; }));
    EXPECT_EQ(log.states(), (std::vector<int>{ps::Transitioning, ps::Stopped}));
  }
}

// A long piece: a half-second piano note every two seconds for `minutes`,
// a second tempo (twice as fast) taking over halfway through.
std::string longMidi(int minutes) {
  std::vector<unsigned char> track = {0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20, 0x00, 0xC0, 0x00, 0x00};
  const int notes = minutes * 30;
  for (int i = 0; i < notes; ++i) {
    if (i == notes / 2) track.insert(track.end(), {0xFF, 0x51, 0x03, 0x03, 0xD0, 0x90, 0x00});  // 250000 us a beat
    // On for 480 ticks, then 1440 (0x8B 0x20) to the next event.
    track.insert(track.end(), {0x90, 0x3C, 0x64, 0x83, 0x60, 0x80, 0x3C, 0x40, 0x8B, 0x20});
  }
  track.insert(track.end(), {0xFF, 0x2F, 0x00});
  return midiFile(track);
}

// The level of 16-bit stereo samples, in dB below full scale.
double levelDb(const std::string& pcm) {
  double sum = 0;
  const std::size_t samples = pcm.size() / 2;
  for (std::size_t i = 0; i < samples; ++i) {
    std::int16_t v;
    std::memcpy(&v, pcm.data() + 2 * i, 2);
    sum += double(v) * v;
  }
  return samples ? 10 * std::log10(sum / samples / (32768.0 * 32768.0) + 1e-12) : -120;
}

std::string readStream(MidiStream& stream, double seconds) {
  std::string bytes(static_cast<std::size_t>(seconds * MidiStream::kSampleRate) * MidiStream::kBytesPerFrame, '\0');
  bytes.resize(static_cast<std::size_t>(std::max<std::int64_t>(0, stream.read(bytes.data(), bytes.size()))));
  return bytes;
}

TEST(MpvMidi, TheStreamSoundsAtOnceWhateverTheLengthAndSeeksByTheTempoMap) {
  ASSERT_FALSE(soundFont().empty());
  test::TempDir folder;
  const std::string path = writeFile(folder.path() + "/long.mid", longMidi(25));
  // How fast the first note comes is the benchmark's figure; here the first
  // 0.3 s of the stream already hold it, whatever follows.
  auto stream = MidiStream::open(path, soundFont());
  ASSERT_TRUE(stream);
  std::string header(MidiStream::kHeaderBytes, '\0');
  ASSERT_EQ(stream->read(header.data(), header.size()), MidiStream::kHeaderBytes);
  const std::string firstNote = readStream(*stream, 0.3);
  EXPECT_EQ(header.substr(0, 4), "RIFF");
  EXPECT_GT(levelDb(firstNote), -55);

  // 750 notes of two seconds, the second half at double speed: 1125 s, and
  // the release after the last tick.
  EXPECT_NEAR(stream->seconds(), 1125 + MidiStream::kTailSeconds, 0.1);
  EXPECT_EQ(stream->size(),
            MidiStream::kHeaderBytes +
                std::int64_t(std::llround(stream->seconds() * MidiStream::kSampleRate)) * MidiStream::kBytesPerFrame);

  // Into the fast half: notes start every second, on for a quarter of it.
  // A seek lands where the tempo map puts the notes and the silence between
  // them, not where the first tempo would (a note begun before the seek
  // target is not heard, so each check starts just before one).
  auto at = [&](double seconds) {
    return MidiStream::kHeaderBytes + std::int64_t(seconds * MidiStream::kSampleRate) * MidiStream::kBytesPerFrame;
  };
  ASSERT_TRUE(stream->seek(at(1000.98)));
  EXPECT_GT(levelDb(readStream(*stream, 0.15)), -55);
  ASSERT_TRUE(stream->seek(at(1000.6)));
  EXPECT_LT(levelDb(readStream(*stream, 0.3)), -65);
  // Back to the second note, and to the end, where the stream ends.
  ASSERT_TRUE(stream->seek(at(1.98)));
  EXPECT_GT(levelDb(readStream(*stream, 0.1)), -55);
  ASSERT_TRUE(stream->seek(stream->size() - 6));
  char tail[16];
  EXPECT_EQ(stream->read(tail, sizeof tail), 6);
  EXPECT_EQ(stream->read(tail, sizeof tail), 0);
  EXPECT_FALSE(stream->seek(stream->size() + 1));
}

TEST(MpvMidi, NotesNeverReleasedStopAtTheLastTick) {
  ASSERT_FALSE(soundFont().empty());
  test::TempDir folder;
  auto stream = MidiStream::open(writeFile(folder.path() + "/held.mid", heldNotesMidi()), soundFont());
  ASSERT_TRUE(stream);
  // Half a second of ticks and the tail: the organ does not hold for ever.
  EXPECT_NEAR(stream->seconds(), 0.5 + MidiStream::kTailSeconds, 0.05);
  std::string header(MidiStream::kHeaderBytes, '\0');
  stream->read(header.data(), header.size());
  EXPECT_GT(levelDb(readStream(*stream, 0.4)), -55);
  const std::string rest = readStream(*stream, 10);
  EXPECT_LT(levelDb(rest.substr(rest.size() - 4000)), -60);

  EXPECT_FALSE(MidiStream::open(folder.path() + "/held.mid", ""));
  EXPECT_FALSE(MidiStream::open(folder.path() + "/held.mid", folder.path() + "/none.sf2"));
}

}  // namespace
}  // namespace qm
