#include "integration/audio_tap.h"

#include <cmath>
#include <filesystem>
#include <fstream>
#include <limits>

namespace qm::integration {

std::vector<std::int16_t> RawAudioTap::read() {
  std::error_code ec;
  const std::uintmax_t size = std::filesystem::file_size(path_, ec);
  if (ec) return {};
  if (size < offset_) offset_ = 0;  // written anew
  // Whole samples only; a half-written one is read next time.
  const std::uintmax_t end = size - (size - offset_) % 2;
  std::vector<std::int16_t> samples((end - offset_) / 2);
  std::ifstream in(path_, std::ios::binary);
  in.seekg(static_cast<std::streamoff>(offset_));
  in.read(reinterpret_cast<char*>(samples.data()), static_cast<std::streamsize>(samples.size() * 2));
  samples.resize(static_cast<size_t>(in.gcount()) / 2);
  offset_ += samples.size() * 2;
  return samples;
}

double rmsDb(const std::vector<std::int16_t>& samples) {
  if (samples.empty()) return -std::numeric_limits<double>::infinity();
  double sum = 0;
  for (std::int16_t s : samples) sum += double(s) * double(s);
  const double rms = std::sqrt(sum / double(samples.size())) / 32768.0;
  return rms > 0 ? 20 * std::log10(rms) : -std::numeric_limits<double>::infinity();
}

}  // namespace qm::integration
