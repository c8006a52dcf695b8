#pragma once

#include <string>
#include <vector>

namespace qm::live {

// The test tone at volume 50 comes out near -42 dB; a silenced channel is
// all zeros (-inf dB). Anything above kAudibleDb sounds, below kSilentDb is
// silence.
inline constexpr double kAudibleDb = -50;
inline constexpr double kSilentDb = -80;

// Per-channel RMS levels in dB from `sox <input> <file> -n <effects> stats`;
// empty when sox could not read the file. `soxInput` holds format arguments
// for raw files, `effects` e.g. a trim.
std::vector<double> channelRmsDb(const std::string& file, const std::vector<std::string>& soxInput = {},
                                 const std::vector<std::string>& effects = {});

// Raw samples as SDL's disk audio driver writes them when the engine is
// asked for 16-bit stereo at 44.1 kHz.
inline const std::vector<std::string> kRawStereo16 = {"-t",     "raw", "-r", "44100", "-e",
                                                      "signed", "-b",  "16", "-c",    "2"};
inline constexpr int kRawStereo16BytesPerSecond = 44100 * 4;

}  // namespace qm::live
