#pragma once

// SVG drawings on the terminal: opened as the stand-in host's document,
// and printed back with the registration marks the tool window added.

#include <string>

#include "toolwindow/standins/host/standin_host.h"
#include "toolwindow/standins/svg/svg_drawing.h"

namespace corvane::toolwindow {

// A drawing file whose name ends in .svg (in any letter case).
bool IsSvgDrawing(const std::string& path);

// Reads the file into `drawing` and opens it as a new active document of
// the host: its layers in document order (shapes outside every layer on
// "Layer 1"), each shape named by its element id or "Curve N". What was
// left out is told on stderr. False, with the reason on stderr, when the
// file cannot be read or is no drawing.
bool OpenSvgDrawing(standin::StandInHost& host, const std::string& path,
                    standin::svg::SvgDrawing& drawing);

// Writes the print file: the drawing with the shapes of the host's
// "MarkLayer" in a layer of their own. False, with the reason on stderr,
// when nothing was written.
bool WriteSvgPrintFile(const standin::StandInHost& host, const standin::svg::SvgDrawing& drawing,
                       const std::string& path);

}  // namespace corvane::toolwindow
