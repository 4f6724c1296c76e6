#pragma once

#include <filesystem>

#include "toolwindow/context/tool_failure.h"
#include "toolwindow/host/drawing_host.h"

namespace corvane::toolwindow {

// Has the host write the current selection into the job file through its
// PLT filter at 40 plotter units per millimetre. The same call and values
// for Cut/Plot and Cut Contour.
// The earlier job file goes first, and a failed export leaves none.
ToolStatus ExportSelectionAsPlt(host::DrawingHost& host, const std::filesystem::path& jobFile);

}  // namespace corvane::toolwindow
