#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "support/contour_fit.h"

#include "standin/host_steps.h"
#include "toolwindow/standins/host/standin_geometry.h"
#include "toolwindow/standins/host/standin_host.h"

namespace corvane::standin {
namespace {

using corvane::testing::kPlotterUnitMm;
using corvane::testing::measure;
using corvane::testing::ok;
using corvane::testing::outsideContour;
using corvane::testing::shapeOn;

std::vector<bool> closedFlags(const std::vector<Path>& paths) {
  std::vector<bool> flags;
  for (const Path& path : paths) flags.push_back(path.closed);
  return flags;
}

std::vector<bool> closedFlags(const ShapeView& shape) { return closedFlags(shape.paths); }

TEST(StandInGeometry, ContourOfARectangleGrowsItsBoxByTheOffsetOnEachSide) {
  StandInHost host;
  host.addRectangle("Layer 1", "R", 10, 20, 100, 50);
  measure(host);
  const host::Size size =
      ok(host.ReadShapeSize(outsideContour(host, shapeOn(host, "Layer 1", "R"), 2)));
  EXPECT_NEAR(size.width, 104, kPlotterUnitMm);
  EXPECT_NEAR(size.height, 54, kPlotterUnitMm);
}

TEST(StandInGeometry, ContourOfAnLShapeEnclosesTheOffsetAreaNotItsBox) {
  StandInHost host;
  host.addLShape("Layer 1", "L", 0, 0, 60, 60, 20);
  measure(host);
  ok(host.SetShapeName(outsideContour(host, shapeOn(host, "Layer 1", "L"), 2), "Contour"));
  // Mitered, the L grows into two 64 x 24 arms sharing a 24 x 24 corner;
  // its box would be 64 x 64 = 4096. A plotter unit along the 256 mm edge
  // is 6.4 square millimetres.
  EXPECT_NEAR(geometry::enclosedArea(host.shape("Layer 1", "Contour").paths), 2 * 64 * 24 - 24 * 24,
              256 * kPlotterUnitMm);
}

TEST(StandInGeometry, SquaresThreeMillimetresApartShareAContourOnlyWhenItBridgesTheGap) {
  const struct {
    double offset;
    std::size_t outlines;
  } cases[] = {{2.0, 1}, {1.0, 2}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.offset);
    StandInHost host;
    host.addRectangle("Layer 1", "A", 0, 0, 10, 10);
    host.addRectangle("Layer 1", "B", 13, 0, 10, 10);
    host.selectAll();
    measure(host);
    const host::Shape merged = ok(host.MergeShapes(ok(host.GetSelectionRange())));
    ok(host.SetShapeName(outsideContour(host, merged, c.offset), "Contour"));
    EXPECT_EQ(host.shape("Layer 1", "Contour").paths.size(), c.outlines);
  }
}

TEST(StandInGeometry, BoundariesOfThreeSeparateShapesMergeIntoOneShapeOfThreeClosedOutlines) {
  StandInHost host;
  host.addRectangle("Layer 1", "A", 0, 0, 10, 10);
  host.addLShape("Layer 1", "B", 20, 0, 30, 30, 8);
  host.addPolygon("Layer 1", "C", {{60, 0}, {80, 0}, {70, 15}});
  measure(host);
  const host::Layer trace = ok(host.AddPageLayer("TraceLayer"));
  ok(host.MakeLayerCurrent(trace));
  for (const char* name : {"A", "B", "C"}) {
    ok(host.RunBoundaryCommand(shapeOn(host, "Layer 1", name), "Boundary", "CreateBoundary"));
  }
  ok(host.SetShapeName(ok(host.MergeShapes(ok(host.GetLayerShapes(trace)))), "TraceLine"));
  EXPECT_EQ(closedFlags(host.shape("TraceLayer", "TraceLine")), std::vector<bool>(3, true));
}

TEST(StandInGeometry, BitmapMaskOfTwoBlobsVectorisesToTwoOutlinesLeftSelected) {
  StandInHost host;
  host.addBitmap("Layer 1", "Picture",
                 BitmapMask{0, 20, 1, {"###....", "###..##", "....###", "....###"}});
  const host::Vectorising vectorising =
      ok(host.VectoriseBitmap(shapeOn(host, "Layer 1", "Picture"),
                              host::VectoriseSettings{4, 25, 100, 5, 0, 9, false, true, false}));
  ok(host.FinishVectorising(vectorising));
  std::vector<std::vector<bool>> outlines;
  for (const ShapeView& shape : host.selection()) outlines.push_back(closedFlags(shape));
  EXPECT_EQ(outlines, (std::vector<std::vector<bool>>{{true}, {true}}));
}

std::vector<testing::FitLine> fitLines(const std::vector<Path>& paths) {
  std::vector<testing::FitLine> lines;
  for (const Path& path : paths) {
    testing::FitLine line{{}, path.closed};
    for (const host::Point& p : path.points) line.points.push_back({p.x, p.y});
    lines.push_back(std::move(line));
  }
  return lines;
}

// The trace as the tool window asks the host for it: a boundary of each
// shape on the trace layer, merged, and the outside contour of that.
std::vector<Path> traced(StandInHost& host, double offset) {
  const std::vector<ShapeView> shapes = host.layers().front().shapes;
  measure(host);
  const host::Layer trace = ok(host.AddPageLayer("TraceLayer"));
  ok(host.MakeLayerCurrent(trace));
  for (const ShapeView& shape : shapes) {
    ok(host.RunBoundaryCommand(shapeOn(host, "Layer 1", shape.name), "Boundary", "CreateBoundary"));
  }
  const host::Shape merged = ok(host.MergeShapes(ok(host.GetLayerShapes(trace))));
  if (offset == 0) return host.layers().back().shapes.front().paths;
  ok(host.SetShapeName(outsideContour(host, merged, offset), "Contour"));
  return host.shape("TraceLayer", "Contour").paths;
}

Path closed(std::vector<host::Point> points) { return {std::move(points), true}; }
Path open(std::vector<host::Point> points) { return {std::move(points), false}; }

Path pentagram(double cx, double cy, double radius) {
  Path star{{}, true};
  for (int k = 0; k < 5; ++k) {
    const double angle = std::numbers::pi / 2 + k * 4 * std::numbers::pi / 5;
    star.points.push_back({cx + radius * std::cos(angle), cy + radius * std::sin(angle)});
  }
  return star;
}

// The trace's miter limit of 15 degrees lets a corner reach 1 / sin(7.5 deg)
// times the offset.
const double kMiterReach = 1 / std::sin(7.5 * std::numbers::pi / 180);

TEST(StandInGeometry, DrawingsAsOtherProgramsExportThemTraceToAContourAroundEveryPoint) {
  const struct {
    const char* what;
    std::vector<std::vector<Path>> shapes;
    std::vector<host::Point> holes;  // points the contour leaves out
  } cases[] = {
      {"closed curve with a small loop where two segments overshoot the corner",
       {{closed({{0, 0}, {41, 0}, {40, -1}, {40, 30}, {0, 30}})}},
       {}},
      {"figure-eight", {{closed({{0, 0}, {30, 20}, {30, 0}, {0, 20}})}}, {}},
      {"curve through one point twice, and a point repeated at once",
       {{closed({{0, 0},
                 {10, 0},
                 {10, 10},
                 {20, 10},
                 {20, 20},
                 {20, 20},
                 {10, 20},
                 {10, 10},
                 {0, 10}})}},
       {}},
      {"spike drawn out and back",
       {{closed({{0, 0}, {20, 0}, {20, 10}, {30, 10}, {20, 10}, {20, 20}, {0, 20}})}},
       {}},
      {"pentagram in one self-crossing path", {{pentagram(50, 50, 30)}}, {{50, 50}}},
      {"letter O with its counter",
       {{closed({{0, 0}, {20, 0}, {20, 30}, {0, 30}}),
         closed({{6, 6}, {14, 6}, {14, 24}, {6, 24}})}},
       {{10, 15}}},
      {"outline of four open strokes that nearly meet",
       {{open({{0, 0}, {39.8, 0}})},
        {open({{40, 0.2}, {40, 30}})},
        {open({{39.8, 30.1}, {0.1, 30}})},
        {open({{0, 29.9}, {0, 0.2}})}},
       {}},
      {"single open line", {{open({{0, 0}, {50, 10}, {80, 0}})}}, {}},
      {"closed shape with an open stroke beside it",
       {{closed({{0, 0}, {20, 0}, {20, 20}, {0, 20}}), open({{30, 0}, {30, 20}})}},
       {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    StandInHost host;
    char name = 'A';
    for (const std::vector<Path>& shape : c.shapes)
      host.addShape("Layer 1", std::string(1, name++), shape);
    std::vector<Path> drawing;
    for (const std::vector<Path>& shape : c.shapes)
      drawing.insert(drawing.end(), shape.begin(), shape.end());
    const auto contour = fitLines(traced(host, 2));
    const testing::ContourFit fit = testing::fitOf(fitLines(drawing), contour);
    bool holesLeftOut = true;
    for (const host::Point& hole : c.holes)
      holesLeftOut &= !testing::inside({hole.x, hole.y}, contour);
    EXPECT_TRUE(fit.holds(2, 2 * kMiterReach) && holesLeftOut) << fit.where;
  }
}

TEST(StandInGeometry, TwentyDegreeSpikeKeepsItsLongMiter) {
  StandInHost host;
  const double tip = 100 * std::tan(10 * std::numbers::pi / 180);
  host.addShape("Layer 1", "A", {closed({{0, -tip}, {100, 0}, {0, tip}})});
  // 2 mm / sin(10 deg) beyond the tip, along the spike.
  double reach = 0;
  for (const Path& path : traced(host, 2)) {
    for (const host::Point& p : path.points) reach = std::max(reach, p.x - 100);
  }
  EXPECT_NEAR(reach, 2 / std::sin(10 * std::numbers::pi / 180), 0.05);
}

TEST(StandInGeometry, AtNoOffsetTheTraceLineIsTheBoundariesOpenLinesIncluded) {
  StandInHost host;
  host.addShape("Layer 1", "A", {closed({{0, 0}, {30, 20}, {30, 0}, {0, 20}})});
  host.addOpenLine("Layer 1", "B", {{40, 0}, {50, 10}});
  EXPECT_EQ(closedFlags(traced(host, 0)), (std::vector<bool>{true, true, false}));
}

}  // namespace
}  // namespace corvane::standin
