#include "output/order/cut_order.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "output/order/box_index.h"
#include "output/order/path_nesting.h"

namespace corvane {

namespace {

using order::Box;
using order::BoxIndex;
using order::Nesting;
using order::Vertex;

// Moves must gain at least this much (plotter units) to count, so that
// rounding never makes two moves undo each other for ever.
constexpr double kGain = 1e-6;
// Paths looked at round each path when improving.
constexpr std::size_t kNeighbours = 8;
constexpr int kPasses = 4;
// Longer reversals cost more than they gain on jobs of many paths.
constexpr std::size_t kLongestReversal = 1000;

double distance(const Vertex& a, const Vertex& b) {
  const auto dx = static_cast<double>(a.x - b.x);
  const auto dy = static_cast<double>(a.y - b.y);
  return std::sqrt(dx * dx + dy * dy);
}

double distanceToBox(const Vertex& p, const Box& box) {
  const auto dx =
      static_cast<double>(std::max({box.min.x - p.x, std::int64_t{0}, p.x - box.max.x}));
  const auto dy =
      static_cast<double>(std::max({box.min.y - p.y, std::int64_t{0}, p.y - box.max.y}));
  return std::sqrt(dx * dx + dy * dy);
}

class Planner {
 public:
  explicit Planner(const Nesting& nesting) : nesting_(nesting), n_(nesting.paths.size()) {}

  std::vector<PathCut> nearestNeighbour();
  void improve(std::vector<PathCut>& tour);
  bool respectsNesting(const std::vector<PathCut>& tour) const;
  double travel(const std::vector<PathCut>& tour) const;

 private:
  Vertex entry(const PathCut& cut) const;
  Vertex exit(const PathCut& cut) const;
  Vertex exitBefore(std::size_t i) const { return i == 0 ? kOrigin : exit(tour_[i - 1]); }
  Vertex entryAfter(std::size_t j) const { return j + 1 >= n_ ? kOrigin : entry(tour_[j + 1]); }
  // The best way into a path from a point: nearest end or vertex.
  PathCut bestEntry(std::size_t path, const Vertex& from, double& length) const;

  bool twoOpt(std::size_t i, std::size_t j);
  bool orOpt(std::size_t i, std::size_t length, std::size_t anchor);
  bool rechoose(std::size_t i);
  bool reversible(std::size_t i, std::size_t j) const;
  bool movable(std::size_t i, std::size_t length, std::size_t to) const;
  void reverse(std::size_t i, std::size_t j);
  void place(std::size_t from, std::size_t to);
  bool spend(std::size_t work);

