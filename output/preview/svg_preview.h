#pragma once

#include <string>
#include <string_view>

#include "output/preview/stream_trace.h"

namespace corvane {

// An SVG picture of a traced stream in millimetres: cuts as solid lines,
// pen-up travel dashed. X runs to the right and Y upwards, as on the cutter.
// `under` and `over` are further SVG elements drawn beneath and above the
// stream's paths, in the same millimetre coordinates.
std::string renderSvgPreview(const StreamTrace& trace, std::string_view under = {},
                             std::string_view over = {});

// "Cx,y " for a point in plotter units, in the picture's coordinates.
void appendSvgPoint(std::string& out, char command, double x, double y);

}  // namespace corvane
