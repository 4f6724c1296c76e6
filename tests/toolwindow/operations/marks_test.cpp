#include <gtest/gtest.h>

#include "ops_fixture.h"
#include "toolwindow/contour/zevararaz.h"

namespace corvane::toolwindow {
namespace {

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
  static std::string PathsText(const standin::ShapeView& shape) {
    std::string text;
    for (const auto& path : shape.paths) {
      for (const auto& p : path.points) text += ToText(p.x) + "," + ToText(p.y) + " ";
      text += path.closed ? "closed\n" : "open\n";
    }
    return text;
  }
  static std::string ToText(double v) { return std::to_string(static_cast<int>(v)); }

  ZevaRaraz zevaRaraz;
};

TEST_F(MarksTest, FourCornerMarksTwentyMillimetresOutsideReplaceTheEarlierOnes) {
  ASSERT_TRUE(AddMarks());
  ASSERT_TRUE(AddMarks());
  EXPECT_EQ(Page(), "*Layer 1[] TraceLayer-[TraceLine] MarkLayer[MarkLine]");
  const auto marks = Layer("MarkLayer").shapes;
  ASSERT_EQ(marks.size(), 1u);
  EXPECT_EQ(marks[0].outlineWidth, 1.0);
  EXPECT_EQ(PathsText(marks[0]),
            "10,220 -10,220 -10,200 open\n"
            "110,220 130,220 130,200 open\n"
            "130,150 130,130 110,130 open\n"
            "10,130 -10,130 -10,150 open\n");
  EXPECT_EQ(marks[0].box.left, -10.0);  // whole millimetres, not near them
  EXPECT_TRUE(op.shown.empty());
  host.setCurrentLayer("MarkLayer");
  ASSERT_TRUE(AddMarks());
  EXPECT_EQ(host.currentLayerName(), "MarkLayer");  // the new one
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
  EXPECT_EQ(op.shown, Texts(3, 15, MessageIcon::Warning));
}

TEST_F(MarksTest, ContourWithoutItsLineFailsAfterTheLayerWasRemembered) {
  host.newDocument();
  host.addLayer("TraceLayer");
  host.addRectangle("TraceLayer", "Other", 0, 0, 1, 1);
  host.setCurrentLayer("TraceLayer");
  EXPECT_FALSE(AddMarks());
  EXPECT_EQ(zevaRaraz.savedLayerName, "TraceLayer");
  EXPECT_EQ(host.measuringState().unitCode, 3);
  EXPECT_EQ(Calls("RemoveLayer") + Calls("AddPageLayer"), 0);
  host.closeAllDocuments();
  EXPECT_FALSE(AddMarks());
  EXPECT_EQ(op.shown, Texts(2, 15, MessageIcon::Critical));
}

TEST_F(MarksTest, DeleteContourRemovesBothLayersAndStopsQuietlyAtAFailure) {
  ASSERT_TRUE(AddMarks());
  host.addLayer("Keep");
  ToolContext context = Context();
  host.failCall("RemoveLayer", 1, "no");
  zevaRaraz.DeleteContour(context);
  EXPECT_EQ(Page(), "*Layer 1[] TraceLayer-[TraceLine] MarkLayer[MarkLine] Keep[]");
  zevaRaraz.DeleteContour(context);
  EXPECT_EQ(Page(), "*Layer 1[] Keep[]");
  host.clearCalls();
  zevaRaraz.DeleteContour(context);  // neither there
  EXPECT_EQ(Calls("RemoveLayer"), 0);
  host.closeAllDocuments();
  zevaRaraz.DeleteContour(context);
  EXPECT_TRUE(op.shown.empty());
}

}  // namespace
}  // namespace corvane::toolwindow
