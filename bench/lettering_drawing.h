#pragma once

#include <cstddef>
#include <vector>

#include "toolwindow/standins/host/standin_host.h"

namespace corvane::bench {

// Stencil lettering as a drawing application holds it after converting text
// to curves: rows of 10 mm letters, each letter one or two shapes (a stencil
// letter is cut into pieces by its bridges), bowls with counters as holes,
// curves broken into short segments, straight strokes with sharp corners.
// Neighbouring letters are 1.5 mm apart, so a 2 mm contour joins each word.
// About `points` points in all, over about points / 31 shapes.
// Deterministic for a seed.
std::vector<std::vector<standin::Path>> letteringShapes(std::size_t points, unsigned seed = 1);

}  // namespace corvane::bench
