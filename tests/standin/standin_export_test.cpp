#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "output/engine/plt_converter.h"
#include "output/pipeline/convert_job.h"
#include "standin/host_steps.h"
#include "support/recording_operator.h"
#include "support/temp_dir.h"
#include "toolwindow/standins/host/standin_host.h"

namespace corvane::standin {
namespace {

using corvane::testing::measure;
using corvane::testing::ok;
using corvane::testing::RecordingOperator;
using corvane::testing::TempDir;
using Property = std::pair<std::string, host::FilterValue>;
using Runs = std::vector<std::vector<PathPoint>>;

// The tool window's export settings, in its order.
std::vector<Property> toolSettings() {
  return {{"ScaleFactor", 100.0},
          {"PlotterUnits", std::int16_t{1016}},
          {"CurveResolution", 0.0004},
          {"RemoveHiddenLines", false},
          {"AutomaticWeld", false}};
}

// Exports the selection as Cut/Plot does, with one setting changed.
void exportSelection(StandInHost& host, const std::string& file, const Property& changed = {}) {
  measure(host);
  const host::ExportFilter filter =
      ok(host.ExportDocument(ok(host.GetActiveDocument()), file, host::kFilterPlt,
                             host::kExportRangeSelection, ok(host.NewExportOptions())));
  for (const auto& [name, value] : toolSettings()) {
    ok(host.SetFilterProperty(filter, name, name == changed.first ? changed.second : value));
  }
  ok(host.FinishExport(filter));
}

std::vector<PathPoint> readBack(const std::string& file) {
  RecordingOperator op;
  PltConverter job(op);
  EXPECT_TRUE(job.readPlt(file));
  return job.points();
}

Runs penDownRuns(const std::vector<PathPoint>& points) {
  Runs runs;
  bool inRun = false;
  for (const PathPoint& p : points) {
    if (p.penUp) {
      inRun = false;
      continue;
    }
    if (!inRun) runs.emplace_back();
    inRun = true;
    runs.back().push_back(p);
  }
  return runs;
}

// What the drawing's shapes should read back as, in plotter units.
Runs drawnRuns(const StandInHost& host) {
  Runs runs;
  for (const LayerView& layer : host.layers()) {
    for (const ShapeView& shape : layer.shapes) {
      for (const Path& path : shape.paths) {
        std::vector<host::Point> points = path.points;
        if (path.closed) points.push_back(points.front());
        runs.emplace_back();
        for (const host::Point& p : points) {
          runs.back().push_back({static_cast<std::int32_t>(std::lround(p.x * 40)),
                                 static_cast<std::int32_t>(std::lround(p.y * 40)), 0});
        }
      }
    }
  }
  return runs;
}

bool withinOneUnit(const Runs& a, const Runs& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (!std::equal(a[i].begin(), a[i].end(), b[i].begin(), b[i].end(),
                    [](const PathPoint& p, const PathPoint& q) {
                      return std::abs(p.x - q.x) <= 1 && std::abs(p.y - q.y) <= 1;
                    })) {
      return false;
    }
  }
  return true;
}

TEST(StandInExport, DrawingOpenedFromAFileReadsBackAsItsPenDownPoints) {
  TempDir dir;
  StandInHost host;
  ok(host.openPltDocument(CORVANE_SAMPLES_DIR "/lettering.plt"));
  host.selectAll();
  exportSelection(host, dir.file("job.plt"));
  EXPECT_TRUE(withinOneUnit(penDownRuns(readBack(dir.file("job.plt"))), drawnRuns(host)));
}

TEST(StandInExport, DbCornerPutsTheDrawingTenMillimetresInsideTheOutputProgramsOrigin) {
  TempDir dir;
  StandInHost host;
  ok(host.openPltDocument(CORVANE_SAMPLES_DIR "/lettering.plt"));
  host.selectAll();
  exportSelection(host, dir.file("job.plt"));
  // The corner as Cut/Plot writes it: right + 10 mm, bottom - 10 mm.
  const host::Box box = ok(host.RangeBoundingBox(ok(host.GetSelectionRange())));
  const auto units = [](double mm) { return std::to_string(std::llround(std::floor(mm * 40))); };
  const std::string db = "DB0,0," + units(box.right + 10) + "," + units(box.bottom - 10) + ";\r\n";
  corvane::testing::writeFile(dir.file("job.plt"),
                              db + corvane::testing::readFile(dir.file("job.plt")));
  RecordingOperator op;
  ConvertRequest request;
  request.jobPath = dir.file("job.plt");
  request.streamPath = dir.file("stream");
  request.intermediatePath = dir.file("intermediate");
  ASSERT_TRUE(convertJob(request, op));

  std::int32_t lowest = 1 << 30;
  for (const PathPoint& p : readBack(dir.file("intermediate"))) {
    // The writer's own moves to the origin are not the drawing's.
    if (p.x != 0 || p.y != 0) lowest = std::min({lowest, p.x, p.y});
  }
  EXPECT_NEAR(lowest, 400, 1);
}

TEST(StandInExport, EachFilterPropertyChangesWhatIsWritten) {
  // A lower square, an upper one over its top-right corner, and a five-cornered
  // shape whose second corner lies 0.5 mm off the line of its neighbours.
  const auto drawing = [](StandInHost& host) {
    host.addRectangle("Layer 1", "Lower", 10, 10, 20, 20);
    host.addRectangle("Layer 1", "Upper", 20, 20, 20, 20);
    host.addPolygon("Layer 1", "Bent", {{50, 10}, {70, 10.5}, {90, 10}, {90, 30}, {50, 30}});
    host.selectAll();
  };
  const auto maxX = [](const std::vector<PathPoint>& points) {
    std::int32_t x = 0;
    for (const PathPoint& p : points) x = std::max(x, p.x);
    return static_cast<std::int64_t>(x);
  };
  const auto penDownCount = [](const std::vector<PathPoint>& points) {
    return static_cast<std::int64_t>(
        std::count_if(points.begin(), points.end(), [](const PathPoint& p) { return !p.penUp; }));
  };
  const auto lowerCornerUnderUpper = [](const std::vector<PathPoint>& points) {
    return static_cast<std::int64_t>(
        std::count(points.begin(), points.end(), PathPoint{1200, 1200, 0}));
  };
  const auto runCount = [](const std::vector<PathPoint>& points) {
    return static_cast<std::int64_t>(penDownRuns(points).size());
  };
  const struct {
    Property setting;
    std::int64_t (*measure)(const std::vector<PathPoint>&);
    std::int64_t expected;  // 3600, 3600, 16, 1 and 3 at the tool window's settings
  } cases[] = {
      {{"ScaleFactor", 50.0}, maxX, 1800},
      {{"PlotterUnits", std::int16_t{508}}, maxX, 1800},
      {{"CurveResolution", 0.1}, penDownCount, 15},  // 2.54 mm: the bent corner goes
      {{"RemoveHiddenLines", true}, lowerCornerUnderUpper, 0},
      {{"AutomaticWeld", true}, runCount, 2},  // the squares as one outline
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.setting.first);
    TempDir dir;
    StandInHost host;
    drawing(host);
    exportSelection(host, dir.file("job.plt"), c.setting);
    EXPECT_EQ(c.measure(readBack(dir.file("job.plt"))), c.expected);
  }
}

