#include "output/knife/cut_figures.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

namespace corvane {

namespace {

constexpr double kUnitsPerMm = 40.0;
constexpr double kCornerMissLimit = 0.1 * kUnitsPerMm;
// No more cells than segments (and a few for small drawings).
constexpr std::int64_t kMinCells = 1024;
constexpr std::int64_t kMaxBoundCells = 64;

double squaredSegmentDistance(KnifePoint p, KnifePoint a, KnifePoint b) {
  const double dx = b.x - a.x;
  const double dy = b.y - a.y;
  const double lengthSquared = dx * dx + dy * dy;
  double t = 0;
  if (lengthSquared > 0) {
    t = std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / lengthSquared, 0.0, 1.0);
  }
  const double ex = p.x - (a.x + t * dx);
  const double ey = p.y - (a.y + t * dy);
  return ex * ex + ey * ey;
}

double between(KnifePoint a, KnifePoint b) { return std::hypot(b.x - a.x, b.y - a.y); }

std::string millimetres(double units) {
  double mm = units / kUnitsPerMm;
  if (std::abs(mm) < 0.0005) mm = 0;  // no "-0.000"
  char text[48];
  std::snprintf(text, sizeof text, "%.3f", mm);
  return text;
}

}  // namespace

NearestPath::NearestPath(const std::vector<KnifeRun>& runs) {
  for (const KnifeRun& run : runs) {
    if (run.size() == 1) segments_.push_back({run[0], run[0]});
    for (std::size_t i = 1; i < run.size(); ++i) segments_.push_back({run[i - 1], run[i]});
  }
  if (segments_.empty()) return;
  double maxX = segments_[0].a.x;
  double maxY = segments_[0].a.y;
  minX_ = maxX;
  minY_ = maxY;
  for (const Segment& s : segments_) {
    minX_ = std::min({minX_, s.a.x, s.b.x});
    minY_ = std::min({minY_, s.a.y, s.b.y});
    maxX = std::max({maxX, s.a.x, s.b.x});
    maxY = std::max({maxY, s.a.y, s.b.y});
  }
  const double width = maxX - minX_ + 1;
  const double height = maxY - minY_ + 1;
  // Cells about twice as wide as the average segment is long, so that a
  // cell holds a few segments wherever the drawing is dense.
  double total = 0;
  for (const Segment& s : segments_) total += between(s.a, s.b);
  cell_ = std::max(2.0, 2 * total / static_cast<double>(segments_.size()));
  for (;;) {
    cols_ = static_cast<std::int64_t>(width / cell_) + 1;
    rows_ = static_cast<std::int64_t>(height / cell_) + 1;
    if (cols_ * rows_ <=
        std::max<std::int64_t>(kMinCells, static_cast<std::int64_t>(segments_.size())))
      break;
    cell_ *= 1.5;
  }

  // Two passes over the same cells: count, then fill.
  std::vector<std::uint32_t> lastSeen(static_cast<std::size_t>(cols_ * rows_),
                                      std::numeric_limits<std::uint32_t>::max());
  std::vector<std::uint32_t> counts(static_cast<std::size_t>(cols_ * rows_) + 1, 0);
  for (std::uint32_t id = 0; id < segments_.size(); ++id) {
    forEachCell(segments_[id], [&](std::size_t c) {
      if (lastSeen[c] == id) return;
      lastSeen[c] = id;
      ++counts[c + 1];
    });
  }
  for (std::size_t c = 1; c < counts.size(); ++c) counts[c] += counts[c - 1];
  cellStart_ = counts;
  cellItems_.resize(cellStart_.back());
  std::fill(lastSeen.begin(), lastSeen.end(), std::numeric_limits<std::uint32_t>::max());
  for (std::uint32_t id = 0; id < segments_.size(); ++id) {
    forEachCell(segments_[id], [&](std::size_t c) {
      if (lastSeen[c] == id) return;
      lastSeen[c] = id;
      cellItems_[counts[c]++] = id;
    });
  }
}

