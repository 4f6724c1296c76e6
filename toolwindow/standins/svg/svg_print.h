#pragma once

// The print file of an SVG drawing: the drawing's own text, byte for byte,
// with the registration marks added as one more layer on top ("MarkLayer",
// an Inkscape layer), inserted just before the root's end tag. The marks
// are written in the root's user units at their exact place, so the sheet
// printed at 100 % carries them where the cut job's frame expects them.

#include <string>
#include <vector>

#include "toolwindow/host/host_result.h"
#include "toolwindow/standins/svg/svg_drawing.h"

namespace corvane::standin::svg {

// `marks` in page millimetres, drawn with an outline of `outlineWidthMm`;
// without marks the print file is the drawing itself.
// Fails when the drawing already holds a layer or shape of the marks' ids
// (a print file opened as the drawing), or has no end tag to write before.
host::HostResult<std::string> printFileText(const SvgDrawing& drawing,
                                            const std::vector<Path>& marks, double outlineWidthMm);

}  // namespace corvane::standin::svg
