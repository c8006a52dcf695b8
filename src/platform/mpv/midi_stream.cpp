#include "platform/mpv/midi_stream.h"

#include <mpv/client.h>
#include <mpv/stream_cb.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <limits>
#include <mutex>
#include <system_error>

#include "platform/mpv/fluidsynth_library.h"
#include "platform/mpv/midi_timeline.h"

namespace qm {

namespace fs = std::filesystem;

namespace {

constexpr const char* kProtocol = "qmmidi";
// Real MIDI files are a few hundred kilobytes at most.
constexpr std::uintmax_t kMaxFileBytes = 16u << 20;
// The WAV length field is 32 bits: about six and a half hours of sound.
constexpr std::int64_t kMaxFrames = (std::int64_t{0xFFFFFFFF} - MidiStream::kHeaderBytes) / MidiStream::kBytesPerFrame;
constexpr std::int64_t kRenderBlock = 4096;

// Only called once fluidSynthLibrary() gave the library: objects exist only
// then.
const FluidSynthLibrary& fluid() { return *fluidSynthLibrary(); }

struct SettingsDeleter {
  void operator()(fluid_settings_t* p) const { fluid().delete_fluid_settings(p); }
};
struct SynthDeleter {
  void operator()(fluid_synth_t* p) const { fluid().delete_fluid_synth(p); }
};
struct PlayerDeleter {
  void operator()(fluid_player_t* p) const { fluid().delete_fluid_player(p); }
};

// fluidsynth prints its complaints to stderr; failures reach the caller
// through the result instead.
void silenceFluidLog() {
  static std::once_flag once;
  std::call_once(once, [] {
    for (int level = FLUID_PANIC; level < LAST_LOG_LEVEL; ++level)
      fluid().fluid_set_log_function(level, nullptr, nullptr);
  });
}

void put32(char* at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) at[i] = static_cast<char>(v >> (8 * i) & 0xFF);
}
void put16(char* at, std::uint16_t v) {
  at[0] = static_cast<char>(v & 0xFF);
  at[1] = static_cast<char>(v >> 8);
}

std::unique_ptr<MidiStream> failure(std::string* error, std::string why) {
  if (error) *error = std::move(why);
  return nullptr;
}

}  // namespace

// The synthesizer with the soundfont loaded, and the sequencer playing the
// file on it; the sequencer is driven by the rendered samples, not a clock.
struct MidiStream::Engine {
  std::unique_ptr<fluid_settings_t, SettingsDeleter> settings;
  std::unique_ptr<fluid_synth_t, SynthDeleter> synth;
  std::unique_ptr<fluid_player_t, PlayerDeleter> player;
};

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

std::unique_ptr<MidiStream> MidiStream::open(const std::string& midiPath, const std::string& soundFont,
                                             std::string* error) {
  if (!fluidSynthLibrary()) return failure(error, "no libfluidsynth");
  silenceFluidLog();
  std::error_code ec;
  if (soundFont.empty() || !fs::is_regular_file(soundFont, ec)) return failure(error, "no soundfont");
  if (!fs::is_regular_file(midiPath, ec)) return failure(error, "no such file: " + midiPath);
  const std::uintmax_t fileBytes = fs::file_size(midiPath, ec);
  if (ec || fileBytes > kMaxFileBytes) return failure(error, "not a MIDI file of a usable size: " + midiPath);
  std::string bytes(fileBytes, '\0');
  std::ifstream in(midiPath, std::ios::binary);
  if (!in.read(bytes.data(), static_cast<std::streamsize>(bytes.size())))
    return failure(error, "cannot read " + midiPath);
  const auto timeline = MidiTimeline::read(bytes);
  if (!timeline || timeline->endTick() <= 0) return failure(error, "not a MIDI file with notes: " + midiPath);

  auto engine = std::make_unique<Engine>();
  engine->settings.reset(fluid().new_fluid_settings());
  fluid_settings_t* s = engine->settings.get();
  if (!s || fluid().fluid_settings_setstr(s, "player.timing-source", "sample") != FLUID_OK ||
      fluid().fluid_settings_setnum(s, "synth.sample-rate", kSampleRate) != FLUID_OK ||
      fluid().fluid_settings_setint(s, "synth.lock-memory", 0) != FLUID_OK)
    return failure(error, "synthesizer settings refused");
  engine->synth.reset(fluid().new_fluid_synth(s));
  if (!engine->synth) return failure(error, "synthesizer not created");
  if (fluid().fluid_synth_sfload(engine->synth.get(), soundFont.c_str(), 1) == FLUID_FAILED)
    return failure(error, "soundfont not loaded: " + soundFont);

  const auto musicFrames =
      std::min(kMaxFrames, static_cast<std::int64_t>(std::ceil(timeline->seconds() * kSampleRate)));
  std::unique_ptr<MidiStream> stream(new MidiStream(std::move(bytes), *timeline, musicFrames, std::move(engine)));
  stream->startAt(0);
  if (!stream->engine_->player) return failure(error, "MIDI file not accepted: " + midiPath);
  return stream;
}