// Every cell the segment passes through (and a few beside it): the segment
// is cut into pieces no longer than a cell, each piece marks the cells of
// its bounding box.
template <typename Visit>
void NearestPath::forEachCell(const Segment& s, Visit visit) const {
  const int pieces = std::max(1, static_cast<int>(std::ceil(between(s.a, s.b) / cell_)));
  for (int k = 0; k < pieces; ++k) {
    const double t0 = static_cast<double>(k) / pieces;
    const double t1 = static_cast<double>(k + 1) / pieces;
    const double x0 = s.a.x + t0 * (s.b.x - s.a.x), x1 = s.a.x + t1 * (s.b.x - s.a.x);
    const double y0 = s.a.y + t0 * (s.b.y - s.a.y), y1 = s.a.y + t1 * (s.b.y - s.a.y);
    const auto i0 = static_cast<std::int64_t>((std::min(x0, x1) - minX_) / cell_);
    const auto i1 = static_cast<std::int64_t>((std::max(x0, x1) - minX_) / cell_);
    const auto j0 = static_cast<std::int64_t>((std::min(y0, y1) - minY_) / cell_);
    const auto j1 = static_cast<std::int64_t>((std::max(y0, y1) - minY_) / cell_);
    for (std::int64_t j = std::max<std::int64_t>(j0, 0); j <= std::min(j1, rows_ - 1); ++j) {
      for (std::int64_t i = std::max<std::int64_t>(i0, 0); i <= std::min(i1, cols_ - 1); ++i) {
        visit(static_cast<std::size_t>(j * cols_ + i));
      }
    }
  }
}

double NearestPath::distance(KnifePoint p) const {
  double best = std::numeric_limits<double>::infinity();
  if (segments_.empty()) return best;
  const auto ci = static_cast<std::int64_t>(std::floor((p.x - minX_) / cell_));
  const auto cj = static_cast<std::int64_t>(std::floor((p.y - minY_) / cell_));
  auto visitCell = [&](std::int64_t i, std::int64_t j) {
    if (i < 0 || j < 0 || i >= cols_ || j >= rows_) return;
    const std::size_t c = static_cast<std::size_t>(j * cols_ + i);
    for (std::uint32_t k = cellStart_[c]; k < cellStart_[c + 1]; ++k) {
      const Segment& s = segments_[cellItems_[k]];
      best = std::min(best, squaredSegmentDistance(p, s.a, s.b));
    }
  };
  // Rings of cells round p's cell: whatever lies beyond ring k is at least
  // k cells away. Rings wholly off the grid are passed over.
  const std::int64_t first =
      std::max<std::int64_t>({0, -ci, ci - (cols_ - 1), -cj, cj - (rows_ - 1)});
  const std::int64_t last = std::max({ci, cols_ - 1 - ci, cj, rows_ - 1 - cj});
  for (std::int64_t k = first; k <= last; ++k) {
    const double ringGap = static_cast<double>(k - 1) * cell_;
    if (k > 1 && best <= ringGap * ringGap) break;
    if (k == 0) {
      visitCell(ci, cj);
      continue;
    }
    for (std::int64_t i = ci - k; i <= ci + k; ++i) {
      visitCell(i, cj - k);
      visitCell(i, cj + k);
    }
    for (std::int64_t j = cj - k + 1; j <= cj + k - 1; ++j) {
      visitCell(ci - k, j);
      visitCell(ci + k, j);
    }
  }
  return std::sqrt(best);
}

bool NearestPath::within(KnifePoint p, double limit) const {
  return segmentBound(p, p, limit) <= limit || distance(p) <= limit;
}

double NearestPath::segmentBound(KnifePoint a, KnifePoint b, double reach) const {
  double bound = std::numeric_limits<double>::infinity();
  if (segments_.empty()) return bound;
  const auto i0 = std::max<std::int64_t>(
      0, static_cast<std::int64_t>(std::floor((a.x - reach - minX_) / cell_)));
  const auto i1 =
      std::min(cols_ - 1, static_cast<std::int64_t>(std::floor((a.x + reach - minX_) / cell_)));
  const auto j0 = std::max<std::int64_t>(
      0, static_cast<std::int64_t>(std::floor((a.y - reach - minY_) / cell_)));
  const auto j1 =
      std::min(rows_ - 1, static_cast<std::int64_t>(std::floor((a.y + reach - minY_) / cell_)));
  if (i1 < i0 || j1 < j0 || (i1 - i0 + 1) * (j1 - j0 + 1) > kMaxBoundCells) return bound;
  for (std::int64_t j = j0; j <= j1; ++j) {
    for (std::int64_t i = i0; i <= i1; ++i) {
      const std::size_t c = static_cast<std::size_t>(j * cols_ + i);
      for (std::uint32_t k = cellStart_[c]; k < cellStart_[c + 1]; ++k) {
        const Segment& s = segments_[cellItems_[k]];
        bound = std::min(bound, std::max(squaredSegmentDistance(a, s.a, s.b),
                                         squaredSegmentDistance(b, s.a, s.b)));
      }
    }
  }
  return std::sqrt(bound);
}

