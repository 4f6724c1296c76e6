#pragma once

// How far the knife's cut lies from the design: the furthest design point
// from the cut (a corner not reached, an end cut short) and the furthest cut
// point from the design (a swing that scratches outside, an overcut too long).

#include <cstdint>
#include <string>
#include <vector>

#include "output/knife/knife_path.h"

namespace corvane {

// Nearest distances to a set of polylines, through a uniform grid of cells.
class NearestPath {
 public:
  explicit NearestPath(const std::vector<KnifeRun>& runs);
  bool empty() const { return segments_.empty(); }
  // Distance from p to the nearest point of any polyline (infinite when empty).
  double distance(KnifePoint p) const;
  // Whether some polyline passes within `limit` of p.
  bool within(KnifePoint p, double limit) const;
  // An upper bound of the distance of every point between a and b: the
  // distance to one segment is convex along a line, so no point of ab lies
  // further from a segment than the further end does. Looks at the segments
  // within `reach` of a; infinite when there are too many cells to look at.
  double segmentBound(KnifePoint a, KnifePoint b, double reach) const;

 private:
  struct Segment {
    KnifePoint a, b;
  };
  template <typename Visit>
  void forEachCell(const Segment& s, Visit visit) const;

  std::vector<Segment> segments_;
  double minX_ = 0, minY_ = 0, cell_ = 1;
  std::int64_t cols_ = 0, rows_ = 0;
  std::vector<std::uint32_t> cellStart_;  // cols_ * rows_ + 1 offsets into cellItems_
  std::vector<std::uint32_t> cellItems_;
};

struct FarthestPoint {
  double distance = 0;  // units
  KnifePoint at;
};

// The point of `from` (vertices and every point between) furthest from `to`,
// found to within `kFarthestTolerance`.
inline constexpr double kFarthestTolerance = 0.005;  // units
FarthestPoint farthestPoint(const std::vector<KnifeRun>& from, const NearestPath& to);

struct CutFigures {
  FarthestPoint miss;       // design point furthest from the cut
  FarthestPoint overshoot;  // cut point furthest from the design
  double length = 0;        // of the cut, units
  int cornersMissed = 0;    // design vertices more than 0.1 mm from the cut
};

CutFigures measureCut(const std::vector<KnifeRun>& design, const KnifeCut& cut);

// "miss M mm at (x, y); overshoot O mm at (x, y); length L mm; corners
// missed >0.1 mm: K", in millimetres to the thousandth.
std::string describeFigures(const CutFigures& figures);

}  // namespace corvane
