#pragma once

#include <filesystem>
#include <optional>

#include "output/engine/command_writer.h"
#include "output/knife/knife_simulation.h"

namespace corvane {

// The knife's cut of the stream that the given corner options, and the cut
// order when `inCuttingOrder`, would build from the intermediate file, built
// in memory: the stream file on disk is neither written nor read. Nothing
// when the file cannot be read or the options build no stream (both
// distances 0).
std::optional<KnifeSimulation> simulateCornerOptions(const std::filesystem::path& plainFile,
                                                     Dialect dialect, std::optional<double> angleMm,
                                                     std::optional<double> closedMm,
                                                     bool inCuttingOrder, double bladeMm,
                                                     double headingDegrees = 0);

}  // namespace corvane
