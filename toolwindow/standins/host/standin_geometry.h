#pragma once

// The stand-in host's geometry: union, offsetting, mask tracing and line
// clipping, done by Boost.Geometry. Paths are page millimetres; areas follow
// the even-odd rule within a closed path that crosses itself and over a
// shape's closed paths, as a drawing application fills a curve.

#include <cstdint>
#include <vector>

#include "toolwindow/host/host_result.h"
#include "toolwindow/standins/host/standin_host.h"

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

// The boundary of the shapes: the outline of the union of their closed
// areas (outer rings and holes, as closed paths), then their lines as they
// are (open paths, and spikes of closed paths drawn out and back). Fails
// when the shapes enclose no area and have no lines.
host::HostResult<Paths> unionOutline(const std::vector<Paths>& shapes);

// The outline at `distance` from the shape: outside for a positive distance,
// inside for a negative one. Open paths (and spikes drawn out and back) are
// widened on both sides, with the style's ends (outside only). Fails when
// nothing is left.
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