  static constexpr Vertex kOrigin{0, 0};
  const Nesting& nesting_;
  std::size_t n_;
  std::vector<PathCut> tour_;
  std::vector<std::size_t> pos_;
  std::vector<std::vector<std::size_t>> neighbours_;
  std::size_t budget_ = 0;
};

Vertex Planner::entry(const PathCut& cut) const {
  if (nesting_.paths[cut.path].closed) return nesting_.vertex(cut.path, cut.startVertex);
  const std::size_t last = nesting_.vertexCount(cut.path) - 1;
  return nesting_.vertex(cut.path, cut.reversed ? last : 0);
}

Vertex Planner::exit(const PathCut& cut) const {
  if (nesting_.paths[cut.path].closed) return nesting_.vertex(cut.path, cut.startVertex);
  const std::size_t last = nesting_.vertexCount(cut.path) - 1;
  return nesting_.vertex(cut.path, cut.reversed ? 0 : last);
}

PathCut Planner::bestEntry(std::size_t path, const Vertex& from, double& length) const {
  PathCut cut{path, false, 0};
  length = std::numeric_limits<double>::infinity();
  const std::size_t count = nesting_.vertexCount(path);
  if (nesting_.paths[path].closed) {
    for (std::size_t k = 0; k < count; ++k) {
      const double d = distance(from, nesting_.vertex(path, k));
      if (d < length) {
        length = d;
        cut.startVertex = k;
      }
    }
  } else {
    length = distance(from, nesting_.vertex(path, 0));
    const double back = distance(from, nesting_.vertex(path, count - 1));
    if (back < length) {
      length = back;
      cut.reversed = true;
    }
  }
  return cut;
}

double Planner::travel(const std::vector<PathCut>& tour) const {
  double total = 0.0;
  Vertex at = kOrigin;
  for (const PathCut& cut : tour) {
    total += distance(at, entry(cut));
    at = exit(cut);
  }
  return total + distance(at, kOrigin);
}

std::vector<PathCut> Planner::nearestNeighbour() {
  // A closed path becomes available once everything inside it is cut.
  std::vector<std::size_t> waiting(n_);
  std::vector<std::size_t> ready;
  for (std::size_t i = 0; i < n_; ++i) {
    waiting[i] = nesting_.contents[i].size();
    if (waiting[i] == 0) ready.push_back(i);
  }
  BoxIndex available;
  available.build(nesting_.paths, ready);

  std::vector<PathCut> tour;
  tour.reserve(n_);
  Vertex at = kOrigin;
  std::vector<std::pair<double, std::size_t>> near;
  while (!available.empty()) {
    PathCut best;
    double bestLength = std::numeric_limits<double>::infinity();
    bool found = false;
    // Boxes come nearest first; no path beyond the best entry so far can
    // beat it. Equal lengths go to the path earlier in the job. Few boxes
    // are asked for at first, more while the nearest may lie beyond them.
    for (std::size_t k = 8;; k *= 4) {
      available.nearest(at, k, near);
      bool settled = near.size() < k;
      for (const auto& [boxDistance, path] : near) {
        if (found && boxDistance > bestLength) {
          settled = true;
          break;
        }
        double length = 0.0;
        const PathCut cut = bestEntry(path, at, length);
        if (!found || length < bestLength || (length == bestLength && path < best.path)) {
          best = cut;
          bestLength = length;
          found = true;
        }
      }
      if (settled) break;
    }
    tour.push_back(best);
    available.remove(nesting_.paths[best.path], best.path);
    at = exit(best);
    for (const std::size_t container : nesting_.containers[best.path]) {
      if (--waiting[container] == 0) available.insert(nesting_.paths[container], container);
    }
  }
  return tour;
}

bool Planner::respectsNesting(const std::vector<PathCut>& tour) const {
  std::vector<std::size_t> place(n_);
  for (std::size_t i = 0; i < tour.size(); ++i) place[tour[i].path] = i;
  for (std::size_t p = 0; p < n_; ++p) {
    for (const std::size_t c : nesting_.containers[p]) {
      if (place[c] < place[p]) return false;
    }
  }
  return true;
}

bool Planner::spend(std::size_t work) {
  if (work > budget_) {
    budget_ = 0;
    return false;
  }
  budget_ -= work;
  return true;
}

// A reversed stretch keeps the nesting when no two of its paths nest.
bool Planner::reversible(std::size_t i, std::size_t j) const {
  for (std::size_t k = i; k <= j; ++k) {
    for (const std::size_t c : nesting_.containers[tour_[k].path]) {
      if (pos_[c] >= i && pos_[c] <= j) return false;
    }
  }
  return true;
}

void Planner::reverse(std::size_t i, std::size_t j) {
  std::reverse(tour_.begin() + static_cast<std::ptrdiff_t>(i),
               tour_.begin() + static_cast<std::ptrdiff_t>(j) + 1);
  for (std::size_t k = i; k <= j; ++k) {
    if (!nesting_.paths[tour_[k].path].closed) tour_[k].reversed = !tour_[k].reversed;
    pos_[tour_[k].path] = k;
  }
}

// Reverses positions i..j when that shortens the tour.
bool Planner::twoOpt(std::size_t i, std::size_t j) {
  if (i >= j || j >= n_ || j - i > kLongestReversal) return false;
  const Vertex before = exitBefore(i);
  const Vertex after = entryAfter(j);
  const Vertex in = entry(tour_[i]);
  const Vertex out = exit(tour_[j]);
  const double gain =
      distance(before, in) + distance(out, after) - distance(before, out) - distance(in, after);
  if (gain <= kGain) return false;
  if (!spend(j - i + 1) || !reversible(i, j)) return false;
  reverse(i, j);
  return true;
}

// May the stretch at i..i+length-1 move so that it starts at `to` (in the
// tour without it)? Only if it passes no path it must keep its side of.
bool Planner::movable(std::size_t i, std::size_t length, std::size_t to) const {
  const std::size_t last = i + length - 1;
  for (std::size_t k = i; k <= last; ++k) {
    const std::size_t path = tour_[k].path;
    if (to > i) {
      // Moving later: it passes the paths now at last+1 .. to+length-1.
      for (const std::size_t c : nesting_.containers[path]) {
        if (pos_[c] > last && pos_[c] < to + length) return false;
      }
    } else {
      // Moving earlier: it passes the paths now at to .. i-1.
      for (const std::size_t c : nesting_.contents[path]) {
        if (pos_[c] >= to && pos_[c] < i) return false;
      }
    }
  }
  return true;
}

void Planner::place(std::size_t from, std::size_t to) {
  for (std::size_t k = std::min(from, to); k <= std::max(from, to); ++k) pos_[tour_[k].path] = k;
}

// Moves the stretch of `length` paths at i next to the path at `anchor`,
// before or after it, either way round, when that shortens the tour.
bool Planner::orOpt(std::size_t i, std::size_t length, std::size_t anchor) {
  const std::size_t last = i + length - 1;
  if (last >= n_) return false;
  const Vertex in = entry(tour_[i]);
  const Vertex out = exit(tour_[last]);
  const double removed = distance(exitBefore(i), in) + distance(out, entryAfter(last)) -
                         distance(exitBefore(i), entryAfter(last));
  // Gap g lies between positions g-1 and g; gaps i..last+1 touch the stretch.
  double bestGain = kGain;
  std::size_t bestGap = 0;
  bool bestReversed = false;
  const bool single = length == 1 && nesting_.paths[tour_[i].path].closed;
  std::size_t bestStart = tour_[i].startVertex;
  for (const std::size_t gap : {anchor + 1, anchor}) {
    if (gap >= i && gap <= last + 1) continue;
    const Vertex left = gap == 0 ? kOrigin : exit(tour_[gap - 1]);
    const Vertex right = gap == n_ ? kOrigin : entry(tour_[gap]);
    const double gapNow = distance(left, right);
    if (single) {
      // A closed path moved alone is started where it best fits its new
      // gap; not worth looking at its vertices when even its box cannot fit.
      const Box& box = nesting_.paths[tour_[i].path].box;
      if (removed - (distanceToBox(left, box) + distanceToBox(right, box) - gapNow) <= bestGain) {
        continue;
      }
      const std::size_t count = nesting_.vertexCount(tour_[i].path);
      if (!spend(count)) return false;
      for (std::size_t k = 0; k < count; ++k) {
        const Vertex& v = nesting_.vertex(tour_[i].path, k);
        const double gain = removed - (distance(left, v) + distance(v, right) - gapNow);
        if (gain > bestGain) {
          bestGain = gain;
          bestGap = gap;
          bestStart = k;
        }
      }
      continue;
    }
    for (const bool reversed : {false, true}) {
      const Vertex first = reversed ? out : in;
      const Vertex end = reversed ? in : out;
      const double gain = removed - (distance(left, first) + distance(end, right) - gapNow);
      if (gain > bestGain) {
        bestGain = gain;
        bestGap = gap;
        bestReversed = reversed;
      }
    }
  }
  if (bestGain <= kGain) return false;
  // Where the stretch starts once moved.
  const std::size_t to = bestGap > i ? bestGap - length : bestGap;
  if (!spend((to > i ? to - i : i - to) + length)) return false;
  if ((bestReversed && !reversible(i, last)) || !movable(i, length, to)) return false;
  if (bestReversed) reverse(i, last);
  if (single) tour_[i].startVertex = bestStart;
  const auto begin = tour_.begin();
  auto at = [&](std::size_t k) { return begin + static_cast<std::ptrdiff_t>(k); };
  if (to > i) {
    std::rotate(at(i), at(last + 1), at(bestGap));
    place(i, bestGap - 1);
  } else {
    std::rotate(at(bestGap), at(i), at(last + 1));
    place(bestGap, last);
  }
  return true;
}

// A path's own way in and out given its neighbours in the tour.
bool Planner::rechoose(std::size_t i) {
  PathCut& cut = tour_[i];
  const Vertex before = exitBefore(i);
  const Vertex after = entryAfter(i);
  const double now = distance(before, entry(cut)) + distance(exit(cut), after);
  PathCut better = cut;
  double bestLength = now - kGain;
  const std::size_t count = nesting_.vertexCount(cut.path);
  if (!spend(count)) return false;
  if (nesting_.paths[cut.path].closed) {
    for (std::size_t k = 0; k < count; ++k) {
      const Vertex& v = nesting_.vertex(cut.path, k);
      const double length = distance(before, v) + distance(v, after);
      if (length < bestLength) {
        bestLength = length;
        better.startVertex = k;
      }
    }
  } else {
    PathCut flipped = cut;
    flipped.reversed = !cut.reversed;
    const double length = distance(before, entry(flipped)) + distance(exit(flipped), after);
    if (length < bestLength) better = flipped;
  }
  if (better.reversed == cut.reversed && better.startVertex == cut.startVertex) return false;
  cut = better;
  return true;
}

void Planner::improve(std::vector<PathCut>& tour) {
  tour_ = std::move(tour);
  pos_.assign(n_, 0);
  for (std::size_t i = 0; i < n_; ++i) pos_[tour_[i].path] = i;
  // A bound in work, not time, so that a job always gives the same order:
  // 4,000 steps a path besides the pass count.
  budget_ = 4000 * n_ + 100000;

  neighbours_.assign(n_, {});
  if (n_ > 1) {
    std::vector<std::size_t> all(n_);
    for (std::size_t i = 0; i < n_; ++i) all[i] = i;
    BoxIndex index;
    index.build(nesting_.paths, all);
    for (std::size_t p = 0; p < n_; ++p) {
      index.nearestTo(nesting_.paths[p].box, kNeighbours + 1, neighbours_[p]);
      std::erase(neighbours_[p], p);
      std::sort(neighbours_[p].begin(), neighbours_[p].end());
    }
  }

  for (int pass = 0; pass < kPasses && budget_ > 0; ++pass) {
    bool changed = false;
    for (std::size_t i = 0; i < n_ && budget_ > 0; ++i) {
      changed = rechoose(i) || changed;
    }
    for (std::size_t i = 0; i < n_ && budget_ > 0; ++i) {
      const std::size_t path = tour_[i].path;
      for (const std::size_t other : neighbours_[path]) {
        if (!spend(1)) break;
        const std::size_t j = pos_[other];
        // New link: out of the path at i into the reversed stretch ending at j.
        if (j > i + 1 && twoOpt(i + 1, j)) changed = true;
        // New link: out of the reversed stretch j..i-1 into the path at i.
        else if (j + 1 < i && twoOpt(j + 1, i - 1))
          changed = true;
      }
    }
    // A stretch at the start of the tour may also be reversed as a whole.
    for (std::size_t j = 1; j < n_ && budget_ > 0; ++j) {
      if (!spend(1)) break;
      if (twoOpt(0, j)) changed = true;
      if (j > 64) break;
    }
    for (std::size_t length = 1; length <= 3; ++length) {
      for (std::size_t i = 0; i + length <= n_ && budget_ > 0; ++i) {
        const std::size_t path = tour_[i].path;
        for (const std::size_t other : neighbours_[path]) {
          if (!spend(1)) break;
          const std::size_t moved = tour_[i].path;
          if (orOpt(i, length, pos_[other])) {
            // Both gaps changed: the paths round them may now start better.
            const std::size_t to = pos_[moved];
            for (const std::size_t k : {i, i + 1, to, to + length}) {
              if (k >= 1 && k - 1 < n_) rechoose(k - 1);
            }
            changed = true;
            break;
          }
        }
      }
    }
    if (!changed) break;
  }
  tour = std::move(tour_);
}

std::vector<PathPoint> pointsInOrder(const std::vector<PathPoint>& points, const Nesting& nesting,
                                     const std::vector<PathCut>& cuts) {
  std::vector<PathPoint> out;
  out.reserve(points.size() + cuts.size() + 1);
  for (const PathCut& cut : cuts) {
    const order::JobPath& path = nesting.paths[cut.path];
    const std::size_t size = path.last - path.first + 1;
    auto at = [&](std::size_t k) {
      if (path.closed) return points[path.first + (cut.startVertex + k) % (size - 1)];
      return points[cut.reversed ? path.last - k : path.first + k];
    };
    PathPoint up = at(0);
    up.penUp = 1;
    out.push_back(up);
    for (std::size_t k = 0; k < size; ++k) out.push_back(at(k));
  }
  // The writers end a path only at the pen-up point that follows it.
  if (!out.empty()) {
    PathPoint up = out.back();
    up.penUp = 1;
    out.push_back(up);
  }
  return out;
}

}  // namespace

CutOrder orderForCutting(const std::vector<PathPoint>& points, const OrderOptions& options) {
  const Nesting nesting = order::findNesting(points, options.axesExchanged);
  Planner planner(nesting);
  CutOrder result;
  std::vector<PathCut> fileOrder(nesting.paths.size());
  for (std::size_t i = 0; i < fileOrder.size(); ++i) fileOrder[i].path = i;
  result.fileTravel = planner.travel(fileOrder);

  result.cuts = planner.nearestNeighbour();
  result.nearestTravel = planner.travel(result.cuts);
  if (options.improve) {
    planner.improve(result.cuts);
    // The job's own order may already be better, and may be improved too.
    if (planner.travel(result.cuts) > result.fileTravel && planner.respectsNesting(fileOrder)) {
      planner.improve(fileOrder);
      if (planner.travel(fileOrder) < planner.travel(result.cuts)) result.cuts = fileOrder;
    }
  }
  result.travel = planner.travel(result.cuts);
  result.points = pointsInOrder(points, nesting, result.cuts);
  return result;
}

double knifeUpTravel(const std::vector<PathPoint>& points) {
  double total = 0.0;
  Vertex at{0, 0};
  bool inPath = false;
  for (const PathPoint& p : points) {
    const Vertex v{p.x, p.y};
    if (!p.penUp && !inPath) total += distance(at, v);
    inPath = !p.penUp;
    if (inPath) at = v;
  }
  return total + distance(at, Vertex{0, 0});
}

std::size_t insideAfterOutside(const std::vector<PathPoint>& points) {
  const Nesting nesting = order::findNesting(points, false);
  std::size_t wrong = 0;
  for (std::size_t p = 0; p < nesting.paths.size(); ++p) {
    for (const std::size_t c : nesting.containers[p]) wrong += c < p ? 1 : 0;
  }
  return wrong;
}

}  // namespace corvane
