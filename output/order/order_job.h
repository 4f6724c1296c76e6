#pragma once

#include <cstddef>
#include <vector>

#include "output/engine/plt_converter.h"

namespace corvane {

// What putting a job into cutting order did.
struct CutOrderFigures {
  double fileTravelMm = 0.0;  // knife-up travel of the job's own order
  double travelMm = 0.0;      // of the cutting order
  std::size_t paths = 0;
  std::vector<std::size_t> placeInCut;  // per path of the job, 0 = cut first
};

// Puts the converter's paths into cutting order (inside first, least
// travel). axesExchanged: the converter holds the intermediate file, whose
// axes are exchanged against the job's, so that both roads cut alike.
CutOrderFigures putInCuttingOrder(PltConverter& job, bool axesExchanged);

}  // namespace corvane
