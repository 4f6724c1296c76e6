#pragma once

// Drag-knife corner treatment. A drag knife's blade trails its holder, so
//   - at a sharp vertex the cut goes on past the vertex (the overcut) and the
//     blade is swung round on a circle about the vertex, 10 degrees a step,
//     before the next segment is cut (ANGLE distance);
//   - an open path starts on the extension of its first segment (lead-in) and
//     runs on past its end (lead-out); a closed path is cut on past its start
//     point along the first segment (CLOSED distance).
// Coordinates are written as they stand in the model, X first.

#include <cstdint>
#include <vector>

#include "output/engine/command_writer.h"
#include "output/engine/path_point.h"

namespace corvane {

class CornerWriter {
 public:
  CornerWriter(CommandWriter& out, double minSegment, int cornerLimit, int arcStep);

  // Writes every run of pen-down points. cornerDistance and closeDistance
  // are in plotter units; either may be 0 (that treatment off).
  void writeRuns(const std::vector<PathPoint>& points, std::uint32_t cornerDistance,
                 std::uint32_t closeDistance);

  // Vertex b between a and c, treated with distance d.
  void emitCorner(const PathPoint& a, const PathPoint& b, const PathPoint& c, std::uint32_t d,
                  bool closing);
  // Pen-up move to the point d units before `first` on the first segment.
  void emitLeadIn(const PathPoint& first, const PathPoint& second, std::uint32_t d);
  // Cut to `last`, then d units on past it along the last segment.
  void emitLeadOut(const PathPoint& previous, const PathPoint& last, std::uint32_t d);

 private:
  CommandWriter& out_;
  double minSegment_;
  int cornerLimit_;
  int arcStep_;
};

}  // namespace corvane