MidiStream::MidiStream(std::string bytes, MidiTimeline timeline, std::int64_t musicFrames,
                       std::unique_ptr<Engine> engine)
    : midi_(std::move(bytes)),
      timeline_(std::move(timeline)),
      musicFrames_(musicFrames),
      totalFrames_(std::min(kMaxFrames, musicFrames + static_cast<std::int64_t>(kTailSeconds * kSampleRate))),
      engine_(std::move(engine)) {
  writeHeader();
}

MidiStream::~MidiStream() {
  if (engine_) engine_->player.reset();  // before the synthesizer it plays on
}

void MidiStream::writeHeader() {
  const auto dataBytes = static_cast<std::uint32_t>(totalFrames_ * kBytesPerFrame);
  std::memcpy(header_, "RIFF", 4);
  put32(header_ + 4, 36 + dataBytes);
  std::memcpy(header_ + 8, "WAVEfmt ", 8);
  put32(header_ + 16, 16);  // the format chunk's size
  put16(header_ + 20, 1);   // integer PCM
  put16(header_ + 22, 2);   // channels
  put32(header_ + 24, kSampleRate);
  put32(header_ + 28, kSampleRate * kBytesPerFrame);
  put16(header_ + 32, kBytesPerFrame);
  put16(header_ + 34, 16);  // bits a sample
  std::memcpy(header_ + 36, "data", 4);
  put32(header_ + 40, dataBytes);
}

// A fresh sequencer from the start of the file, moved to the tick at
// `frame`: controllers and programs before it apply, notes before it do not
// sound. Past the last tick only silence follows.
void MidiStream::startAt(std::int64_t frame) {
  fluid_synth_t* synth = engine_->synth.get();
  engine_->player.reset();
  fluid().fluid_synth_system_reset(synth);
  frame_ = frame;
  cachedFrame_ = -1;
  if (frame >= musicFrames_) return;
  std::unique_ptr<fluid_player_t, PlayerDeleter> player(fluid().new_fluid_player(synth));
  if (!player || fluid().fluid_player_add_mem(player.get(), midi_.data(), midi_.size()) != FLUID_OK ||
      fluid().fluid_player_play(player.get()) != FLUID_OK)
    return;
  engine_->player = std::move(player);
  if (frame == 0) return;
  // The sequencer reads the file at its first step; only then does it
  // know where a tick lies. That step is silenced, so that no note of the
  // file's start reaches the reverb and sounds on after the seek.
  const float gain = fluid().fluid_synth_get_gain(synth);
  fluid().fluid_synth_set_gain(synth, 0);
  std::int16_t scratch[64 * 2];
  fluid().fluid_synth_write_s16(synth, 64, scratch, 0, 2, scratch, 1, 2);
  fluid().fluid_synth_set_gain(synth, gain);
  // The sequencer counts ticks in an int.
  const long tick = std::min<long>(timeline_.tickAt(double(frame) / kSampleRate), std::numeric_limits<int>::max());
  fluid().fluid_player_seek(engine_->player.get(), static_cast<int>(tick));
  fluid().fluid_synth_all_sounds_off(synth, -1);
}

void MidiStream::render(std::int16_t* out, std::int64_t frames) {
  fluid_synth_t* synth = engine_->synth.get();
  while (frames > 0) {
    std::int64_t block = std::min(frames, kRenderBlock);
    // The sequencer stops at the last tick, even with notes never released,
    // and what sounds then fades for the tail.
    if (frame_ < musicFrames_) block = std::min(block, musicFrames_ - frame_);
    if (frame_ == musicFrames_ && engine_->player) {
      fluid().fluid_player_stop(engine_->player.get());
      engine_->player.reset();
      fluid().fluid_synth_all_notes_off(synth, -1);
    }
    fluid().fluid_synth_write_s16(synth, static_cast<int>(block), out, 0, 2, out, 1, 2);
    out += block * 2;
    frames -= block;
    frame_ += block;
  }
}

