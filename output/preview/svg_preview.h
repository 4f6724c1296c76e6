#pragma once

#include <string>

#include "output/preview/stream_trace.h"

namespace corvane {

// An SVG picture of a traced stream in millimetres: cuts as solid lines,
// pen-up travel dashed. X runs to the right and Y upwards, as on the cutter.
std::string renderSvgPreview(const StreamTrace& trace);

}  // namespace corvane