FarthestPoint farthestPoint(const std::vector<KnifeRun>& from, const NearestPath& to) {
  FarthestPoint best{-1, {}};
  auto consider = [&](KnifePoint p) {
    const double d = to.distance(p);
    if (d > best.distance) best = {d, p};
    return d;
  };
  // A first best from a few vertices, so that most segments are passed
  // over below without measuring their ends.
  constexpr std::size_t kSeedEvery = 16;
  std::size_t seen = 0;
  for (const KnifeRun& run : from) {
    for (const KnifePoint& p : run) {
      if (seen++ % kSeedEvery == 0) consider(p);
    }
  }
  // No point of a segment lies further from one segment of `to` than its
  // further end, and along a segment the distance changes by no more than
  // the way walked (a piece whose ends lie at da and db, length l apart,
  // holds nothing further than (da + db + l) / 2). Pieces that cannot beat
  // the best so far are not looked into; the others are halved.
  struct Piece {
    KnifePoint a, b;
    double da, db;
  };
  std::vector<Piece> pieces;
  for (const KnifeRun& run : from) {
    if (run.size() == 1) consider(run[0]);
    double previous = -1;  // distance of run[i - 1], once measured
    for (std::size_t i = 1; i < run.size(); ++i) {
      const double reach = best.distance + kFarthestTolerance;
      if (to.segmentBound(run[i - 1], run[i], reach) <= reach) {
        previous = -1;
        continue;
      }
      const double da = previous >= 0 ? previous : consider(run[i - 1]);
      const double db = consider(run[i]);
      previous = db;
      pieces.push_back({run[i - 1], run[i], da, db});
      while (!pieces.empty()) {
        const Piece piece = pieces.back();
        pieces.pop_back();
        const double limit = best.distance + kFarthestTolerance;
        if ((piece.da + piece.db + between(piece.a, piece.b)) / 2 <= limit) continue;
        if (to.segmentBound(piece.a, piece.b, limit) <= limit) continue;
        const KnifePoint mid{(piece.a.x + piece.b.x) / 2, (piece.a.y + piece.b.y) / 2};
        const double dm = consider(mid);
        pieces.push_back({piece.a, mid, piece.da, dm});
        pieces.push_back({mid, piece.b, dm, piece.db});
      }
    }
  }
  if (best.distance < 0) best.distance = 0;
  return best;
}

CutFigures measureCut(const std::vector<KnifeRun>& design, const KnifeCut& cut) {
  CutFigures figures;
  const NearestPath cutPath(cut.runs);
  const NearestPath designPath(design);
  figures.miss = farthestPoint(design, cutPath);
  figures.overshoot = farthestPoint(cut.runs, designPath);
  figures.length = cut.length;
  for (const KnifeRun& run : design) {
    for (const KnifePoint& p : run) {
      if (!cutPath.within(p, kCornerMissLimit)) ++figures.cornersMissed;
    }
  }
  return figures;
}

std::string describeFigures(const CutFigures& f) {
  return "miss " + millimetres(f.miss.distance) + " mm at (" + millimetres(f.miss.at.x) + ", " +
         millimetres(f.miss.at.y) + "); overshoot " + millimetres(f.overshoot.distance) +
         " mm at (" + millimetres(f.overshoot.at.x) + ", " + millimetres(f.overshoot.at.y) +
         "); length " + millimetres(f.length) +
         " mm; corners missed >0.1 mm: " + std::to_string(f.cornersMissed);
}

}  // namespace corvane