TEST(StandInExport, ShapesOnLayersThatDoNotPrintAreLeftOut) {
  TempDir dir;
  StandInHost host;
  host.addRectangle("Layer 1", "Kept", 10, 10, 20, 20);
  host.addLayer("Hidden", false);
  host.addRectangle("Hidden", "Left out", 50, 10, 20, 20);
  host.selectAll();
  exportSelection(host, dir.file("job.plt"));
  EXPECT_EQ(penDownRuns(readBack(dir.file("job.plt"))).size(), 1U);
}

TEST(StandInExport, ExportReplacesTheFileWholeOrLeavesNothing) {
  TempDir dir;
  const struct {
    std::string file;
    bool written;
  } cases[] = {
      {dir.file("job.plt"), true},  // over the file of an earlier export
      {dir.file("missing/job.plt"), false},
  };
  corvane::testing::writeFile(dir.file("job.plt"), "an earlier job");
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file);
    StandInHost host;
    host.addRectangle("Layer 1", "A", 10, 10, 20, 20);
    host.selectAll();
    measure(host);
    const host::ExportFilter filter =
        ok(host.ExportDocument(ok(host.GetActiveDocument()), c.file, host::kFilterPlt,
                               host::kExportRangeSelection, ok(host.NewExportOptions())));
    const bool finished = host.FinishExport(filter).ok();
    EXPECT_EQ(std::make_pair(finished, corvane::testing::readFile(c.file).rfind("IN;", 0) == 0),
              std::make_pair(c.written, c.written));
  }
}

TEST(StandInExport, UnknownFilterPropertyFailsAsTheHostDoes) {
  StandInHost host;
  host.addRectangle("Layer 1", "A", 10, 10, 20, 20);
  host.selectAll();
  const host::ExportFilter filter =
      ok(host.ExportDocument(ok(host.GetActiveDocument()), "job.plt", host::kFilterPlt,
                             host::kExportRangeSelection, ok(host.NewExportOptions())));
  EXPECT_EQ(host.SetFilterProperty(filter, "PlotterUnit", std::int16_t{1016}).error().text,
            "Unknown name.");
}

}  // namespace
}  // namespace corvane::standin
