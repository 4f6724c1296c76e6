#include <gtest/gtest.h>

#include <string>

#include "standin/host_steps.h"
#include "toolwindow/standins/host/standin_host.h"

namespace corvane::standin {
namespace {

using corvane::testing::measure;
using corvane::testing::ok;
using corvane::testing::outsideContour;

// The selection traced as the tool window traces it: the boundary of each
// shape copied to "TraceLayer", merged, widened and coloured red.
void trace(StandInHost& host, double offset) {
  measure(host);
  const host::Layer traceLayer = ok(host.AddPageLayer("TraceLayer"));
  ok(host.MakeLayerCurrent(traceLayer));
  const host::ShapeRange selection = ok(host.GetSelectionRange());
  for (std::int32_t n = 1; n <= ok(host.RangeCount(selection)); ++n) {
    const host::Shape boundary =
        ok(host.RunBoundaryCommand(ok(host.RangeItem(selection, n)), "Boundary", "CreateBoundary"));
    ok(host.CopyShapeToLayer(boundary, traceLayer));
    ok(host.RemoveShape(boundary));
  }
  const host::Shape merged = ok(host.MergeShapes(ok(host.GetLayerShapes(traceLayer))));
  const host::Shape contour = outsideContour(host, merged, offset);
  ok(host.RemoveShape(merged));
  ok(host.SetOutlineCmyk(contour, 0, 100, 100, 0));
  ok(host.SetShapeName(contour, "TraceLine"));
  ok(host.SetLayerPrintable(traceLayer, false));
}

// Four L-shaped marks 20 mm outside the contour's box, as one curve.
void addMarks(StandInHost& host) {
  measure(host);
  const host::Shape line =
      ok(host.FindLayerShape(ok(host.FindPageLayer("TraceLayer")), "TraceLine"));
  const host::Point p = ok(host.ReadShapePosition(line));
  const host::Size s = ok(host.ReadShapeSize(line));
  const double l = p.x, t = p.y, r = p.x + s.width, b = p.y - s.height, d = 20;
  const host::Layer marks = ok(host.AddPageLayer("MarkLayer"));
  const host::Curve curve = ok(host.NewCurve(ok(host.GetActiveDocument())));
  const host::Point corners[4][3] = {{{l, t + d}, {l - d, t + d}, {l - d, t}},
                                     {{r, t + d}, {r + d, t + d}, {r + d, t}},
                                     {{r + d, b}, {r + d, b - d}, {r, b - d}},
                                     {{l, b - d}, {l - d, b - d}, {l - d, b}}};
  for (const auto& mark : corners) {
    const host::Subpath subpath = ok(host.BeginSubpath(curve, mark[0].x, mark[0].y));
    ok(host.ExtendSubpathLine(subpath, mark[1].x, mark[1].y));
    ok(host.ExtendSubpathLine(subpath, mark[2].x, mark[2].y));
  }
  const host::Shape markLine = ok(host.PlaceCurveShape(marks, curve));
  ok(host.SetShapeName(markLine, "MarkLine"));
  ok(host.SetOutlineWidth(markLine, 1.0));
}

std::string lineOf(const std::string& svg, const std::string& shape) {
  const auto at = svg.find("data-shape=\"" + shape + "\"");
  return at == std::string::npos ? std::string() : svg.substr(at, svg.find('\n', at) - at);
}

TEST(StandInPicture, TracedLetteringWithMarksShowsARedTraceLine) {
  StandInHost host;
  ok(host.openPltDocument(CORVANE_SAMPLES_DIR "/lettering.plt"));
  host.selectAll();
  trace(host, 2.0);
  addMarks(host);
  // Kept in the build tree for a look: convert it to PNG to view it.
  ok(host.writeSvgPicture(CORVANE_PICTURES_DIR "/traced-lettering.svg"));
  EXPECT_NE(lineOf(host.svgPicture(), "TraceLine").find("stroke=\"rgb(255,0,0)\""),
            std::string::npos);
}

}  // namespace
}  // namespace corvane::standin
