#pragma once

#include <string_view>
#include <vector>

#include "output/knife/cut_figures.h"
#include "output/knife/knife_path.h"
#include "output/preview/stream_trace.h"

namespace corvane {

inline constexpr double kKnifeUnitsPerMm = 40.0;

// A stream as the cutter runs it with a drag knife, against the design it
// was made from (the intermediate file: the job's pen-down paths in the
// stream's axes).
struct KnifeSimulation {
  StreamTrace holder;            // the holder's path: the stream itself
  std::vector<KnifeRun> design;  // pen-down paths of the intermediate file
  KnifeCut cut;                  // what the blade's tip cuts
  CutFigures figures;
};

KnifeSimulation simulateStream(std::string_view stream, std::string_view intermediate,
                               double bladeMm, double headingDegrees);

}  // namespace corvane
