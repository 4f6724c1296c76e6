#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ops_fixture.h"
#include "toolwindow/zevararaz/zevararaz.h"

namespace corvane::toolwindow {
namespace {

using testing::Shown;
using Strings = std::vector<std::string>;

// A contour whose box has its top-left corner at (10, 200), 100 x 50 mm.
class MarksTest : public testing::OpsTest {
 protected:
  MarksTest() {
    host.addLayer("TraceLayer", false);
    host.addRectangle("TraceLayer", "TraceLine", 10, 150, 100, 50);
  }
  bool AddMarks() {
    ToolContext context = Context();
    return zevaRaraz.AddMarks(context);
  }
  ZevaRaraz zevaRaraz;
};

TEST_F(MarksTest, FourCornerMarksTwentyMillimetresOutside) {
  ASSERT_TRUE(AddMarks());
  ASSERT_TRUE(AddMarks());  // replaces the first marks
  const auto& marks = Layer("MarkLayer").shapes;
  ASSERT_EQ(marks.size(), 1u);
  EXPECT_EQ(marks[0].name, "MarkLine");
  EXPECT_EQ(marks[0].outlineWidth, 1.0);
  const std::vector<std::vector<host::Point>> expected = {
      {{10, 220}, {-10, 220}, {-10, 200}},
      {{110, 220}, {130, 220}, {130, 200}},
      {{130, 150}, {130, 130}, {110, 130}},
      {{10, 130}, {-10, 130}, {-10, 150}},
  };
  ASSERT_EQ(marks[0].paths.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_FALSE(marks[0].paths[i].closed);
    ASSERT_EQ(marks[0].paths[i].points.size(), 3u);
    for (std::size_t p = 0; p < 3; ++p) {
      EXPECT_EQ(marks[0].paths[i].points[p].x, expected[i][p].x);
      EXPECT_EQ(marks[0].paths[i].points[p].y, expected[i][p].y);
    }
  }
  EXPECT_EQ(LayerCount("MarkLayer"), 1);
  EXPECT_EQ(host.currentLayerName(), "Layer 1");
  EXPECT_TRUE(op.shown.empty());
}

TEST_F(MarksTest, MarkLayerThatWasCurrentIsReplacedAndStaysCurrent) {
  ASSERT_TRUE(AddMarks());
  host.setCurrentLayer("MarkLayer");
  ASSERT_TRUE(AddMarks());
  EXPECT_EQ(host.currentLayerName(), "MarkLayer");
  EXPECT_EQ(Layer("MarkLayer").shapes.size(), 1u);
}

TEST_F(MarksTest, NoContourIsRefusedWithoutTouchingALayer) {
  // No trace layer; one that differs in case, with the contour; an empty one.
  for (const std::string layer : {"", "tracelayer", "TraceLayer"}) {
    SCOPED_TRACE(layer);
    host.newDocument();
    if (!layer.empty()) host.addLayer(layer);
    if (layer == "tracelayer") host.addRectangle(layer, "TraceLine", 0, 0, 1, 1);
    host.clearCalls();
    EXPECT_FALSE(AddMarks());
    EXPECT_EQ(Calls("AddPageLayer") + Calls("RemoveLayer") + Calls("MakeLayerCurrent"), 0);
  }
  EXPECT_EQ(op.shown, std::vector<Shown>(3, Text(15, MessageIcon::Warning)));
}

TEST_F(MarksTest, ContourWithoutItsLineFailsAfterTheLayerWasRemembered) {
  host.addLayer("Other");
  host.setCurrentLayer("Other");
  ASSERT_TRUE(host.SetShapeName(
      host.FindLayerShape(host.FindPageLayer("TraceLayer").value(), "TraceLine").value(),
      "Renamed"));
  EXPECT_FALSE(AddMarks());
  EXPECT_EQ(zevaRaraz.savedLayerName, "Other");
  EXPECT_EQ(host.measuringState().unitCode, 3);
  EXPECT_EQ(Calls("RemoveLayer") + Calls("AddPageLayer"), 0);
  host.closeAllDocuments();
  EXPECT_FALSE(AddMarks());
  EXPECT_EQ(op.shown, std::vector<Shown>(2, Text(15, MessageIcon::Critical)));
}

TEST_F(MarksTest, DeleteContourRemovesBothLayersAndStopsQuietlyAtAFailure) {
  ASSERT_TRUE(AddMarks());
  host.addLayer("Keep");
  ToolContext context = Context();
  host.failCall("RemoveLayer", 1, "no");
  zevaRaraz.DeleteContour(context);
  EXPECT_EQ(LayerNames(), (Strings{"Layer 1", "TraceLayer", "MarkLayer", "Keep"}));
  zevaRaraz.DeleteContour(context);
  EXPECT_EQ(LayerNames(), (Strings{"Layer 1", "Keep"}));
  host.clearCalls();
  zevaRaraz.DeleteContour(context);  // neither there
  EXPECT_EQ(Calls("RemoveLayer"), 0);
  host.closeAllDocuments();
  zevaRaraz.DeleteContour(context);
  EXPECT_TRUE(op.shown.empty());
}

}  // namespace
}  // namespace corvane::toolwindow
