#include <gtest/gtest.h>

#include "ops_fixture.h"
#include "toolwindow/export/cutout.h"
#include "toolwindow/export/plt_export.h"

namespace corvane::toolwindow {
namespace {

using corvane::testing::readFile;
using corvane::testing::writeFile;
using Strings = std::vector<std::string>;

class CutPlotTest : public testing::OpsTest {
 protected:
  void Select(double right, double bottom, const std::string& name = "A") {
    host.addRectangle("Layer 1", name, right - 30, bottom, 30, 20);
    host.select({name});
  }
  bool CutPlot(BuildVariant build = BuildVariant::X6) {
    ToolContext context = Context(build);
    return ExportCutPlot(context, job);
  }
  // What the host's export writes of the selection, on its own.
  std::string PlotData() {
    const auto file = dir.path() / "alone.plt";
    EXPECT_TRUE(ExportSelectionAsPlt(host, file));
    return readFile(file.string());
  }
};

TEST_F(CutPlotTest, DbLineComesFirstWithTheSelectionsCornerTenMillimetresOut) {
  const std::tuple<double, double, std::string> cases[] = {
      {100.0, 50.0, "DB0,0,4400,1600;\r\n"},
      {100.02, 50.0, "DB0,0,4400,1600;\r\n"},  // 4400.8 rounds down
      {100.0, 5.0, "DB0,0,4400,-200;\r\n"}};
  for (const auto& [right, bottom, line] : cases) {
    SCOPED_TRACE(line);
    Select(right, bottom, line);
    ASSERT_TRUE(CutPlot());
    EXPECT_EQ(Job(), line + PlotData());
  }
  EXPECT_TRUE(op.shown.empty());
  const std::string document = "document \"Drawing 1\"";
  Strings asked = {CallTexts("ExportDocument").at(0)};
  const Strings filter = CallTexts("SetFilterProperty");
  asked.insert(asked.end(), filter.begin(), filter.begin() + 5);
  EXPECT_EQ(asked,
            (Strings{"ExportDocument(" + document + ", \"" + job.string() + "\", 1281, 2, options)",
                     "SetFilterProperty(filter, \"ScaleFactor\", double 100)",
                     "SetFilterProperty(filter, \"PlotterUnits\", int16 1016)",
                     "SetFilterProperty(filter, \"CurveResolution\", double 4e-04)",
                     "SetFilterProperty(filter, \"RemoveHiddenLines\", bool false)",
                     "SetFilterProperty(filter, \"AutomaticWeld\", bool false)"}));
  EXPECT_EQ(CallTexts("SetMeasuringState").at(0),
            "SetMeasuringState(" + document + ", 0, 0, 3, 3)");
}

TEST_F(CutPlotTest, RefusalsAskNothingMoreAndLeaveTheEarlierJobFile) {
  writeFile(job.string(), "earlier");
  EXPECT_FALSE(CutPlot());  // nothing selected
  EXPECT_EQ(host.operationsCalled(),
            (Strings{"CountOpenDocuments", "GetSelectionRange", "RangeCount"}));
  host.closeAllDocuments();
  EXPECT_FALSE(CutPlot());
  EXPECT_EQ(op.shown, (Strings{Text(24, MessageIcon::Warning), Text(2, MessageIcon::Warning)}));
  EXPECT_EQ(Job(), "earlier");
}

TEST_F(CutPlotTest, HostFailureIsToldInTheHostsWordsAndLeavesNoHalfJob) {
  const std::pair<const char*, bool> cases[] = {
      {"SetMeasuringState", true},  {"NewExportOptions", true}, {"ExportDocument", false},
      {"SetFilterProperty", false}, {"FinishExport", false},    {"RangeBoundingBox", false}};
  Select(100, 50);
  for (const auto& [operation, earlierKept] : cases) {
    SCOPED_TRACE(operation);
    writeFile(job.string(), "earlier");
    op.shown.clear();
    host.failCall(operation, 1, "Disk on fire");
    EXPECT_FALSE(CutPlot(BuildVariant::X4));
    EXPECT_EQ(op.shown,
              Strings{std::string(operation) + " failed: Disk on fire [critical, Corvane-X4]"});
    EXPECT_EQ(LastCall(), operation);
    EXPECT_EQ(std::filesystem::exists(job), earlierKept);
  }
  host.newDocument();
  Select(6.0e7, 0);  // 2.4e9 plotter units
  EXPECT_FALSE(CutPlot());
  EXPECT_EQ(op.shown.back().substr(0, 30), "Measuring the selection failed");
  EXPECT_FALSE(std::filesystem::exists(job));
}

class StubStarter final : public ProgramStarter {
 public:
  ToolStatus Start(const std::filesystem::path& program) override {
    if (reason.empty()) return {};
    return StartFailure(program, reason);
  }
  std::string reason;
};

TEST_F(CutPlotTest, HandOffFindsAnOrdinaryFileAndTellsAFailedStart) {
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
  EXPECT_EQ(op.shown, Strings{"Starting " + program.string() +
                              " failed: Access is denied. [critical, Corvane-X6]"});
}

}  // namespace
}  // namespace corvane::toolwindow
