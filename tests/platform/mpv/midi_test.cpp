// MIDI files: rendered with the soundfont into a cached WAV, then played
// like any audio file.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>

#include "mpv_test_support.h"
#include "platform/mpv/midi_cache.h"
#include "platform/mpv/midi_renderer.h"
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
  const unsigned char header[] = {'M', 'T', 'h', 'd', 0,    0,    0, 6,
                                  0,   0,   0,   1,   0x01, 0xE0,  // 480 ticks a beat
                                  'M', 'T', 'r', 'k', 0,    0,    0, static_cast<unsigned char>(track.size())};
  std::string bytes(reinterpret_cast<const char*>(header), sizeof header);
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

TEST(MpvMidi, RendersAreCachedPerFileVersionAndNeverLeftHalfWritten) {
  ASSERT_FALSE(soundFont().empty());
  test::TempDir folder;
  const std::string cache = folder.path() + "/cache";
  const std::string midi = writeFile(folder.path() + "/song.mid", tinyMidi());
  std::atomic<bool> go{false}, cancelled{true};

  // A cancelled render leaves nothing behind.
  EXPECT_FALSE(renderMidiToWav(midi, soundFont(), cache, cancelled).ok);
  EXPECT_TRUE(fs::is_empty(cache));

  const MidiRender first = renderMidiToWav(midi, soundFont(), cache, go);
  ASSERT_TRUE(first.ok) << first.error;
  // The notes were really synthesised, not silence.
  const auto levels = test::channelRmsDb(first.wavPath);
  ASSERT_FALSE(levels.empty());
  EXPECT_GT(levels[0], -60);
  // The same file again comes from the cache: even a cancelled request has it.
  const MidiRender again = renderMidiToWav(midi, soundFont(), cache, cancelled);
  ASSERT_TRUE(again.ok);
  EXPECT_EQ(again.wavPath, first.wavPath);

  // An edited file is rendered anew.
  writeFile(midi, tinyMidi() + std::string(4, '\0'));
  EXPECT_FALSE(renderMidiToWav(midi, soundFont(), cache, cancelled).ok);

  // Notes never released do not keep the render going: it ends shortly
  // after the last tick (a WAV second is 176400 bytes).
  const std::string held = writeFile(folder.path() + "/held.mid", heldNotesMidi());
  const MidiRender heldRender = renderMidiToWav(held, soundFont(), cache, go);
  ASSERT_TRUE(heldRender.ok) << heldRender.error;
  EXPECT_LT(fs::file_size(heldRender.wavPath), 3 * 176400u);

  EXPECT_FALSE(renderMidiToWav(midi, "", cache, go).ok);
  EXPECT_FALSE(renderMidiToWav(midi, folder.path() + "/none.sf2", cache, go).ok);
}

TEST(MpvMidi, TheCacheDropsTheOldestRendersFirst) {
  test::TempDir folder;
  const auto now = fs::file_time_type::clock::now();
  std::vector<std::string> files;
  for (int i = 0; i < 4; ++i) {
    files.push_back(folder.write("r" + std::to_string(i) + ".wav", std::string(1000, 'x')));
    fs::last_write_time(files.back(), now - std::chrono::hours(10 - i));  // r0 oldest
  }
  // r0 is the oldest but is the one just played: it stays.
  pruneMidiCache(folder.path(), 2500, files[0]);
  EXPECT_TRUE(fs::exists(files[0]));
  EXPECT_FALSE(fs::exists(files[1]));
  EXPECT_FALSE(fs::exists(files[2]));
  EXPECT_TRUE(fs::exists(files[3]));
}

}  // namespace
}  // namespace qm
