#pragma once

// Curves flattened into straight segments on the page, each within a given
// distance of the curve. Every point lies on the curve; the bound holds for
// the segments between them (chord error <= h^2/8 * max|B''| for a
// parameter step h).

#include <vector>

#include "toolwindow/host/drawing_host.h"

namespace corvane::standin::svg {

// An affine map: x' = a x + c y + e, y' = b x + d y + f (SVG's matrix order).
struct Affine {
  double a = 1, b = 0, c = 0, d = 1, e = 0, f = 0;

  host::Point apply(double x, double y) const;
  // This map after `inner`: (this * inner)(p) = this(inner(p)).
  Affine after(const Affine& inner) const;
};

// Each appends the points after the start point `from` (which the caller
// has already placed).
void appendQuadratic(std::vector<host::Point>& out, host::Point from, host::Point control,
                     host::Point to, double tolerance);
void appendCubic(std::vector<host::Point>& out, host::Point from, host::Point control1,
                 host::Point control2, host::Point to, double tolerance);

// An SVG arc, given in user units as the path gives it (radii, x-axis
// rotation in degrees, flags, end point), drawn through `toPage`.
struct ArcSegment {
  host::Point from;
  double rx = 0;
  double ry = 0;
  double rotationDegrees = 0;
  bool largeArc = false;
  bool sweep = false;
  host::Point to;
};
void appendArc(std::vector<host::Point>& out, const ArcSegment& arc, const Affine& toPage,
               double tolerance);

}  // namespace corvane::standin::svg
