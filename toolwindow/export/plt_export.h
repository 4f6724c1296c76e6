#pragma once

#include <filesystem>

#include "toolwindow/host/drawing_host.h"

namespace corvane::toolwindow {

// Has the host write the current selection into the job file through its
// PLT filter at 40 plotter units per millimetre. The same call and values
// for Cut/Plot and Cut Contour.
host::HostStatus ExportSelectionAsPlt(host::DrawingHost& host,
                                      const std::filesystem::path& jobFile);

}  // namespace corvane::toolwindow
