#include <gtest/gtest.h>

#include "ops_fixture.h"
#include "toolwindow/export/cutout.h"
#include "toolwindow/export/plt_export.h"

namespace corvane::toolwindow {
namespace {

using corvane::testing::readFile;
using corvane::testing::writeFile;

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
  // What the export writes of the contour alone with the flags as the
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
    return readFile(file.string());
  }
  bool CutContour() {
    ToolContext context = Context();
    return ExportContourCut(context, job);
  }
};

TEST_F(ContourCutTest, TbThenSbComeFirstAndTheContourAloneFollowsIntact) {
  const std::tuple<const char*, const char*, std::string> cases[] = {
      {nullptr, nullptr, "SB0;\r\n"},
      {"1", "3", "SB3;\r\n"},
      {"0", "5", "SB0;\r\n"},
      {"1", nullptr, "SB0;\r\n"}};  // MULTIMARK, NUM
  const std::string plot = ContourPlotData();
  for (const auto& [multiMark, count, sbLine] : cases) {
    SCOPED_TRACE(sbLine);
    std::filesystem::remove(ini.IniFilePath);
    if (multiMark) ini.SetIniString("MARK", "MULTIMARK", multiMark);
    if (count) ini.SetIniString("MARK", "NUM", count);
    ASSERT_TRUE(CutContour());
    EXPECT_EQ(Job(), "TB5600,3600,5200,5200;\r\n" + sbLine + plot);
  }
  EXPECT_TRUE(op.shown.empty());
  EXPECT_FALSE(Layer("TraceLayer").printable);
  EXPECT_TRUE(Layer("MarkLayer").printable);
}

TEST_F(ContourCutTest, EveryShapeOnTheMarkLayerWidensTheFrameRoundingDown) {
  host.addRectangle("MarkLayer", "Extra", 0, -12.31, 5, 5);
  ASSERT_TRUE(CutContour());
  EXPECT_EQ(Job().substr(0, 30), "TB5600,9292,5200,-493;\r\nSB0;\r\n");
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
    EXPECT_FALSE(CutContour());
    EXPECT_EQ(Calls("SetMeasuringState") + Calls("SetLayerPrintable"), 0);
    EXPECT_EQ(Job(), "earlier");
  }
  EXPECT_EQ(op.shown, Texts(3, 18, MessageIcon::Warning));
}

TEST_F(ContourCutTest, FailuresShowTheCriticalTextAndLeaveNoJobWithoutItsLines) {
  const std::pair<const char*, bool> cases[] = {
      {"FindLayerShape", true}, {"FinishExport", false}, {"RangeBoundingBox", false}};
  for (const auto& [operation, earlierKept] : cases) {
    SCOPED_TRACE(operation);
    host.failCall(operation, 1, "gone");
    writeFile(job.string(), "earlier");
    EXPECT_FALSE(CutContour());
    EXPECT_EQ(LastCall(), operation);
    EXPECT_EQ(std::filesystem::exists(job), earlierKept);
  }
  // Without marks the trace layer stays printable.
  ASSERT_TRUE(host.RemoveLayer(host.FindPageLayer("MarkLayer").value()));
  SetPrintable("TraceLayer", false);
  EXPECT_FALSE(CutContour());
  EXPECT_TRUE(Layer("TraceLayer").printable);
  host.closeAllDocuments();
  EXPECT_FALSE(CutContour());
  EXPECT_EQ(op.shown, Texts(5, 18, MessageIcon::Critical));
}

}  // namespace
}  // namespace corvane::toolwindow
