#include "platform/mpv/midi_renderer.h"

#include <fluidsynth.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <memory>
#include <mutex>
#include <system_error>

#include "platform/mpv/midi_cache.h"

namespace qm {

namespace fs = std::filesystem;

namespace {

constexpr double kSampleRate = 44100.0;
constexpr int kBlockFrames = 512;
// Notes still sounding at the end of the file get at most this long to fade.
constexpr long kMaxTailFrames = static_cast<long>(kSampleRate) * 2;
// An hour of audio is about 635 MB; longer renders are cut there rather than
// filling the disk.
constexpr long kMaxFrames = static_cast<long>(kSampleRate) * 3600;
constexpr std::uintmax_t kCacheLimitBytes = 512ull * 1024 * 1024;

struct SettingsDeleter {
  void operator()(fluid_settings_t* p) const { delete_fluid_settings(p); }
};
struct SynthDeleter {
  void operator()(fluid_synth_t* p) const { delete_fluid_synth(p); }
};
struct PlayerDeleter {
  void operator()(fluid_player_t* p) const { delete_fluid_player(p); }
};
struct RendererDeleter {
  void operator()(fluid_file_renderer_t* p) const { delete_fluid_file_renderer(p); }
};

// fluidsynth prints its complaints to stderr; failures reach the caller
// through the result instead.
void silenceFluidLog() {
  static std::once_flag once;
  std::call_once(once, [] {
    for (int level = FLUID_PANIC; level < LAST_LOG_LEVEL; ++level) fluid_set_log_function(level, nullptr, nullptr);
  });
}

MidiRender failure(std::string why) { return MidiRender{false, {}, std::move(why)}; }

bool configure(fluid_settings_t* s, const std::string& outPath) {
  return fluid_settings_setstr(s, "audio.file.name", outPath.c_str()) == FLUID_OK &&
         fluid_settings_setstr(s, "audio.file.type", "wav") == FLUID_OK &&
         fluid_settings_setstr(s, "audio.file.format", "s16") == FLUID_OK &&
         fluid_settings_setstr(s, "player.timing-source", "sample") == FLUID_OK &&
         fluid_settings_setnum(s, "synth.sample-rate", kSampleRate) == FLUID_OK &&
         fluid_settings_setint(s, "synth.lock-memory", 0) == FLUID_OK &&
         fluid_settings_setint(s, "audio.period-size", kBlockFrames) == FLUID_OK;
}

// Renders into `outPath`; the file is complete once this returns true.
MidiRender renderFile(const std::string& midiPath, const std::string& soundFont, const std::string& outPath,
                      const std::atomic<bool>& cancel) {
  std::unique_ptr<fluid_settings_t, SettingsDeleter> settings(new_fluid_settings());
  if (!settings || !configure(settings.get(), outPath)) return failure("synthesizer settings refused");
  std::unique_ptr<fluid_synth_t, SynthDeleter> synth(new_fluid_synth(settings.get()));
  if (!synth) return failure("synthesizer not created");
  if (fluid_synth_sfload(synth.get(), soundFont.c_str(), 1) == FLUID_FAILED)
    return failure("soundfont not loaded: " + soundFont);
  std::unique_ptr<fluid_player_t, PlayerDeleter> player(new_fluid_player(synth.get()));
  if (!player || fluid_player_add(player.get(), midiPath.c_str()) != FLUID_OK) return failure("MIDI file not accepted");
  std::unique_ptr<fluid_file_renderer_t, RendererDeleter> renderer(new_fluid_file_renderer(synth.get()));
  if (!renderer) return failure("output file not opened");
  if (fluid_player_play(player.get()) != FLUID_OK) return failure("MIDI file not played");

  // The player would go on while any note still sounds, for ever with a
  // note that is never released; it is followed to the last tick only.
  long frames = 0;
  while (fluid_player_get_status(player.get()) == FLUID_PLAYER_PLAYING && frames < kMaxFrames) {
    const int total = fluid_player_get_total_ticks(player.get());
    if (total > 0 && fluid_player_get_current_tick(player.get()) >= total) break;
    if (cancel.load()) return failure("cancelled");
    if (fluid_file_renderer_process_block(renderer.get()) != FLUID_OK) return failure("render failed");
    frames += kBlockFrames;
  }
  // A file whose tracks could not be read ends at once with no ticks.
  if (fluid_player_get_total_ticks(player.get()) <= 0) return failure("MIDI file holds nothing to play");
  // Notes still sounding are released and get a short time to fade.
  fluid_synth_all_notes_off(synth.get(), -1);
  for (long tail = 0; tail < kMaxTailFrames && fluid_synth_get_active_voice_count(synth.get()) > 0;
       tail += kBlockFrames) {
    if (fluid_file_renderer_process_block(renderer.get()) != FLUID_OK) return failure("render failed");
  }
  renderer.reset();  // closes the WAV and writes its header
  return MidiRender{true, outPath, {}};
}

std::string partName(const fs::path& target) {
  static std::atomic<unsigned> counter{0};
  return target.string() + ".part-" + std::to_string(::getpid()) + "-" + std::to_string(counter++);
}

}  // namespace

bool isMidiPath(const std::string& path) {
  std::string ext = fs::path(path).extension().string();
  std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
  return ext == ".mid" || ext == ".midi";
}

const std::vector<std::string>& defaultSoundFonts() {
  static const std::vector<std::string> fonts = {
      "/usr/share/sounds/sf2/TimGM6mb.sf2",
      "/usr/share/sounds/sf2/FluidR3_GM.sf2",
      "/usr/share/sounds/sf2/default-GM.sf2",
  };
  return fonts;
}

std::string findSoundFont(const std::vector<std::string>& candidates) {
  std::error_code ec;
  for (const std::string& path : candidates)
    if (fs::is_regular_file(path, ec)) return path;
  return {};
}

MidiRender renderMidiToWav(const std::string& midiPath, const std::string& soundFont, const std::string& cacheDir,
                           const std::atomic<bool>& cancel) {
  silenceFluidLog();
  std::error_code ec;
  if (soundFont.empty() || !fs::is_regular_file(soundFont, ec)) return failure("no soundfont");
  if (!fs::is_regular_file(midiPath, ec)) return failure("no such file: " + midiPath);
  if (!fluid_is_midifile(midiPath.c_str())) return failure("not a MIDI file: " + midiPath);
  const std::string name = midiCacheName(midiPath, soundFont);
  if (name.empty()) return failure("cannot read " + midiPath);

  fs::create_directories(cacheDir, ec);
  const fs::path target = fs::path(cacheDir) / name;
  if (fs::is_regular_file(target, ec) && fs::file_size(target, ec) > 44) {
    fs::last_write_time(target, fs::file_time_type::clock::now(), ec);  // recently used: pruned last
    return MidiRender{true, target.string(), {}};
  }

  // Rendered under a private name and renamed when complete, so a cancelled
  // or crashed render never leaves a truncated file under the cache name.
  const std::string part = partName(target);
  MidiRender result = renderFile(midiPath, soundFont, part, cancel);
  if (!result.ok) {
    fs::remove(part, ec);
    return result;
  }
  fs::rename(part, target, ec);
  if (ec) {
    fs::remove(part, ec);
    return failure("cannot write " + target.string());
  }
  pruneMidiCache(cacheDir, kCacheLimitBytes, target.string());
  return MidiRender{true, target.string(), {}};
}

}  // namespace qm
