#include "output/knife/knife_simulation.h"

namespace corvane {

KnifeSimulation simulateStream(std::string_view stream, std::string_view intermediate,
                               double bladeMm, double headingDegrees) {
  KnifeSimulation simulation;
  simulation.holder = traceStream(stream);
  simulation.design = penDownRuns(traceStream(intermediate));
  simulation.cut = simulateKnife(simulation.holder, bladeMm * kKnifeUnitsPerMm, headingDegrees);
  simulation.figures = measureCut(simulation.design, simulation.cut);
  return simulation;
}

}  // namespace corvane
