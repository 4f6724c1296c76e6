#pragma once

#include <ostream>

#include "output/engine/path_point.h"

namespace corvane {

// Failed expectations print points as (x,y,up) or (x,y,down).
inline void PrintTo(const PathPoint& p, std::ostream* os) {
  *os << '(' << p.x << ',' << p.y << ',' << (p.penUp ? "up" : "down") << ')';
}

inline PathPoint up(int x, int y) { return {x, y, 1}; }
inline PathPoint down(int x, int y) { return {x, y, 0}; }

}  // namespace corvane
