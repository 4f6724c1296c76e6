#include <gtest/gtest.h>

#include <vector>

#include "standin/host_steps.h"
#include "toolwindow/standin/standin_geometry.h"
#include "toolwindow/standin/standin_host.h"

namespace corvane::standin {
namespace {

using corvane::testing::kPlotterUnitMm;
using corvane::testing::measure;
using corvane::testing::ok;
using corvane::testing::outsideContour;
using corvane::testing::shapeOn;

std::vector<bool> closedFlags(const ShapeView& shape) {
  std::vector<bool> flags;
  for (const Path& path : shape.paths) flags.push_back(path.closed);
  return flags;
}

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

TEST(StandInGeometry, OpenLineHasNoBoundary) {
  StandInHost host;
  host.addOpenLine("Layer 1", "Line", {{0, 0}, {50, 0}, {50, 30}});
  EXPECT_FALSE(
      host.RunBoundaryCommand(shapeOn(host, "Layer 1", "Line"), "Boundary", "CreateBoundary").ok());
}

}  // namespace
}  // namespace corvane::standin
