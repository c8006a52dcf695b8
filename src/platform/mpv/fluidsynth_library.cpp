#include "platform/mpv/fluidsynth_library.h"

#include <dlfcn.h>

#include <initializer_list>

namespace qm {

namespace {

const FluidSynthLibrary* load() {
  void* handle = nullptr;
  for (const char* name : {"libfluidsynth.so.3", "libfluidsynth.so"})
    if ((handle = dlopen(name, RTLD_NOW | RTLD_LOCAL))) break;
  if (!handle) return nullptr;
  static FluidSynthLibrary library;
  bool complete = true;
#define QM_FLUIDSYNTH_BIND(name)                                            \
  library.name = reinterpret_cast<decltype(&::name)>(dlsym(handle, #name)); \
  complete = complete && library.name;
  QM_FLUIDSYNTH_CALLS(QM_FLUIDSYNTH_BIND)
#undef QM_FLUIDSYNTH_BIND
  if (complete) return &library;  // kept loaded for the rest of the run
  dlclose(handle);
  return nullptr;
}

}  // namespace

const FluidSynthLibrary* fluidSynthLibrary() {
  static const FluidSynthLibrary* const library = load();
  return library;
}

}  // namespace qm
