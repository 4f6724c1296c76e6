#include "toolwindow/standins/host/standin_geometry.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <type_traits>
#include <utility>

#include "toolwindow/standins/host/standin_even_odd.h"

namespace corvane::standin::geometry {
namespace {

namespace buffer = boost::geometry::strategy::buffer;

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

// The even-odd area of a shape's closed paths. What of them encloses
// nothing (a spike drawn out and back, a closed path of two points) is added
// to `needles`.
BArea closedArea(const Paths& shape, BLines& needles) {
  std::vector<BArea> areas;
  for (const Path& path : shape) {
    if (path.closed) areas.push_back(evenOddArea(path.points, needles));
  }
  return evenOddOf(std::move(areas));
}

BArea closedArea(const Paths& shape) {
  BLines needles;
  return closedArea(shape, needles);
}

Path pathOfLine(const BLine& line) {
  Path path;
  for (const BPoint& p : line) path.points.push_back({p.x(), p.y()});
  return path;
}

// The lines of a shape, which a boundary or a contour keeps as they are:
// its open paths, and the needles of its closed paths outside its area.
BLines linesOf(const Paths& shape, const BArea& area, const BLines& needles) {
  BLines lines;
  for (const Path& path : shape) {
    if (path.closed) continue;
    BLine line = lineOf(path);
    if (line.size() >= 2) lines.push_back(std::move(line));
  }
  // A shape that encloses nothing has no boundary of its closed paths.
  if (needles.empty() || bg::is_empty(area)) return lines;
  BLines outside;
  bg::difference(needles, area, outside);
  lines.insert(lines.end(), outside.begin(), outside.end());
  return lines;
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

// The corners of the area's rings that point outward more sharply than the
// limit lets a miter reach. Boost cuts such a corner off, and at a sliver
// of a corner (a spike drawn out and nearly back) it cuts it closer to the
// corner than the distance.
std::vector<BPoint> cutCorners(const BPolygon& polygon, double miterRatio) {
  const double sharpest = 2 * std::asin(std::min(1.0, 1 / miterRatio));
  std::vector<BPoint> corners;
  const auto visit = [&](const BPolygon::ring_type& ring) {
    if (ring.size() < 4) return;
    const std::size_t n = ring.size() - 1;  // the last point closes the ring
    for (std::size_t i = 0; i < n; ++i) {
      const BPoint& before = ring[(i + n - 1) % n];
      const BPoint& at = ring[i];
      const BPoint& after = ring[i + 1];
      const double ax = before.x() - at.x();
      const double ay = before.y() - at.y();
      const double bx = after.x() - at.x();
      const double by = after.y() - at.y();
      // Rings go clockwise round the area, holes the other way: the area
      // lies to the right, so an outward corner turns right.
      const bool outward = ax * by - ay * bx > 0;
      if (outward && std::atan2(std::abs(ax * by - ay * bx), ax * bx + ay * by) < sharpest) {
        corners.push_back(at);
      }
    }
  };
  visit(polygon.outer());
  for (const auto& hole : polygon.inners()) visit(hole);
  return corners;
}

// Piece by piece, then united: a piece's contour differs from the whole's
// only where pieces overlap, and Boost's buffer of hundreds of pieces at
// once costs many times the union of their own contours. A corner that the
// miter limit cuts keeps at least the distance round it.
template <class Pieces>
BArea bufferedPieces(const Pieces& pieces, double distance, const ContourStyle& style) {
  std::vector<BArea> parts;
  parts.reserve(pieces.size());
  for (const auto& piece : pieces) {
    parts.push_back(buffered(piece, distance, style));
    if constexpr (std::is_same_v<std::decay_t<decltype(piece)>, BPolygon>) {
      if (distance <= 0 || style.join == ContourStyle::Join::Round) continue;
      const double ratio = style.join == ContourStyle::Join::Bevel ? 1.0 : style.miterRatio;
      for (const BPoint& corner : cutCorners(piece, ratio)) {
        parts.push_back(buffered(corner, distance, buffer::join_round(kPointsPerCircle),
                                 buffer::end_round(kPointsPerCircle)));
      }
    }
  }
  return unionOf(std::move(parts));
}

}  // namespace

host::HostResult<Paths> unionOutline(const std::vector<Paths>& shapes) {
  std::vector<BArea> areas;
  Paths lines;
  for (const Paths& shape : shapes) {
    BLines needles;
    BArea area = closedArea(shape, needles);
    for (const BLine& line : linesOf(shape, area, needles)) lines.push_back(pathOfLine(line));
    areas.push_back(std::move(area));
  }
  const BArea all = unionOf(std::move(areas));
  if (bg::is_empty(all) && lines.empty()) {
    return failure("No boundary can be made: the objects enclose no area and have no lines.");
  }
  Paths paths = pathsOf(all);
  paths.insert(paths.end(), lines.begin(), lines.end());
  return paths;
}

host::HostResult<Paths> offsetOutline(const Paths& shape, double distance,
                                      const ContourStyle& style) {
  BLines needles;
  const BArea area = closedArea(shape, needles);
  BArea result = bufferedPieces(area, distance, style);
  if (distance > 0) {
    BLines lines;
    for (BLine& line : linesOf(shape, area, needles)) {
      lines.push_back(style.cap == ContourStyle::Cap::Square
                          ? extendedEnds(std::move(line), distance)
                          : std::move(line));
    }
    if (!lines.empty()) result = unite(result, bufferedPieces(lines, distance, style));
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
      const auto set = [&](std::size_t c) { return isSetPixel(pixels[c]); };
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
  std::vector<BArea> areas;
  Paths open;
  for (const Paths& shape : shapes) {
    areas.push_back(closedArea(shape));
    for (const Path& path : shape) {
      if (!path.closed) open.push_back(path);
    }
  }
  Paths paths = pathsOf(unionOf(std::move(areas)));
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
    cover = unite(cover, closedArea(shapes[i]));
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

double enclosedArea(const Paths& shape) { return bg::area(closedArea(shape)); }

}  // namespace corvane::standin::geometry
