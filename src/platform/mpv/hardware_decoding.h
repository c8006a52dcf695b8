#pragma once

#include <string>

namespace qm {

// libmpv's hwdec option for this machine: decoding on the graphics hardware
// with the frames copied back ("auto-copy", as the engine draws on the CPU)
// where the machine has a device for it (a DRM render node for VA-API and
// VDPAU, an NVIDIA device for NVDEC); empty where it has none, so nothing
// is probed for.
std::string hardwareDecodingOption();

}  // namespace qm
