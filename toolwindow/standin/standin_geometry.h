#pragma once

// The stand-in host's geometry: union, offsetting, mask tracing and line
// clipping, done by Boost.Geometry in one translation unit. Paths are page
// millimetres; areas follow the even-odd rule over a shape's closed paths,
// as a drawing application fills a curve of several subpaths.

#include <cstdint>
#include <vector>

#include "toolwindow/host/host_result.h"
#include "toolwindow/standin/standin_host.h"

namespace corvane::standin::geometry {

using Paths = std::vector<Path>;

struct ContourStyle {
  enum class Join : std::uint8_t { Miter, Round, Bevel };
  enum class Cap : std::uint8_t { Flat, Round, Square };
  Join join = Join::Miter;
  // The longest miter, as a multiple of the distance, before it is cut off.
  double miterRatio = 5;
  Cap cap = Cap::Flat;
};

// The outline of the union of the shapes' closed areas: outer rings and
// holes, as closed paths. Fails when no shape has a closed area, or when an
// outline crosses itself.
host::HostResult<Paths> unionOutline(const std::vector<Paths>& shapes);

// The outline at `distance` from the shape: outside for a positive distance,
// inside for a negative one. Open paths are widened on both sides (outside
// only). Fails when nothing is left.
host::HostResult<Paths> offsetOutline(const Paths& shape, double distance,
                                      const ContourStyle& style);

// One outline per blob of set pixels, holes included, along the pixel edges.
std::vector<Paths> traceMask(const BitmapMask& mask);

// The union of the shapes' closed areas with their open paths as they are,
// for a welding export.
Paths welded(const std::vector<Paths>& shapes);

// Each shape's lines without the parts that the closed areas of the shapes
// above it cover (shapes bottom to top).
std::vector<Paths> withoutHiddenLines(const std::vector<Paths>& shapes);

// The paths with points dropped wherever the line moves less than
// `tolerance` away from them.
Paths simplified(const Paths& shape, double tolerance);

// The even-odd area of the closed paths.
double enclosedArea(const Paths& shape);

}  // namespace corvane::standin::geometry
