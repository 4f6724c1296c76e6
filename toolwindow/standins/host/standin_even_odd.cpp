#include "toolwindow/standins/host/standin_even_odd.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <iterator>
#include <map>
#include <utility>

#include <boost/geometry/index/rtree.hpp>

namespace corvane::standin::geometry {
namespace {

namespace bgi = boost::geometry::index;

using BBox = bg::model::box<BPoint>;

// Where two segments meet, as a fraction of each (0 and 1 are the ends).
// Fractions this close to an end are the end itself, so that a point lying
// on a segment and the crossing found there are one point, not two.
constexpr double kEndTolerance = 1e-9;
// A loop of less area (square millimetres) encloses nothing.
constexpr double kNoArea = 1e-9;

struct Meeting {
  double t = 0;  // along the first segment
  double u = 0;  // along the second
  BPoint at;
};

double cross(double ax, double ay, double bx, double by) { return ax * by - ay * bx; }

double snapped(double fraction) {
  if (std::abs(fraction) < kEndTolerance) return 0;
  if (std::abs(fraction - 1) < kEndTolerance) return 1;
  return fraction;
}

bool within(double fraction) { return fraction >= 0 && fraction <= 1; }

// The points where segment a-b meets segment c-d: one where they cross or
// touch, the two ends of the shared part where they overlap.
std::vector<Meeting> meetings(const BPoint& a, const BPoint& b, const BPoint& c, const BPoint& d) {
  const double rx = b.x() - a.x();
  const double ry = b.y() - a.y();
  const double sx = d.x() - c.x();
  const double sy = d.y() - c.y();
  const double qx = c.x() - a.x();
  const double qy = c.y() - a.y();
  const double rr = rx * rx + ry * ry;
  const double ss = sx * sx + sy * sy;
  if (rr == 0 || ss == 0) return {};
  const double denominator = cross(rx, ry, sx, sy);
  std::vector<Meeting> found;
  if (std::abs(denominator) > kEndTolerance * std::sqrt(rr * ss)) {
    const double t = snapped(cross(qx, qy, sx, sy) / denominator);
    const double u = snapped(cross(qx, qy, rx, ry) / denominator);
    if (!within(t) || !within(u)) return {};
    // An end is taken as it is, so the point repeats exactly.
    BPoint at(a.x() + t * rx, a.y() + t * ry);
    if (t == 0) at = a;
    if (t == 1) at = b;
    if (u == 0) at = c;
    if (u == 1) at = d;
    found.push_back({t, u, at});
    return found;
  }
  // Parallel: they meet only when on one line, along the shared part.
  if (std::abs(cross(qx, qy, rx, ry)) > kEndTolerance * std::sqrt(rr) * std::sqrt(rr + ss)) {
    return {};
  }
  const auto alongR = [&](const BPoint& p) {
    return snapped(((p.x() - a.x()) * rx + (p.y() - a.y()) * ry) / rr);
  };
  const auto alongS = [&](const BPoint& p) {
    return snapped(((p.x() - c.x()) * sx + (p.y() - c.y()) * sy) / ss);
  };
  for (const BPoint& p : {a, b}) {
    if (const double u = alongS(p); within(u)) found.push_back({alongR(p), u, p});
  }
  for (const BPoint& p : {c, d}) {
    const double t = alongR(p);
    if (within(t) && t != 0 && t != 1) found.push_back({t, alongS(p), p});
  }
  return found;
}

// The ring's corners with every point where it meets itself put in, so that
// it meets itself only at corners that repeat exactly.
std::vector<BPoint> cutAtMeetings(const std::vector<BPoint>& corners) {
  const std::size_t n = corners.size();
  std::vector<std::pair<BBox, std::size_t>> boxes;
  boxes.reserve(n);
  for (std::size_t i = 0; i < n; ++i) {
    BBox box;
    bg::envelope(BLine{corners[i], corners[(i + 1) % n]}, box);
    boxes.emplace_back(box, i);
  }
  const bgi::rtree<std::pair<BBox, std::size_t>, bgi::rstar<16>> tree(boxes.begin(), boxes.end());
  std::vector<std::vector<std::pair<double, BPoint>>> cuts(n);
  std::vector<std::pair<BBox, std::size_t>> near;
  for (std::size_t i = 0; i < n; ++i) {
    near.clear();
    tree.query(bgi::intersects(boxes[i].first), std::back_inserter(near));
    for (const auto& [box, j] : near) {
      if (j <= i) continue;
      const bool next = j == i + 1;
      const bool last = i == 0 && j == n - 1;
      for (const Meeting& m :
           meetings(corners[i], corners[(i + 1) % n], corners[j], corners[(j + 1) % n])) {
        // Neighbours share their common corner; that is no meeting.
        if ((next && m.t == 1 && m.u == 0) || (last && m.t == 0 && m.u == 1)) continue;
        if (m.t > 0 && m.t < 1) cuts[i].emplace_back(m.t, m.at);
        if (m.u > 0 && m.u < 1) cuts[j].emplace_back(m.u, m.at);
      }
    }
  }
  std::vector<BPoint> cut;
  cut.reserve(n);
  for (std::size_t i = 0; i < n; ++i) {
    cut.push_back(corners[i]);
    std::sort(cuts[i].begin(), cuts[i].end(),
              [](const auto& p, const auto& q) { return p.first < q.first; });
    for (const auto& [t, at] : cuts[i]) {
      if (!bg::equals(cut.back(), at)) cut.push_back(at);
    }
  }
  while (cut.size() > 1 && bg::equals(cut.back(), cut.front())) cut.pop_back();
  return cut;
}

// Splits the walk at every corner it comes back to: each return closes a
// loop that meets no other point of itself.
std::vector<std::vector<BPoint>> simpleLoops(const std::vector<BPoint>& walk) {
  std::vector<std::vector<BPoint>> loops;
  std::vector<BPoint> open;
  std::map<std::pair<double, double>, std::size_t> seen;  // corner -> place in open
  for (const BPoint& p : walk) {
    const std::pair<double, double> key{p.x(), p.y()};
    const auto found = seen.find(key);
    if (found == seen.end()) {
      seen.emplace(key, open.size());
      open.push_back(p);
      continue;
    }
    const std::size_t start = found->second;
    loops.emplace_back(open.begin() + static_cast<std::ptrdiff_t>(start), open.end());
    for (std::size_t k = start + 1; k < open.size(); ++k) seen.erase({open[k].x(), open[k].y()});
    open.resize(start + 1);
  }
  loops.push_back(std::move(open));
  return loops;
}

BBox boxOf(const BArea& area) {
  BBox box;
  bg::envelope(area, box);
  return box;
}

// Apart, two areas combine by being put together, whatever the operation.
// So the areas are first sorted into groups whose boxes overlap, one
// another's or through others'; each group is combined pairwise as a
// balanced tree, neighbours first, and the groups are put together.
template <class Operation>
BArea combined(std::vector<BArea> areas, Operation operation) {
  std::erase_if(areas, [](const BArea& area) { return bg::is_empty(area); });
  if (areas.empty()) return {};
  std::vector<std::pair<BBox, std::size_t>> boxes;
  boxes.reserve(areas.size());
  for (std::size_t i = 0; i < areas.size(); ++i) boxes.emplace_back(boxOf(areas[i]), i);
  std::vector<std::size_t> group(areas.size());
  for (std::size_t i = 0; i < group.size(); ++i) group[i] = i;
  const auto root = [&group](std::size_t i) {
    while (group[i] != i) i = group[i] = group[group[i]];
    return i;
  };
  const bgi::rtree<std::pair<BBox, std::size_t>, bgi::rstar<16>> tree(boxes.begin(), boxes.end());
  std::vector<std::pair<BBox, std::size_t>> near;
  for (const auto& [box, i] : boxes) {
    near.clear();
    tree.query(bgi::intersects(box), std::back_inserter(near));
    for (const auto& other : near) group[root(other.second)] = root(i);
  }
  // Within a group, by the corner nearest the page's origin.
  std::vector<std::size_t> order(areas.size());
  for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
  const auto key = [&boxes](std::size_t i) {
    return boxes[i].first.min_corner().x() + boxes[i].first.min_corner().y();
  };
  std::stable_sort(order.begin(), order.end(), [&](std::size_t p, std::size_t q) {
    const std::size_t gp = root(p);
    const std::size_t gq = root(q);
    return gp != gq ? gp < gq : key(p) < key(q);
  });
  BArea all;
  for (std::size_t start = 0; start < order.size();) {
    std::size_t end = start;
    std::vector<BArea> level;
    while (end < order.size() && root(order[end]) == root(order[start])) {
      level.push_back(std::move(areas[order[end++]]));
    }
    start = end;
    while (level.size() > 1) {
      std::vector<BArea> next;
      next.reserve(level.size() / 2 + 1);
      for (std::size_t i = 0; i + 1 < level.size(); i += 2) {
        next.push_back(operation(level[i], level[i + 1]));
      }
      if (level.size() % 2 == 1) next.push_back(std::move(level.back()));
      level = std::move(next);
    }
    all.insert(all.end(), level.front().begin(), level.front().end());
  }
  return all;
}

}  // namespace

BArea evenOddArea(const std::vector<host::Point>& ring, BLines& needles) {
  std::vector<BPoint> corners;
  corners.reserve(ring.size());
  for (const host::Point& p : ring) {
    const BPoint corner(p.x, p.y);
    if (corners.empty() || !bg::equals(corners.back(), corner)) corners.push_back(corner);
  }
  while (corners.size() > 1 && bg::equals(corners.back(), corners.front())) corners.pop_back();
  if (corners.size() < 2) return {};
  std::vector<BArea> loops;
  for (std::vector<BPoint>& loop : simpleLoops(cutAtMeetings(corners))) {
    if (loop.size() < 2) continue;
    BPolygon polygon;
    polygon.outer().assign(loop.begin(), loop.end());
    polygon.outer().push_back(loop.front());
    bg::correct(polygon);
    if (bg::area(polygon) < kNoArea) {
      // Out and back along one line: the way out covers it.
      needles.push_back(BLine(loop.begin(), loop.end()));
      continue;
    }
    loops.push_back(BArea{std::move(polygon)});
  }
  return evenOddOf(std::move(loops));
}

BArea evenOddOf(std::vector<BArea> areas) {
  return combined(std::move(areas), [](const BArea& a, const BArea& b) {
    BArea out;
    bg::sym_difference(a, b, out);
    return out;
  });
}

BArea unionOf(std::vector<BArea> areas) {
  return combined(std::move(areas), [](const BArea& a, const BArea& b) {
    BArea out;
    bg::union_(a, b, out);
    return out;
  });
}

}  // namespace corvane::standin::geometry
