#include "output/order/path_nesting.h"

#include <algorithm>
#include <iterator>

#include "output/order/box_index.h"

namespace corvane::order {

namespace {

// Exact in 64 bits: coordinates are 32-bit plotter units.
std::int64_t cross(const Vertex& o, const Vertex& a, const Vertex& b) {
  return (a.x - o.x) * (b.y - o.y) - (a.y - o.y) * (b.x - o.x);
}

int sign(std::int64_t v) { return (v > 0) - (v < 0); }

bool onSegment(const Vertex& p, const Vertex& a, const Vertex& b) {
  return cross(a, b, p) == 0 && std::min(a.x, b.x) <= p.x && p.x <= std::max(a.x, b.x) &&
         std::min(a.y, b.y) <= p.y && p.y <= std::max(a.y, b.y);
}

// Any common point, touching included.
bool segmentsMeet(const Vertex& a, const Vertex& b, const Vertex& c, const Vertex& d) {
  const int d1 = sign(cross(c, d, a));
  const int d2 = sign(cross(c, d, b));
  const int d3 = sign(cross(a, b, c));
  const int d4 = sign(cross(a, b, d));
  if (d1 * d2 < 0 && d3 * d4 < 0) return true;
  return (d1 == 0 && onSegment(a, c, d)) || (d2 == 0 && onSegment(b, c, d)) ||
         (d3 == 0 && onSegment(c, a, b)) || (d4 == 0 && onSegment(d, a, b));
}

enum class Place { Outside, Boundary, Inside };

// Even-odd rule, so that a self-crossing outline encloses what it shows.
Place placeInRing(const Vertex& p, const Vertex* ring, std::size_t n) {
  bool inside = false;
  for (std::size_t i = 0, j = n - 1; i < n; j = i++) {
    const Vertex& a = ring[i];
    const Vertex& b = ring[j];
    if (onSegment(p, a, b)) return Place::Boundary;
    if ((a.y > p.y) != (b.y > p.y)) {
      // The edge crosses the horizontal through p; is the crossing right of p?
      const std::int64_t side = cross(a, b, p);
      if ((side > 0) == (b.y > a.y)) inside = !inside;
    }
  }
  return inside ? Place::Inside : Place::Outside;
}

bool strictlyWithin(const Box& inner, const Box& outer) {
  return outer.min.x < inner.min.x && outer.min.y < inner.min.y && inner.max.x < outer.max.x &&
         inner.max.y < outer.max.y;
}

}  // namespace

std::size_t Nesting::vertexCount(std::size_t path) const {
  const JobPath& p = paths[path];
  return p.last - p.first + (p.closed ? 0 : 1);
}

Nesting findNesting(const std::vector<PathPoint>& points, bool axesExchanged) {
  Nesting nesting;
  nesting.vertices.reserve(points.size());
  for (const PathPoint& p : points) {
    nesting.vertices.push_back(axesExchanged ? Vertex{p.y, p.x} : Vertex{p.x, p.y});
  }
  for (std::size_t i = 0; i < points.size();) {
    if (points[i].penUp) {
      ++i;
      continue;
    }
    JobPath path;
    path.first = i;
    path.box = {nesting.vertices[i], nesting.vertices[i]};
    while (i < points.size() && !points[i].penUp) {
      const Vertex& v = nesting.vertices[i];
      path.box.min = {std::min(path.box.min.x, v.x), std::min(path.box.min.y, v.y)};
      path.box.max = {std::max(path.box.max.x, v.x), std::max(path.box.max.y, v.y)};
      ++i;
    }
    path.last = i - 1;
    path.closed =
        path.last >= path.first + 3 && nesting.vertices[path.first] == nesting.vertices[path.last];
    nesting.paths.push_back(path);
  }

  const std::size_t n = nesting.paths.size();
  nesting.containers.resize(n);
  nesting.contents.resize(n);
  std::vector<std::size_t> closedPaths;
  for (std::size_t i = 0; i < n; ++i) {
    if (nesting.paths[i].closed) closedPaths.push_back(i);
  }
  if (closedPaths.empty()) return nesting;
  BoxIndex index;
  index.build(nesting.paths, closedPaths);

  std::vector<std::size_t> candidates;
  for (std::size_t a = 0; a < n; ++a) {
    const JobPath& inner = nesting.paths[a];
    candidates.clear();
    index.covering(inner.box, candidates);
    std::sort(candidates.begin(), candidates.end());
    for (const std::size_t b : candidates) {
      const JobPath& outer = nesting.paths[b];
      // A path strictly inside a closed one lies strictly inside its box,
      // which also keeps two paths from lying inside each other.
      if (b == a || !strictlyWithin(inner.box, outer.box)) continue;
      const Vertex* ring = &nesting.vertices[outer.first];
      const std::size_t ringSize = outer.last - outer.first;
      bool inside = true;
      for (std::size_t k = inner.first; inside && k <= inner.last; ++k) {
        inside = placeInRing(nesting.vertices[k], ring, ringSize) == Place::Inside;
      }
      // Every vertex inside, yet an edge may still leave a concave outline.
      for (std::size_t k = inner.first; inside && k < inner.last; ++k) {
        for (std::size_t m = 0; inside && m < ringSize; ++m) {
          inside =
              !segmentsMeet(nesting.vertices[k], nesting.vertices[k + 1], ring[m], ring[m + 1]);
        }
      }
      if (!inside) continue;
      nesting.containers[a].push_back(b);
      nesting.contents[b].push_back(a);
    }
  }
  return nesting;
}

}  // namespace corvane::order
