#include "toolwindow/standin/standin_geometry.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>
#include <utility>

#include <boost/geometry.hpp>
#include <boost/geometry/geometries/linestring.hpp>
#include <boost/geometry/geometries/multi_linestring.hpp>
#include <boost/geometry/geometries/multi_polygon.hpp>
#include <boost/geometry/geometries/point_xy.hpp>
#include <boost/geometry/geometries/polygon.hpp>

namespace corvane::standin::geometry {
namespace {

namespace bg = boost::geometry;
namespace buffer = boost::geometry::strategy::buffer;

using BPoint = bg::model::d2::point_xy<double>;
using BPolygon = bg::model::polygon<BPoint>;
using BArea = bg::model::multi_polygon<BPolygon>;
using BLine = bg::model::linestring<BPoint>;
using BLines = bg::model::multi_linestring<BLine>;

// Round joins and caps: the chord of 4 degrees of a 10 mm arc strays 6 um
// from it, well inside one plotter unit (25 um).
constexpr int kPointsPerCircle = 90;
// Collinear points left by unions of pixel squares and box edges.
constexpr double kCollinearTolerance = 1e-6;

BPoint toBoost(const host::Point& p) { return BPoint(p.x, p.y); }

host::HostError failure(std::string text) { return host::HostError{"", std::move(text)}; }

BLine lineOf(const Path& path) {
  BLine line;
  for (const host::Point& p : path.points) line.push_back(toBoost(p));
  if (path.closed && !path.points.empty()) line.push_back(toBoost(path.points.front()));
  bg::unique(line);
  return line;
}

Path pathOfRing(const BPolygon::ring_type& ring) {
  Path path;
  path.closed = true;
  for (const BPoint& p : ring) path.points.push_back({p.x(), p.y()});
  if (path.points.size() > 1) path.points.pop_back();  // the closing point
  return path;
}

Paths pathsOf(const BArea& area) {
  BArea clean;
  bg::simplify(area, clean, kCollinearTolerance);
  Paths paths;
  for (const BPolygon& polygon : clean) {
    paths.push_back(pathOfRing(polygon.outer()));
    for (const auto& hole : polygon.inners()) paths.push_back(pathOfRing(hole));
  }
  return paths;
}

// The even-odd area of a shape's closed paths; nullopt when one crosses
// itself, which the set operations cannot take.
std::optional<BArea> closedArea(const Paths& shape) {
  BArea area;
  for (const Path& path : shape) {
    if (!path.closed || path.points.size() < 3) continue;
    BPolygon ring;
    for (const host::Point& p : path.points) ring.outer().push_back(toBoost(p));
    ring.outer().push_back(toBoost(path.points.front()));
    bg::unique(ring);
    bg::correct(ring);
    if (bg::area(ring) <= 0) continue;
    if (!bg::is_valid(ring)) return std::nullopt;
    BArea next;
    bg::sym_difference(area, ring, next);
    area = std::move(next);
  }
  return area;
}

BArea unite(const BArea& a, const BArea& b) {
  BArea out;
  bg::union_(a, b, out);
  return out;
}

// Open lines get their square caps by growing each end by the distance
// before a flat end is put on.
BLine extendedEnds(BLine line, double distance) {
  if (line.size() < 2) return line;
  const auto grow = [distance](BPoint& end, const BPoint& inner) {
    const double dx = end.x() - inner.x();
    const double dy = end.y() - inner.y();
    const double length = std::hypot(dx, dy);
    if (length > 0)
      end = BPoint(end.x() + dx / length * distance, end.y() + dy / length * distance);
  };
  grow(line.front(), line[1]);
  grow(line.back(), line[line.size() - 2]);
  return line;
}

template <class Geometry, class Join, class End>
BArea buffered(const Geometry& geometry, double distance, const Join& join, const End& end) {
  BArea out;
  bg::buffer(geometry, out, buffer::distance_symmetric<double>(distance), buffer::side_straight(),
             join, end, buffer::point_circle(kPointsPerCircle));
  return out;
}

template <class Geometry>
BArea buffered(const Geometry& geometry, double distance, const ContourStyle& style) {
  const buffer::end_flat flat;
  const buffer::end_round round(kPointsPerCircle);
  const auto withJoin = [&](const auto& join) {
    return style.cap == ContourStyle::Cap::Round ? buffered(geometry, distance, join, round)
                                                 : buffered(geometry, distance, join, flat);
  };
  switch (style.join) {
    case ContourStyle::Join::Round:
      return withJoin(buffer::join_round(kPointsPerCircle));
    case ContourStyle::Join::Bevel:
      // A miter cut off at the distance itself: the corner is bevelled.
      return withJoin(buffer::join_miter(1.0));
    case ContourStyle::Join::Miter:
      break;
  }
  return withJoin(buffer::join_miter(style.miterRatio));
}

}  // namespace

host::HostResult<Paths> unionOutline(const std::vector<Paths>& shapes) {
  BArea all;
  for (const Paths& shape : shapes) {
    const std::optional<BArea> area = closedArea(shape);
    if (!area) return failure("The outline of an object crosses itself.");
    all = unite(all, *area);
  }
  if (bg::is_empty(all)) return failure("No boundary can be made: the objects enclose no area.");
  return pathsOf(all);
}

host::HostResult<Paths> offsetOutline(const Paths& shape, double distance,
                                      const ContourStyle& style) {
  const std::optional<BArea> area = closedArea(shape);
  if (!area) return failure("The outline of the object crosses itself.");
  BArea result = bg::is_empty(*area) ? BArea() : buffered(*area, distance, style);
  if (distance > 0) {
    BLines lines;
    for (const Path& path : shape) {
      if (path.closed) continue;
      BLine line = lineOf(path);
      if (line.size() < 2) continue;
      lines.push_back(style.cap == ContourStyle::Cap::Square ? extendedEnds(line, distance) : line);
    }
    if (!lines.empty()) result = unite(result, buffered(lines, distance, style));
  }
  if (bg::is_empty(result)) return failure("The contour leaves nothing of the object.");
  return pathsOf(result);
}

std::vector<Paths> traceMask(const BitmapMask& mask) {
  // Runs of set pixels along each row, then the union of those strips.
  BArea all;
  for (std::size_t row = 0; row < mask.rows.size(); ++row) {
    const std::string& pixels = mask.rows[row];
    const double top = mask.top - static_cast<double>(row) * mask.pixelSize;
    const double bottom = top - mask.pixelSize;
    BArea strips;
    std::size_t column = 0;
    while (column < pixels.size()) {
      const auto set = [&](std::size_t c) { return pixels[c] != '.' && pixels[c] != ' '; };
      if (!set(column)) {
        ++column;
        continue;
      }
      const std::size_t first = column;
      while (column < pixels.size() && set(column)) ++column;
      const double left = mask.left + static_cast<double>(first) * mask.pixelSize;
      const double right = mask.left + static_cast<double>(column) * mask.pixelSize;
      BPolygon strip;
      bg::append(strip.outer(), BPoint(left, bottom));
      bg::append(strip.outer(), BPoint(left, top));
      bg::append(strip.outer(), BPoint(right, top));
      bg::append(strip.outer(), BPoint(right, bottom));
      bg::append(strip.outer(), BPoint(left, bottom));
      bg::correct(strip);
      strips.push_back(strip);
    }
    all = unite(all, strips);
  }
  std::vector<Paths> blobs;
  for (const BPolygon& blob : all) blobs.push_back(pathsOf(BArea{blob}));
  return blobs;
}

Paths welded(const std::vector<Paths>& shapes) {
  BArea all;
  Paths open;
  for (const Paths& shape : shapes) {
    if (const std::optional<BArea> area = closedArea(shape)) all = unite(all, *area);
    for (const Path& path : shape) {
      if (!path.closed) open.push_back(path);
    }
  }
  Paths paths = pathsOf(all);
  paths.insert(paths.end(), open.begin(), open.end());
  return paths;
}

std::vector<Paths> withoutHiddenLines(const std::vector<Paths>& shapes) {
  std::vector<Paths> visible(shapes.size());
  BArea cover;  // the closed areas of every shape above the one at hand
  for (std::size_t i = shapes.size(); i-- > 0;) {
    for (const Path& path : shapes[i]) {
      const BLine line = lineOf(path);
      if (bg::is_empty(cover) || !bg::intersects(line, cover)) {
        visible[i].push_back(path);
        continue;
      }
      BLines pieces;
      bg::difference(line, cover, pieces);
      for (const BLine& piece : pieces) {
        Path open;
        for (const BPoint& p : piece) open.points.push_back({p.x(), p.y()});
        visible[i].push_back(std::move(open));
      }
    }
    if (const std::optional<BArea> area = closedArea(shapes[i])) cover = unite(cover, *area);
  }
  return visible;
}

Paths simplified(const Paths& shape, double tolerance) {
  Paths out;
  for (const Path& path : shape) {
    const BLine line = lineOf(path);
    BLine kept;
    bg::simplify(line, kept, tolerance);
    // A closed path needs three corners left; a line its two ends.
    if (kept.size() < (path.closed ? 4U : 2U)) {
      out.push_back(path);
      continue;
    }
    Path simple;
    simple.closed = path.closed;
    for (const BPoint& p : kept) simple.points.push_back({p.x(), p.y()});
    if (path.closed) simple.points.pop_back();
    out.push_back(std::move(simple));
  }
  return out;
}

double enclosedArea(const Paths& shape) {
  const std::optional<BArea> area = closedArea(shape);
  return area ? bg::area(*area) : 0.0;
}

}  // namespace corvane::standin::geometry
