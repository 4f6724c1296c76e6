#pragma once

// Boost.Geometry's types for the stand-in's geometry, and the even-odd area
// of paths as a drawing application fills them: crossings, loops at joints,
// figure-eights and repeated points included. Only the geometry's own
// translation units include this.

#include <vector>

#include <boost/geometry.hpp>
#include <boost/geometry/geometries/box.hpp>
#include <boost/geometry/geometries/linestring.hpp>
#include <boost/geometry/geometries/multi_linestring.hpp>
#include <boost/geometry/geometries/multi_polygon.hpp>
#include <boost/geometry/geometries/point_xy.hpp>
#include <boost/geometry/geometries/polygon.hpp>

#include "toolwindow/standins/host/standin_host.h"

namespace corvane::standin::geometry {

namespace bg = boost::geometry;

using BPoint = bg::model::d2::point_xy<double>;
using BPolygon = bg::model::polygon<BPoint>;
using BArea = bg::model::multi_polygon<BPolygon>;
using BLine = bg::model::linestring<BPoint>;
using BLines = bg::model::multi_linestring<BLine>;

// The area a closed path encloses by the even-odd rule. The path is cut at
// every crossing and touching into simple loops, which are combined
// even-odd. Parts drawn out and back over themselves enclose nothing; they
// are added to `needles` as lines.
BArea evenOddArea(const std::vector<host::Point>& ring, BLines& needles);

// Areas combined pairwise as a balanced tree, neighbours first: the work
// grows as n log n with the number of areas, not n squared.
BArea evenOddOf(std::vector<BArea> areas);
BArea unionOf(std::vector<BArea> areas);

}  // namespace corvane::standin::geometry