std::int64_t MidiStream::read(char* out, std::uint64_t bytes) {
  std::uint64_t done = 0;
  while (done < bytes && position_ < size()) {
    const std::uint64_t wanted = bytes - done;
    if (position_ < kHeaderBytes) {
      const auto n = std::min<std::uint64_t>(wanted, kHeaderBytes - position_);
      std::memcpy(out + done, header_ + position_, n);
      done += n;
      position_ += static_cast<std::int64_t>(n);
      continue;
    }
    const std::int64_t frame = (position_ - kHeaderBytes) / kBytesPerFrame;
    const int within = static_cast<int>((position_ - kHeaderBytes) % kBytesPerFrame);
    if (within == 0 && wanted >= kBytesPerFrame) {
      if (frame != frame_) startAt(frame);
      const auto frames = std::min<std::int64_t>(static_cast<std::int64_t>(wanted / kBytesPerFrame),
                                                 std::min(totalFrames_ - frame, kRenderBlock * 16));
      // The output is 16-bit aligned whenever libmpv's buffer is; otherwise
      // the frames go through an aligned block.
      if (reinterpret_cast<std::uintptr_t>(out + done) % alignof(std::int16_t) == 0) {
        render(reinterpret_cast<std::int16_t*>(out + done), frames);
      } else {
        std::vector<std::int16_t> aligned(static_cast<std::size_t>(frames) * 2);
        render(aligned.data(), frames);
        std::memcpy(out + done, aligned.data(), static_cast<std::size_t>(frames) * kBytesPerFrame);
      }
      done += static_cast<std::uint64_t>(frames) * kBytesPerFrame;
      position_ += frames * kBytesPerFrame;
      continue;
    }
    // A read that starts or ends inside a frame.
    if (cachedFrame_ != frame) {
      if (frame != frame_) startAt(frame);
      render(cached_, 1);
      cachedFrame_ = frame;
    }
    const auto n = std::min<std::uint64_t>(wanted, kBytesPerFrame - within);
    std::memcpy(out + done, reinterpret_cast<const char*>(cached_) + within, n);
    done += n;
    position_ += static_cast<std::int64_t>(n);
  }
  return static_cast<std::int64_t>(done);
}

bool MidiStream::seek(std::int64_t position) {
  if (position < 0 || position > size()) return false;
  position_ = position;  // the synthesizer moves at the next read, if it must
  return true;
}

// --- libmpv's side ---------------------------------------------------------------

namespace {

MidiStream* cookieStream(void* cookie) { return static_cast<MidiStream*>(cookie); }

int openStream(void*, char* uri, mpv_stream_cb_info* info) {
  const std::string prefix = std::string(kProtocol) + "://";
  const std::string text(uri);
  if (text.rfind(prefix, 0) != 0) return MPV_ERROR_LOADING_FAILED;
  auto stream = MidiStream::open(text.substr(prefix.size()), findSoundFont(defaultSoundFonts()));
  if (!stream) return MPV_ERROR_LOADING_FAILED;
  info->cookie = stream.release();
  info->read_fn = [](void* cookie, char* buf, std::uint64_t bytes) -> std::int64_t {
    return cookieStream(cookie)->read(buf, bytes);
  };
  info->seek_fn = [](void* cookie, std::int64_t offset) -> std::int64_t {
    return cookieStream(cookie)->seek(offset) ? offset : std::int64_t{MPV_ERROR_GENERIC};
  };
  info->size_fn = [](void* cookie) -> std::int64_t { return cookieStream(cookie)->size(); };
  info->close_fn = [](void* cookie) { delete cookieStream(cookie); };
  return 0;
}

}  // namespace

bool addMidiProtocol(mpv_handle* mpv) { return mpv_stream_cb_add_ro(mpv, kProtocol, nullptr, &openStream) >= 0; }

std::string midiStreamUri(const std::string& path) { return std::string(kProtocol) + "://" + path; }

}  // namespace qm
