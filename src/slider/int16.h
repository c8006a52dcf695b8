#pragma once

#include <cstdint>
#include <optional>

namespace qm {

// The slider keeps its lengths in 16-bit fields; a result that does not fit
// is an overflow error, reported as an empty optional.
inline std::optional<std::int16_t> toInt16(long long v) {
  if (v < INT16_MIN || v > INT16_MAX) return std::nullopt;
  return static_cast<std::int16_t>(v);
}

inline bool fitsInt16(long long v) { return toInt16(v).has_value(); }

inline std::optional<std::int16_t> add16(long long a, long long b) { return toInt16(a + b); }

inline std::optional<std::int16_t> mul16(long long a, long long b) { return toInt16(a * b); }

}  // namespace qm
