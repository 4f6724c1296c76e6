#pragma once

#include <cstddef>
#include <vector>

#include "output/engine/path_point.h"

// Generated jobs for the cut order, shaped like real work, in the model's
// units after mirroring. Deterministic for a seed.
namespace corvane::testing {

// A sheet of round and square stickers, some with a shape inside, in the
// order of a shuffled drawing.
std::vector<PathPoint> stickerSheet(std::size_t shapes, unsigned seed = 1);
// Rows of lettering: each letter an outline, many with a counter, exported
// outline first; a few open strokes.
std::vector<PathPoint> lettering(std::size_t paths, unsigned seed = 1);
// A fabric-nesting marker: irregular pieces side by side, with notches and
// drill lines inside them, in the order the pieces were placed.
std::vector<PathPoint> marker(std::size_t paths, unsigned seed = 1);

}  // namespace corvane::testing
