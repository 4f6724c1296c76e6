#pragma once

#include "toolwindow/host/drawing_host.h"

// Host steps that several tool-window operations share.
namespace corvane::toolwindow {

// The active document, put into the measuring state every geometry
// operation starts from: origin 0, 0; millimetres; top-left reference point.
host::HostResult<host::Document> EnterMeasuringState(host::DrawingHost& host);

// Whether the active page has a layer "TraceLayer" holding at least one
// shape. Every layer is visited, so a later layer of that name counts too.
host::HostResult<bool> ContourPresent(host::DrawingHost& host);

}  // namespace corvane::toolwindow
