#pragma once

#include <cstdint>

namespace corvane {

// One point of the path model, in plotter units (40 units = 1 mm).
struct PathPoint {
  std::int32_t x = 0;
  std::int32_t y = 0;
  std::uint8_t penUp = 0;  // 1: a move to this point, 0: a cut to it

  friend bool operator==(const PathPoint&, const PathPoint&) = default;
};

inline bool samePosition(const PathPoint& a, const PathPoint& b) {
  return a.x == b.x && a.y == b.y;
}

}  // namespace corvane
