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

// A traced contour and a mark frame from (-10, 130) to (130, 220) mm, the
// trace layer left not printable as the trace leaves it.
class ContourCutTest : public testing::OpsTest {
 protected:
  ContourCutTest() {
    host.addLayer("TraceLayer", false);
    host.addRectangle("TraceLayer", "TraceLine", 10, 150, 100, 50);
    host.addLayer("MarkLayer");
    host.addRectangle("MarkLayer", "MarkLine", -10, 130, 140, 90);
  }

  void SetPrintable(std::string_view layer, bool printable) {
    ASSERT_TRUE(host.SetLayerPrintable(host.FindPageLayer(layer).value(), printable));
  }

  // What the export writes of the contour alone, with the flags as the
  // command sets them; the document is then as before.
  std::string ContourPlotData() {
    SetPrintable("TraceLayer", true);
    SetPrintable("MarkLayer", false);
    host.select({"TraceLine"});
    const auto file = dir.path() / "alone.plt";
    EXPECT_TRUE(ExportSelectionAsPlt(host, file));
    SetPrintable("TraceLayer", false);
    SetPrintable("MarkLayer", true);
    host.clearSelection();
    host.clearCalls();
    return readFile(file.string());
  }

  bool Run() {
    ToolContext context = Context();
    return ExportContourCut(context, job);
  }
};

TEST_F(ContourCutTest, TbThenSbComeFirstAndThePlotDataFollowsIntact) {
  struct Case {
    const char* multiMark;
    const char* count;
    const char* sbLine;
  };
  const Case cases[] = {{nullptr, nullptr, "SB0;\r\n"},
                        {"1", "3", "SB3;\r\n"},
                        {"0", "5", "SB0;\r\n"},
                        {"1", nullptr, "SB0;\r\n"}};
  const std::string plot = ContourPlotData();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.sbLine);
    std::filesystem::remove(ini.IniFilePath);
    if (c.multiMark) ini.SetIniString("MARK", "MULTIMARK", c.multiMark);
    if (c.count) ini.SetIniString("MARK", "NUM", c.count);
    ASSERT_TRUE(Run());
    EXPECT_EQ(readFile(job.string()), std::string("TB5600,3600,5200,5200;\r\n") + c.sbLine + plot);
  }
  EXPECT_TRUE(op.shown.empty());
  EXPECT_FALSE(Layer("TraceLayer").printable);
  EXPECT_TRUE(Layer("MarkLayer").printable);
}

TEST_F(ContourCutTest, EveryShapeOnTheMarkLayerWidensTheFrameRoundingDown) {
  host.addRectangle("MarkLayer", "Extra", 0, -12.31, 5, 5);
  ASSERT_TRUE(Run());
  EXPECT_EQ(readFile(job.string()).substr(0, 30), "TB5600,9292,5200,-493;\r\nSB0;\r\n");
}

TEST_F(ContourCutTest, NoContourIsRefusedBeforeAnythingChanges) {
  // No trace layer; one that differs in case, with the contour; an empty one.
  for (const std::string layer : {"", "tracelayer", "TraceLayer"}) {
    SCOPED_TRACE(layer);
    host.newDocument();
    if (!layer.empty()) host.addLayer(layer);
    if (layer == "tracelayer") host.addRectangle(layer, "TraceLine", 0, 0, 1, 1);
    host.clearCalls();
    writeFile(job.string(), "earlier");
    EXPECT_FALSE(Run());
    EXPECT_EQ(Calls("SetMeasuringState") + Calls("SetLayerPrintable"), 0);
    EXPECT_EQ(readFile(job.string()), "earlier");
  }
  EXPECT_EQ(op.shown, std::vector<Shown>(3, Text(18, MessageIcon::Warning)));
}

TEST_F(ContourCutTest, ContourWithoutMarksFailsWithTheTraceLayerLeftPrintable) {
  ASSERT_TRUE(host.RemoveLayer(host.FindPageLayer("MarkLayer").value()));
  EXPECT_FALSE(Run());
  EXPECT_EQ(op.shown, (std::vector<Shown>{Text(18, MessageIcon::Critical)}));
  EXPECT_TRUE(Layer("TraceLayer").printable);
  EXPECT_EQ(Calls("ExportDocument"), 0);
}

TEST_F(ContourCutTest, HostFailuresShowTheCriticalText) {
  const char* failing[] = {"FindLayerShape", "FinishExport", "RangeBoundingBox"};
  for (const char* operation : failing) {
    SCOPED_TRACE(operation);
    host.failCall(operation, 1, "gone");
    writeFile(job.string(), "earlier");
    EXPECT_FALSE(Run());
    EXPECT_EQ(Operations().back(), operation);
    // Once the export has begun, a job without its lines is no job.
    EXPECT_EQ(std::filesystem::exists(job), std::string(operation) == "FindLayerShape");
  }
  host.closeAllDocuments();
  EXPECT_FALSE(Run());
  EXPECT_EQ(op.shown, std::vector<Shown>(4, Text(18, MessageIcon::Critical)));
}

}  // namespace
}  // namespace corvane::toolwindow
