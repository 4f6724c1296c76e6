#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "ops_fixture.h"
#include "toolwindow/contour/zevararaz.h"
#include "toolwindow/export/cutout.h"

// Every command's whole sequence of host calls, against the order the
// commands are specified in. A step written with its arguments is compared
// with them; a bare name compares the operation only.
namespace corvane::toolwindow {
namespace {

using Steps = std::vector<std::string>;

Steps operator+(Steps a, const Steps& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

const Steps kMeasuringState = {"GetActiveDocument",
                               "SetMeasuringState(document \"Drawing 1\", 0, 0, 3, 3)"};
const Steps kPltExport = {"NewExportOptions",
                          "GetActiveDocument",
                          "ExportDocument",
                          "SetFilterProperty(filter, \"ScaleFactor\", double 100)",
                          "SetFilterProperty(filter, \"PlotterUnits\", int16 1016)",
                          "SetFilterProperty(filter, \"CurveResolution\", double 4e-04)",
                          "SetFilterProperty(filter, \"RemoveHiddenLines\", bool false)",
                          "SetFilterProperty(filter, \"AutomaticWeld\", bool false)",
                          "FinishExport"};
// The contour check on a page of "Layer 1", "TraceLayer" and "MarkLayer".
const Steps kContourCheck = {"ListPageLayers", "GetLayerName", "GetLayerName", "CountLayerShapes",
                             "GetLayerName"};

// The trace of one rectangle from "Layer 1"'s start to its boundary on the
// trace layer, and from the merge to the end.
Steps TraceStart() {
  return Steps{"CountOpenDocuments", "GetSelectionRange", "RangeCount", "GetCurrentLayer",
               "GetLayerName"} +
         kMeasuringState +
         Steps{"ListPageLayers",
               "GetLayerName",
               "AddPageLayer(\"TraceLayer\")",
               "MakeLayerCurrent(layer \"TraceLayer\")",
               "GetSelectionRange",
               "RangeCount",
               "RangeItem"};
}
const Steps kBoundaryX6 = {"GetShapeKind", "RunBoundaryCommand", "CopyShapeToLayer", "RemoveShape"};
const Steps kBoundaryX3 = {"GetShapeKind", "RunBoundaryCommand"};
const Steps kMergeAndName = {"GetLayerShapes", "MergeShapes", "SetShapeName(shape, \"TraceLine\")",
                             "SetOutlineCmyk"};
const Steps kWiden = {"NewCmykColour(0, 0, 0, 100)",
                      "NewCmykColour(0, 0, 0, 100)",
                      "NewCmykColour(0, 0, 0, 100)",
                      "AddContourEffect",
                      "SeparateEffect",
                      "RangeItem",
                      "SetOutlineCmyk",
                      "SetShapeName",
                      "RangeItem",
                      "RemoveShape"};
const Steps kTraceEnd = {"SetLayerPrintable(layer \"TraceLayer\", false)",
                         "FindPageLayer(\"Layer 1\")", "MakeLayerCurrent(layer \"Layer 1\")"};

struct CommandCase {
  const char* name;
  BuildVariant build;
  // Builds the page beyond rectangle "A" selected on "Layer 1".
  std::function<void(standin::StandInHost&)> setUp;
  std::function<bool(ToolContext&, ZevaRaraz&, const std::filesystem::path&)> run;
  Steps expected;
};

void ABitmapSelected(standin::StandInHost& host) {
  host.addBitmap("Layer 1", "Picture", {0, 30, 1, {"##"}});
  host.select({"Picture"});
}

void ContourAndMarks(standin::StandInHost& host) {
  host.addLayer("TraceLayer", false);
  host.addRectangle("TraceLayer", "TraceLine", 10, 150, 100, 50);
  host.addLayer("MarkLayer");
  host.addRectangle("MarkLayer", "MarkLine", -10, 130, 140, 90);
}

bool Trace0(ToolContext& c, ZevaRaraz& z, const std::filesystem::path&) {
  return z.TraceContour(c, 0.0);
}
bool Trace2(ToolContext& c, ZevaRaraz& z, const std::filesystem::path&) {
  return z.TraceContour(c, 2.0);
}

Steps SubpathSteps() {
  Steps steps;
  for (int mark = 0; mark < 4; ++mark) {
    steps = steps + Steps{"BeginSubpath", "ExtendSubpathLine", "ExtendSubpathLine"};
  }
  return steps;
}

const CommandCase kCommands[] = {
    {"CutPlot", BuildVariant::X6, [](standin::StandInHost&) {},
     [](ToolContext& c, ZevaRaraz&, const std::filesystem::path& job) {
       return ExportCutPlot(c, job);
     },
     Steps{"CountOpenDocuments", "GetSelectionRange", "RangeCount"} + kMeasuringState + kPltExport +
         kMeasuringState +
         Steps{"GetSelectionRange", "GetRangeShapes", "RangeBoundingBox", "GetSelectionRange",
               "GetRangeShapes", "RangeBoundingBox"}},
    {"TraceAtZeroX6", BuildVariant::X6, [](standin::StandInHost&) {}, Trace0,
     TraceStart() + kBoundaryX6 + kMergeAndName + kTraceEnd},
    {"TraceAtZeroX3", BuildVariant::X3, [](standin::StandInHost&) {}, Trace0,
     TraceStart() + kBoundaryX3 + kMergeAndName + kTraceEnd},
    {"TraceAtOffsetX6", BuildVariant::X6, [](standin::StandInHost&) {}, Trace2,
     TraceStart() + kBoundaryX6 + kMergeAndName + kWiden + kTraceEnd},
    {"TraceAtOffsetX4", BuildVariant::X4, [](standin::StandInHost&) {}, Trace2,
     TraceStart() + kBoundaryX3 + kMergeAndName + kWiden + kTraceEnd},
    {"TraceOfABitmapX6", BuildVariant::X6, ABitmapSelected, Trace0,
     TraceStart() +
         Steps{"GetShapeKind", "VectoriseBitmap", "FinishVectorising", "RunBoundaryCommand",
               "CopyShapeToLayer", "RemoveShape", "RemoveShapes"} +
         kMergeAndName + kTraceEnd},
    {"TraceOfABitmapX3", BuildVariant::X3, ABitmapSelected, Trace0,
     TraceStart() +
         Steps{"GetShapeKind", "VectoriseBitmap", "FinishVectorising", "RunBoundaryCommand",
               "RemoveShapes"} +
         kMergeAndName + kTraceEnd},
    {"AddMark", BuildVariant::X6, ContourAndMarks,
     [](ToolContext& c, ZevaRaraz& z, const std::filesystem::path&) { return z.AddMarks(c); },
     kContourCheck + Steps{"GetCurrentLayer", "GetLayerName"} + kMeasuringState +
         Steps{"FindPageLayer(\"TraceLayer\")",
               "FindLayerShape(layer \"TraceLayer\", \"TraceLine\")", "ReadShapePosition",
               "ReadShapeSize", "ListPageLayers", "GetLayerName", "GetLayerName", "GetLayerName",
               "RemoveLayer(layer \"MarkLayer\")", "AddPageLayer(\"MarkLayer\")",
               "MakeLayerCurrent(layer \"MarkLayer\")", "NewCurve"} +
         SubpathSteps() +
         Steps{"PlaceCurveShape", "SetShapeName(shape, \"MarkLine\")", "SetOutlineWidth(shape, 1)",
               "FindPageLayer(\"Layer 1\")", "MakeLayerCurrent(layer \"Layer 1\")"}},
    {"CutContour", BuildVariant::X6, ContourAndMarks,
     [](ToolContext& c, ZevaRaraz&, const std::filesystem::path& job) {
       return ExportContourCut(c, job);
     },
     kContourCheck + kMeasuringState +
         Steps{"FindPageLayer(\"TraceLayer\")", "SetLayerPrintable(layer \"TraceLayer\", true)",
               "FindPageLayer(\"MarkLayer\")", "SetLayerPrintable(layer \"MarkLayer\", false)",
               "FindLayerShape(layer \"TraceLayer\", \"TraceLine\")", "SelectShapes"} +
         kPltExport + kMeasuringState +
         Steps{"FindPageLayer(\"MarkLayer\")", "GetLayerShapes", "RangeBoundingBox",
               "FindPageLayer(\"TraceLayer\")", "SetLayerPrintable(layer \"TraceLayer\", false)",
               "FindPageLayer(\"MarkLayer\")", "SetLayerPrintable(layer \"MarkLayer\", true)"}},
    {"DeleteContour", BuildVariant::X6, ContourAndMarks,
     [](ToolContext& c, ZevaRaraz& z, const std::filesystem::path&) {
       z.DeleteContour(c);
       return true;
     },
     Steps{"ListPageLayers", "GetLayerName", "GetLayerName", "RemoveLayer(layer \"TraceLayer\")",
           "GetLayerName", "RemoveLayer(layer \"MarkLayer\")"}},
};

void PrintTo(const CommandCase& command, std::ostream* out) { *out << command.name; }

// A shape handle's name is the host's: "shape" matches any shape.
bool Matches(const standin::Call& call, const std::string& step) {
  if (step.find('(') == std::string::npos) return call.operation == step;
  std::string text = call.text();
  const std::string anyShape = "(shape, ";
  if (step.find(anyShape) != std::string::npos) {
    const std::size_t open = text.find("(shape \"");
    const std::size_t close = open == std::string::npos ? open : text.find("\", ", open + 8);
    if (close != std::string::npos) text.replace(open, close + 3 - open, anyShape);
  }
  return text == step;
}

class CallOrderTest : public testing::OpsTest, public ::testing::WithParamInterface<CommandCase> {};

TEST_P(CallOrderTest, CommandCallsTheHostInTheSpecifiedOrder) {
  const CommandCase& command = GetParam();
  host.addRectangle("Layer 1", "A", 10, 150, 100, 50);
  host.select({"A"});
  command.setUp(host);
  host.clearCalls();
  ZevaRaraz zevaRaraz;
  ToolContext context = Context(command.build);
  ASSERT_TRUE(command.run(context, zevaRaraz, job)) << ::testing::PrintToString(op.shown);

  Steps called;
  bool same = host.calls().size() == command.expected.size();
  for (std::size_t i = 0; i < host.calls().size(); ++i) {
    called.push_back(host.calls()[i].text());
    if (i < command.expected.size() && !Matches(host.calls()[i], command.expected[i])) same = false;
  }
  EXPECT_TRUE(same) << "called:\n  " << ::testing::PrintToString(called) << "\nexpected:\n  "
                    << ::testing::PrintToString(command.expected);
}

INSTANTIATE_TEST_SUITE_P(Commands, CallOrderTest, ::testing::ValuesIn(kCommands),
                         [](const auto& row) { return std::string(row.param.name); });

}  // namespace
}  // namespace corvane::toolwindow
