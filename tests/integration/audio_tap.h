#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace qm::integration {

// Follows a raw 16-bit sound file while an engine writes it in real time
// (SDL's disk driver), like `tail -f`: each read() takes what was appended
// since the last one. A file written anew from its start (the driver opened
// again) is followed from its new start.
class RawAudioTap {
 public:
  explicit RawAudioTap(std::string path) : path_(std::move(path)) {}
  // The samples appended since the last read.
  std::vector<std::int16_t> read();

 private:
  std::string path_;
  std::uintmax_t offset_ = 0;
};

// RMS level of the samples in dB of full scale; -infinity for silence or no
// samples.
double rmsDb(const std::vector<std::int16_t>& samples);

}  // namespace qm::integration
