#include "output/engine/corner_writer.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

#include "output/engine/saturate.h"
#include "output/engine/trig_tables.h"

namespace corvane {

namespace {

// Differences of 32-bit coordinates need 33 bits; squares are taken in
// double, exact for any distance a cutter can reach.
struct Delta {
  double x;
  double y;
  double squared() const { return x * x + y * y; }
};

inline Delta delta(const PathPoint& from, const PathPoint& to) {
  return {static_cast<double>(std::int64_t{to.x} - from.x),
          static_cast<double>(std::int64_t{to.y} - from.y)};
}

// base + trunc(offset), clamped to the coordinate range.
inline std::int32_t shifted(std::int32_t base, double offset) {
  return saturateToInt32(std::int64_t{base} + std::int64_t{truncToInt32(offset)});
}

inline int table(const std::array<int, 180>& t, int index) {
  return t[static_cast<std::size_t>(std::clamp(index, 0, 179))];
}

}  // namespace

CornerWriter::CornerWriter(CommandWriter& out, double minSegment, int cornerLimit, int arcStep)
    : out_(out), minSegment_(minSegment), cornerLimit_(cornerLimit), arcStep_(arcStep) {}

void CornerWriter::writeRuns(const std::vector<PathPoint>& points, std::uint32_t cornerDistance,
                             std::uint32_t closeDistance) {
  std::size_t run = 0;    // pen-down points in the current run
  std::size_t start = 0;  // index of the run's first point
  for (std::size_t j = 0; j < points.size(); ++j) {
    const PathPoint& cur = points[j];
    if (!cur.penUp) {
      ++run;
      if (run == 2) {
        // A run's first point is written one step late, when its direction
        // is known.
        start = j - 1;
        if (closeDistance > 0) {
          emitLeadIn(points[j - 1], cur, closeDistance);
        } else {
          out_.penUp(points[j - 1].x, points[j - 1].y);
        }
      } else if (run > 2) {
        if (cornerDistance > 0) {
          emitCorner(points[j - 2], points[j - 1], cur, cornerDistance, false);
        } else {
          out_.penDown(points[j - 1].x, points[j - 1].y);
        }
      }
      continue;
    }
    if (run >= 2) {
      const PathPoint& last = points[j - 1];
      if (samePosition(last, points[start])) {
        if (cornerDistance > 0) {
          emitCorner(points[j - 2], last, points[start + 1],
                     std::max(cornerDistance, closeDistance), true);
        } else {
          out_.penDown(last.x, last.y);
        }
      } else if (closeDistance > 0) {
        emitLeadOut(points[j - 2], last, closeDistance);
      } else {
        out_.penDown(last.x, last.y);
      }
    }
    run = 0;
  }
}

void CornerWriter::emitLeadIn(const PathPoint& first, const PathPoint& second, std::uint32_t d) {
  if (d == 0 || samePosition(first, second)) return;
  const Delta back = delta(second, first);
  const double length = std::sqrt(back.squared());
  out_.penUp(shifted(first.x, d * back.x / length), shifted(first.y, d * back.y / length));
}

void CornerWriter::emitLeadOut(const PathPoint& previous, const PathPoint& last, std::uint32_t d) {
  out_.penDown(last.x, last.y);
  if (d == 0 || samePosition(previous, last)) return;
  const Delta along = delta(previous, last);
  const double length = std::sqrt(along.squared());
  out_.penDown(shifted(last.x, d * along.x / length), shifted(last.y, d * along.y / length));
}

void CornerWriter::emitCorner(const PathPoint& a, const PathPoint& b, const PathPoint& c,
                              std::uint32_t d, bool closing) {
  out_.penDown(b.x, b.y);
  if (d == 0 || samePosition(a, b) || samePosition(a, c) || samePosition(b, c)) return;

  const Delta ab = delta(a, b);
  const Delta bc = delta(b, c);
  const double lengthAB = std::sqrt(ab.squared());
  const double lengthBC = std::sqrt(bc.squared());
  // Short segments belong to curves; the closing vertex is treated anyway.
  if (!closing && (lengthAB <= minSegment_ || lengthBC <= minSegment_)) return;

  // Cosine of the angle at b, times 1000, by the law of cosines.
  const double cosine =
      1000.0 * (bc.squared() + ab.squared() - delta(a, c).squared()) / (2.0 * lengthAB * lengthBC);
  const int w = static_cast<int>(std::clamp(cosine, -1000.0, 1000.0));
  const double dd = d;

  if (w < table(CosTable, cornerLimit_)) {
    // Nearly straight on: no swing. Only the closing vertex is cut on past.
    if (closing) {
      out_.penDown(shifted(b.x, dd * ab.x / lengthAB), shifted(b.y, dd * ab.y / lengthAB));
    }
    return;
  }

  const double ux = ab.x / lengthAB;
  const double uy = ab.y / lengthAB;
  out_.penDown(truncToInt32(b.x + dd * ux), truncToInt32(b.y + dd * uy));

  const double qx = b.x + dd * bc.x / lengthBC;
  const double qy = b.y + dd * bc.y / lengthBC;

  // k: the angle at b in whole degrees, rounded up.
  int k = 0;
  for (int i = 0; i < 180; ++i) {
    if (CosTable[static_cast<std::size_t>(i)] < w) {
      k = i;
      break;
    }
  }
  const int steps = (180 - k) / arcStep_;

  // Swing the way that reaches the outgoing segment: compare where a 5 degree
  // counter-clockwise turn of the overcut lands with the chord to q.
  const double cos5 = 0.001 * CosTable[5];
  const double sin5 = 0.001 * SinTable[5];
  const double rx = b.x + dd * (cos5 * ux - sin5 * uy);
  const double ry = b.y + dd * (sin5 * ux + cos5 * uy);
  const double twoDSquared = 2.0 * dd * dd;  // exact for any distance below 1.6 km
  const double chordSquared = (rx - qx) * (rx - qx) + (ry - qy) * (ry - qy);
  const bool counterClockwise =
      (twoDSquared - chordSquared) / twoDSquared >= 0.001 * table(CosTable, 180 - k);

  for (int j = 1; j <= steps; ++j) {
    const double cj = 0.001 * table(CosTable, j * arcStep_);
    const double sj = 0.001 * table(SinTable, j * arcStep_);
    double x = 0;
    double y = 0;
    if (counterClockwise) {
      x = b.x + dd * (cj * ux - sj * uy);
      y = b.y + dd * (cj * uy + sj * ux);
    } else {
      x = b.x + dd * (cj * ux + sj * uy);
      y = b.y + dd * (cj * uy - sj * ux);
    }
    out_.penDown(truncToInt32(x), truncToInt32(y));
  }

  if (closing) {
    out_.penDown(truncToInt32(qx), truncToInt32(qy));
  } else {
    out_.twoCuts(truncToInt32(qx), truncToInt32(qy), c.x, c.y);
  }
}

}  // namespace corvane
