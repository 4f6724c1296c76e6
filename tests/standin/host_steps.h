#pragma once

// Host steps the stand-in's tests share, taken through DrawingHost the way
// the tool window takes them. A step the host refuses fails the test.

#include <gtest/gtest.h>

#include <string_view>
#include <utility>

#include "toolwindow/host/drawing_host.h"

namespace corvane::testing {

// One plotter unit: geometry is checked to this.
inline constexpr double kPlotterUnitMm = 0.025;

template <class T>
T ok(host::HostResult<T> result) {
  if (!result.ok()) {
    ADD_FAILURE() << result.error().operation << ": " << result.error().text;
    return T{};
  }
  return std::move(result).value();
}

inline void ok(const host::HostStatus& status) {
  if (!status.ok()) ADD_FAILURE() << status.error().operation << ": " << status.error().text;
}

inline void measure(host::DrawingHost& host) {
  ok(host.SetMeasuringState(ok(host.GetActiveDocument()), 0, 0, host::kUnitMillimetres,
                            host::kReferenceTopLeft));
}

inline host::Shape shapeOn(host::DrawingHost& host, std::string_view layer, std::string_view name) {
  return ok(host.FindLayerShape(ok(host.FindPageLayer(layer)), name));
}

// The contour effect as the trace asks for it (outward, one step, mitered
// corners up to 15 degrees), separated: the outside contour.
inline host::Shape outsideContour(host::DrawingHost& host, const host::Shape& shape,
                                  double offset) {
  const host::Colour black = ok(host.NewCmykColour(0, 0, 0, 100));
  const host::ContourArguments arguments{1, offset, 1, 0, black, black, black, 0, 0, 2, 4, 15.0};
  const host::ShapeRange parts =
      ok(host.SeparateEffect(ok(host.AddContourEffect(shape, arguments))));
  return ok(host.RangeItem(parts, 1));
}

}  // namespace corvane::testing
