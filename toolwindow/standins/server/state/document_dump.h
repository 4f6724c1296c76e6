#pragma once

// The stand-in host's active document as text, for a test to read:
//
//   documents 1
//   layer "Layer 1" printable
//     shape "Curve 1" curve outline CMYK 0,0,0,100 width 0.2 box 10 110 70 20
//   layer "TraceLayer" not-printable
//     shape "TraceLine" curve outline CMYK 0,100,100,0 width 0.2 box 8 112 72 18
//   selection "Curve 1"
//   current-layer "Layer 1"
//
// One line per layer in the host's order, one per shape bottom to top
// (kind curve, open-curve when no path is closed, or bitmap), the box as
// left right top bottom in page millimetres, numbers in shortest form.
// "documents 0" alone when none is open.

#include <string>

#include "toolwindow/standins/host/standin_host.h"

namespace corvane::standin_server {

std::string documentText(const standin::StandInHost& host);

// Writes the text, and the SVG picture when svgPath is not empty, each
// whole or not at all.
host::HostStatus writeDocument(const standin::StandInHost& host, const std::string& textPath,
                               const std::string& svgPath);

}  // namespace corvane::standin_server
