#pragma once

#include <fluidsynth.h>

// The calls of libfluidsynth the MIDI stream makes.
// clang-format off
#define QM_FLUIDSYNTH_CALLS(X) \
  X(fluid_set_log_function) X(new_fluid_settings) X(delete_fluid_settings) \
  X(fluid_settings_setstr) X(fluid_settings_setnum) X(fluid_settings_setint) \
  X(new_fluid_synth) X(delete_fluid_synth) X(fluid_synth_sfload) \
  X(fluid_synth_system_reset) X(fluid_synth_get_gain) X(fluid_synth_set_gain) \
  X(fluid_synth_write_s16) X(fluid_synth_all_sounds_off) X(fluid_synth_all_notes_off) \
  X(new_fluid_player) X(delete_fluid_player) X(fluid_player_add_mem) \
  X(fluid_player_play) X(fluid_player_stop) X(fluid_player_seek)
// clang-format on

namespace qm {

// libfluidsynth, loaded the first time a MIDI file plays: a player that
// never plays MIDI maps neither it nor what it brings along (libinstpatch,
// readline, PulseAudio's simple API), and starts without relocating them.
struct FluidSynthLibrary {
#define QM_FLUIDSYNTH_POINTER(name) decltype(&::name) name = nullptr;
  QM_FLUIDSYNTH_CALLS(QM_FLUIDSYNTH_POINTER)
#undef QM_FLUIDSYNTH_POINTER
};

// The library, loaded on the first call; null when it cannot be loaded or
// lacks a call, and MIDI files then fail to open.
const FluidSynthLibrary* fluidSynthLibrary();

}  // namespace qm
