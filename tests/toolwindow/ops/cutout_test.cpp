#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "ops_fixture.h"
#include "toolwindow/cutout/cutout.h"
#include "toolwindow/cutout/plt_export.h"

namespace corvane::toolwindow {
namespace {

using corvane::testing::readFile;
using corvane::testing::writeFile;
using testing::Shown;
using Strings = std::vector<std::string>;

class CutPlotTest : public testing::OpsTest {
 protected:
  // What the host's export writes of the selection as it is now, on its own.
  std::string PlotData() {
    const auto file = dir.path() / "alone.plt";
    EXPECT_TRUE(ExportSelectionAsPlt(host, file));
    return readFile(file.string());
  }
};

TEST_F(CutPlotTest, DbLineComesFirstWithTheSelectionsCornerTenMillimetresOut) {
  struct Case {
    double right, bottom;
    std::string line;
  };
  const Case cases[] = {{100.0, 50.0, "DB0,0,4400,1600;\r\n"},
                        {100.02, 50.0, "DB0,0,4400,1600;\r\n"},  // 4400.8 rounds down
                        {100.0, 5.0, "DB0,0,4400,-200;\r\n"}};
  int n = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    const std::string name = "S" + std::to_string(++n);
    host.addRectangle("Layer 1", name, c.right - 30, c.bottom, 30, 20);
    host.select({name});
    ToolContext context = Context();
    ASSERT_TRUE(ExportCutPlot(context, job));
    EXPECT_EQ(readFile(job.string()), c.line + PlotData());
  }
  EXPECT_TRUE(op.shown.empty());
}

TEST_F(CutPlotTest, AsksTheHostInOrderWithTheFilterSettings) {
  host.addRectangle("Layer 1", "A", 0, 0, 10, 10);
  host.select({"A"});
  ToolContext context = Context();
  ASSERT_TRUE(ExportCutPlot(context, job));
  const Strings frame = {"GetActiveDocument", "SetMeasuringState", "GetSelectionRange",
                         "GetRangeShapes",    "RangeBoundingBox",  "GetSelectionRange",
                         "GetRangeShapes",    "RangeBoundingBox"};
  Strings expected = {"CountOpenDocuments", "GetSelectionRange", "RangeCount",
                      "GetActiveDocument",  "SetMeasuringState", "NewExportOptions",
                      "GetActiveDocument",  "ExportDocument"};
  expected.insert(expected.end(), 5, "SetFilterProperty");
  expected.push_back("FinishExport");
  expected.insert(expected.end(), frame.begin(), frame.end());
  EXPECT_EQ(Operations(), expected);
  Strings settings;
  for (const auto& call : host.calls()) {
    if (call.operation == "SetFilterProperty" || call.operation == "ExportDocument" ||
        call.operation == "SetMeasuringState") {
      settings.push_back(call.text());
    }
  }
  const std::string doc = "document \"Drawing 1\"";
  EXPECT_EQ(settings, (Strings{
                          "SetMeasuringState(" + doc + ", 0, 0, 3, 3)",
                          "ExportDocument(" + doc + ", \"" + job.string() + "\", 1281, 2, options)",
                          "SetFilterProperty(filter, \"ScaleFactor\", double 100)",
                          "SetFilterProperty(filter, \"PlotterUnits\", int16 1016)",
                          "SetFilterProperty(filter, \"CurveResolution\", double 4e-04)",
                          "SetFilterProperty(filter, \"RemoveHiddenLines\", bool false)",
                          "SetFilterProperty(filter, \"AutomaticWeld\", bool false)",
                          "SetMeasuringState(" + doc + ", 0, 0, 3, 3)",
                      }));
}

TEST_F(CutPlotTest, RefusalsLeaveTheEarlierJobFile) {
  writeFile(job.string(), "earlier");
  ToolContext context = Context();
  EXPECT_FALSE(ExportCutPlot(context, job));  // nothing selected
  EXPECT_EQ(Operations(), (Strings{"CountOpenDocuments", "GetSelectionRange", "RangeCount"}));
  host.closeAllDocuments();
  EXPECT_FALSE(ExportCutPlot(context, job));
  EXPECT_EQ(op.shown,
            (std::vector<Shown>{Text(24, MessageIcon::Warning), Text(2, MessageIcon::Warning)}));
  EXPECT_EQ(readFile(job.string()), "earlier");
}

TEST_F(CutPlotTest, HostFailureIsReportedInTheHostsWordsAndLeavesNoHalfJob) {
  struct Case {
    const char* operation;
    bool earlierKept;
  };
  const Case cases[] = {{"SetMeasuringState", true}, {"NewExportOptions", true},
                        {"ExportDocument", false},   {"SetFilterProperty", false},
                        {"FinishExport", false},     {"RangeBoundingBox", false}};
  host.addRectangle("Layer 1", "A", 0, 0, 10, 10);
  host.select({"A"});
  for (const Case& c : cases) {
    SCOPED_TRACE(c.operation);
    writeFile(job.string(), "earlier");
    op.shown.clear();
    host.clearCalls();
    host.failCall(c.operation, 1, "Disk on fire");
    ToolContext context = Context(BuildVariant::X4);
    EXPECT_FALSE(ExportCutPlot(context, job));
    EXPECT_EQ(op.shown, (std::vector<Shown>{{std::string(c.operation) + " failed: Disk on fire",
                                             MessageIcon::Critical, "Corvane-X4"}}));
    EXPECT_EQ(Operations().back(), c.operation);
    EXPECT_EQ(std::filesystem::exists(job), c.earlierKept);
  }
}

TEST_F(CutPlotTest, CornerBeyondThePlottersRangeFailsTheExport) {
  host.addRectangle("Layer 1", "Far", 6.0e7, 0, 10, 10);  // 2.4e9 plotter units
  host.select({"Far"});
  ToolContext context = Context();
  EXPECT_FALSE(ExportCutPlot(context, job));
  ASSERT_EQ(op.shown.size(), 1u);
  EXPECT_EQ(op.shown[0].icon, MessageIcon::Critical);
  EXPECT_FALSE(std::filesystem::exists(job));
}

class StubStarter final : public ProgramStarter {
 public:
  std::string Start(const std::filesystem::path& program) override {
    started.push_back(program);
    return reason;
  }
  std::string reason;
  std::vector<std::filesystem::path> started;
};

TEST_F(CutPlotTest, HandOffFindsAnOrdinaryFileAndReportsAFailedStart) {
  const auto program = dir.path() / "CORVANE-OUT.exe";
  EXPECT_FALSE(OutputProgramPresent(program));
  std::filesystem::create_directory(program);
  EXPECT_FALSE(OutputProgramPresent(program));
  std::filesystem::remove(program);
  writeFile(program.string(), "MZ");
  EXPECT_TRUE(OutputProgramPresent(program));

  StubStarter starter;
  ToolContext context = Context();
  EXPECT_TRUE(StartOutputProgram(context, starter, program));
  starter.reason = "Access is denied.";
  EXPECT_FALSE(StartOutputProgram(context, starter, program));
  EXPECT_EQ(starter.started.size(), 2u);
  EXPECT_EQ(op.shown,
            (std::vector<Shown>{{"Starting " + program.string() + " failed: Access is denied.",
                                 MessageIcon::Critical, "Corvane-X6"}}));
}

}  // namespace
}  // namespace corvane::toolwindow
