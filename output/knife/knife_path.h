#pragma once

// A drag knife's blade tip trails the axis of its holder by the blade
// offset r. The cutter moves the holder along the stream; the tip follows:
// - knife down, holder moving: the tip is pulled along the line from tip to
//   holder and stays at most r behind it. For a straight holder move this is
//   a tractrix; while the holder stays within r of the tip (a swing round a
//   vertex) the tip does not move;
// - knife up: the blade keeps its heading (the direction from tip to holder);
// - knife down with the holder at H: the tip lands at H - r * heading.
// Coordinates are plotter units in the stream's own axes.

#include <vector>

#include "output/preview/stream_trace.h"

namespace corvane {

struct KnifePoint {
  double x = 0;
  double y = 0;
};

// One path the knife cuts without lifting: at least one point (a run that
// never moves the tip is a dot where the blade went in).
using KnifeRun = std::vector<KnifePoint>;

// The pen-down runs of a traced stream as polylines, repeated points dropped.
std::vector<KnifeRun> penDownRuns(const StreamTrace& trace);

struct KnifeCut {
  std::vector<KnifeRun> runs;  // the tip's path, one polyline per pen-down run
  double length = 0;           // of the tip's path, exact (not of the polyline)
};

// Largest distance of the tip's polyline from the curve it stands for.
inline constexpr double kKnifeSampleTolerance = 0.02;  // units: 0.0005 mm

// The tip's path under the holder path `trace`, for blade offset `blade`
// (units) and the heading before the first cut in degrees counter-clockwise
// from +X.
KnifeCut simulateKnife(const StreamTrace& trace, double blade, double headingDegrees);

}  // namespace corvane
