#pragma once

#include <string>

#include "output/knife/knife_simulation.h"

namespace corvane {

// The stream's preview with the design beneath it in thin grey and the
// blade tip's cut above it in red; rings mark the largest miss and the
// largest overshoot.
std::string renderSvgSimulation(const KnifeSimulation& simulation);

}  // namespace corvane
