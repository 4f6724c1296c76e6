#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "output/engine/path_point.h"

namespace corvane {

// Cut order for a drag knife: inside first, least knife-up travel.
//
// A path is a run of pen-down points. A path that lies inside the area a
// closed path encloses (every vertex strictly inside it by the even-odd
// rule, no contact with its outline) is cut before that closed path, at
// every depth, so that a counter is never cut after the material round it
// has been freed. Within that constraint the knife-up travel from the
// cutter's origin through every path and back to the origin is made short:
// nearest neighbour first, then 2-opt and Or-opt moves that keep the
// constraint, with open paths run either way and closed paths started at
// any vertex. The work is bounded by a count of moves, never by time, so a
// job always gives the same order.

// How a path of the job is cut.
struct PathCut {
  std::size_t path = 0;         // index of the path in the job's order
  bool reversed = false;        // an open path run from its end to its start
  std::size_t startVertex = 0;  // a closed path started at this vertex (0: as in the job)
};

struct CutOrder {
  std::vector<PathCut> cuts;      // in cutting order
  std::vector<PathPoint> points;  // the job's points in that order, one pen-up point
                                  // before each path and one after the last
  double fileTravel = 0.0;        // knife-up travel of the job's order, plotter units
  double nearestTravel = 0.0;     // of the plain nearest-neighbour order
  double travel = 0.0;            // of this order
};

struct OrderOptions {
  bool improve = true;  // false: the plain nearest-neighbour order
  // The points' axes are exchanged against the cutter's (the intermediate
  // file): distances do not change, but ties are broken as on the job.
  bool axesExchanged = false;
};

CutOrder orderForCutting(const std::vector<PathPoint>& points, const OrderOptions& options = {});

// Knife-up travel of points as they stand: from the origin to each path's
// first point, between paths, and from the last path back to the origin.
double knifeUpTravel(const std::vector<PathPoint>& points);

// Counts pairs cut in the wrong order: a path cut after a closed path it
// lies inside.
std::size_t insideAfterOutside(const std::vector<PathPoint>& points);

}  // namespace corvane
