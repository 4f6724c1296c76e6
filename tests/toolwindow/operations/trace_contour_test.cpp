#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "ops_fixture.h"
#include "toolwindow/contour/zevararaz.h"

namespace corvane::toolwindow {
namespace {

using Strings = std::vector<std::string>;

// A 100 x 50 mm rectangle "A" selected on the operator's "Layer 1".
class TraceTest : public testing::OpsTest, public ::testing::WithParamInterface<BuildVariant> {
 protected:
  TraceTest() {
    host.addRectangle("Layer 1", "A", 10, 150, 100, 50);
    host.select({"A"});
  }
  bool Trace(double offset) {
    ToolContext context = Context(GetParam());
    return zevaRaraz.TraceContour(context, offset);
  }
  bool X6() const { return GetParam() == BuildVariant::X6; }
  // X6 says nothing of a failed step; X3 and X4 say text 16.
  Strings FailureShown() const {
    if (X6()) return {};
    return {testing::RecordingToolOperator::Shown(lang.LangText(16), MessageIcon::Critical,
                                                  kErrorHandleCaption)};
  }
  standin::ShapeView TraceLine() const { return host.shape("TraceLayer", "TraceLine"); }

  ZevaRaraz zevaRaraz;
};

std::string BuildName(const ::testing::TestParamInfo<BuildVariant>& build) {
  return std::string(ProgramTitle(build.param)).substr(8);  // X6
}

INSTANTIATE_TEST_SUITE_P(Builds, TraceTest,
                         ::testing::Values(BuildVariant::X6, BuildVariant::X3, BuildVariant::X4),
                         BuildName);

TEST_P(TraceTest, OffsetZeroMergesTheBoundariesOfShapesAndBitmapIntoOneRedLine) {
  host.addRectangle("Layer 1", "B", 200, 0, 10, 10);
  host.addBitmap("Layer 1", "Picture", {400, 30, 1, {"##..", "##..", "...#"}});
  host.select({"A", "B", "Picture"});
  ASSERT_TRUE(Trace(0.0));
  EXPECT_EQ(Page(), "*Layer 1[A,B,Picture] TraceLayer-[TraceLine]");
  EXPECT_EQ(TraceLine().paths.size(), 4u);  // the bitmap's two blobs
  EXPECT_EQ(TraceLine().outline, standin::kRed);
  EXPECT_EQ(Calls("NewCmykColour") + Calls("AddContourEffect"), 0);
  EXPECT_EQ(Calls("CopyShapeToLayer"), X6() ? 3 : 0);
  EXPECT_EQ(CallTexts("VectoriseBitmap"),
            Strings{"VectoriseBitmap(shape \"Picture\", 4, 25, 100, 5, 0, 9, false, true, false)"});
  for (const auto& call : CallTexts("RunBoundaryCommand")) {
    EXPECT_NE(call.find(", \"Boundary\", \"CreateBoundary\")"), std::string::npos) << call;
  }
  EXPECT_TRUE(op.shown.empty());
}

TEST_P(TraceTest, OffsetReachesTheContourEffectUnrounded) {
  ASSERT_TRUE(Trace(1.25));
  EXPECT_EQ(Page(), "*Layer 1[A] TraceLayer-[TraceLine]");
  EXPECT_NEAR(TraceLine().box.left, 8.75, 1.0 / 40);
  EXPECT_NEAR(TraceLine().box.top, 201.25, 1.0 / 40);
  EXPECT_EQ(TraceLine().outline, standin::kRed);
  EXPECT_EQ(CallTexts("AddContourEffect"),
            Strings{"AddContourEffect(shape \"TraceLine\", 1, 1.25, 1, 0, CMYK 0,0,0,100, "
                    "CMYK 0,0,0,100, CMYK 0,0,0,100, 0, 0, 2, 4, 15)"});
}

TEST_P(TraceTest, ChecksComeInOrderBeforeTheDocumentChanges) {
  const double inf = std::numeric_limits<double>::infinity();
  struct Case {
    double offset;
    bool document, selection;
    std::int32_t text;
    std::size_t hostCalls;
  };
  const Case cases[] = {{-0.5, false, false, 5, 0},
                        {std::nan(""), true, true, 5, 0},
                        {inf, true, true, 5, 0},
                        {1.0, true, false, 3, 3},
                        {1.0, false, false, 2, 1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    host.newDocument();
    host.addRectangle("Layer 1", "B", 0, 0, 5, 5);
    if (c.selection) host.select({"B"});
    if (!c.document) host.closeAllDocuments();
    host.clearCalls();
    op.shown.clear();
    EXPECT_FALSE(Trace(c.offset));
    EXPECT_EQ(op.shown, Strings{Text(c.text, MessageIcon::Warning, GetParam())});
    EXPECT_EQ(host.calls().size(), c.hostCalls);
  }
}

TEST_P(TraceTest, ReplacesTheEarlierContourAndMarksOnly) {
  for (const char* layer : {"TraceLayer", "MarkLayer", "TraceLayer2", "tracelayer"}) {
    host.addLayer(layer);
    host.addRectangle(layer, "Old", 0, 0, 1, 1);
  }
  host.setCurrentLayer("TraceLayer");
  ASSERT_TRUE(Trace(2.0));
  const auto first = TraceLine();
  ASSERT_TRUE(Trace(2.0));
  EXPECT_EQ(Page(), "Layer 1[A] TraceLayer2[Old] tracelayer[Old] *TraceLayer-[TraceLine]");
  EXPECT_EQ(TraceLine().paths.size(), first.paths.size());
  EXPECT_EQ(TraceLine().box.right, first.box.right);
}

TEST_P(TraceTest, AMarkLayerThatWasCurrentCannotBeRestoredWhichOnlyX6Ignores) {
  host.addLayer("MarkLayer");
  host.setCurrentLayer("MarkLayer");
  EXPECT_EQ(Trace(1.0), X6());
  // X3 and X4 stop at the last step, with the trace line complete.
  EXPECT_EQ(Page(), "Layer 1[A] *TraceLayer-[TraceLine]");
  EXPECT_EQ(op.shown, FailureShown());
}

TEST_P(TraceTest, AFailingHostStepIsSkippedOnX6AndEndsTheTraceOnX3AndX4) {
  host.addLayer("TraceLayer");
  for (const char* operation : {"GetLayerName", "SetMeasuringState", "RemoveLayer",
                                "RunBoundaryCommand", "AddContourEffect", "FindPageLayer"}) {
    SCOPED_TRACE(operation);
    host.clearCalls();
    op.shown.clear();
    host.failCall(operation, 1, "no");
    EXPECT_EQ(Trace(1.0), X6());
    EXPECT_EQ(op.shown, FailureShown());
    // X6 still asks the later steps.
    EXPECT_TRUE(X6() ? Calls("SetLayerPrintable") == 1 : LastCall() == operation);
  }
}

TEST_P(TraceTest, ALostHostEndsTheTraceInEveryBuildReportedOnceWithNoFurtherCall) {
  for (const char* operation : {"GetLayerName", "RunBoundaryCommand", "NewCmykColour"}) {
    SCOPED_TRACE(operation);
    host.clearCalls();
    op.shown.clear();
    host.loseHost(operation, 1);
    EXPECT_FALSE(Trace(1.0));
    EXPECT_EQ(LastCall(), operation);
    const std::string lost = std::string(operation) + " failed: " + lang.LangText(27) +
                             " (the drawing application was closed) [critical, Corvane-X6]";
    EXPECT_EQ(op.shown, X6() ? Strings{lost} : FailureShown());
  }
}

TEST_P(TraceTest, NoBoundaryForAnyShapeLeavesAnEmptyTraceLayerOnX6) {
  // Each goes round its square twice: by the even-odd rule it encloses
  // nothing.
  const auto twice = [](double x) {
    const std::vector<host::Point> square = {{x, 0}, {x + 10, 0}, {x + 10, 10}, {x, 10}};
    std::vector<host::Point> round = square;
    round.insert(round.end(), square.begin(), square.end());
    return std::vector<standin::Path>{{round, true}};
  };
  host.addShape("Layer 1", "Twice", twice(0));
  host.addShape("Layer 1", "Twice2", twice(20));
  host.select({"Twice", "Twice2"});
  EXPECT_EQ(Trace(1.0), X6());
  EXPECT_EQ(Calls("RunBoundaryCommand"), X6() ? 2 : 1);
  EXPECT_EQ(op.shown, FailureShown());
  EXPECT_EQ(Page(), X6() ? "*Layer 1[A,Twice,Twice2] TraceLayer-[]"
                         : "Layer 1[A,Twice,Twice2] *TraceLayer[]");
}

// X6 goes on past failures, but never onto the operator's own shapes.
class X6TraceTest : public TraceTest {};
INSTANTIATE_TEST_SUITE_P(X6, X6TraceTest, ::testing::Values(BuildVariant::X6), BuildName);

TEST_P(X6TraceTest, NeverDeletesOrMergesTheOperatorsShapesAfterAFailure) {
  host.addBitmap("Layer 1", "Picture", {0, 30, 1, {"##"}});
  host.select({"A", "Picture"});
  for (const char* operation : {"VectoriseBitmap", "FinishVectorising"}) {
    SCOPED_TRACE(operation);
    host.failCall(operation, 1, "no");
    ASSERT_TRUE(Trace(0.0));
    EXPECT_EQ(Page(), "*Layer 1[A,Picture] TraceLayer-[TraceLine]");
    EXPECT_EQ(TraceLine().paths.size(), 1u);  // the rectangle alone
  }
  EXPECT_EQ(Calls("RemoveShapes"), 0);
  // Without its own current layer the trace stops rather than merge the
  // operator's, and says why.
  for (const char* operation : {"AddPageLayer", "MakeLayerCurrent"}) {
    SCOPED_TRACE(operation);
    host.clearCalls();
    op.shown.clear();
    host.failCall(operation, 1, "no layers today");
    EXPECT_FALSE(Trace(0.0));
    EXPECT_EQ(Calls("MergeShapes") + Calls("RunBoundaryCommand"), 0);
    EXPECT_EQ(op.shown,
              Strings{std::string(operation) + " failed: no layers today [critical, Corvane-X6]"});
  }
  EXPECT_EQ(Layer("Layer 1").shapes.size(), 2u);
}

}  // namespace
}  // namespace corvane::toolwindow
