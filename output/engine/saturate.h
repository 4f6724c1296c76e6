#pragma once

#include <cmath>
#include <cstdint>
#include <limits>

namespace corvane {

// Coordinates are 32-bit everywhere in a job. Arithmetic on them is done in
// 64 bits or in double and brought back here, so that a job with coordinates
// near the limits gives clamped coordinates instead of wrapped ones.
inline std::int32_t saturateToInt32(std::int64_t value) {
  constexpr std::int64_t lo = std::numeric_limits<std::int32_t>::min();
  constexpr std::int64_t hi = std::numeric_limits<std::int32_t>::max();
  return static_cast<std::int32_t>(value < lo ? lo : (value > hi ? hi : value));
}

// Truncates toward zero, as every computed coordinate is, then clamps.
// NaN cannot arise from finite 32-bit inputs; it maps to 0 all the same.
inline std::int32_t truncToInt32(double value) {
  if (std::isnan(value)) return 0;
  constexpr double lo = std::numeric_limits<std::int32_t>::min();
  constexpr double hi = std::numeric_limits<std::int32_t>::max();
  if (value <= lo) return std::numeric_limits<std::int32_t>::min();
  if (value >= hi) return std::numeric_limits<std::int32_t>::max();
  return static_cast<std::int32_t>(value);
}

}  // namespace corvane
