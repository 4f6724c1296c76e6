#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tool_window_fixture.h"

namespace corvane::toolwindow::testing {
namespace {

using corvane::testing::writeFile;

class TraceWindow : public ToolWindowTest {
 protected:
  // A 100 x 50 mm rectangle, selected, and the trace window open.
  void Open(const std::string& storedOffset = "") {
    host.closeAllDocuments();
    host.newDocument();
    if (!storedOffset.empty())
      writeFile(dir.file("Config.ini"), "[TRACE]\r\nOFFSET=" + storedOffset + "\r\n");
    host.addRectangle("Layer 1", "A", 10, 20, 100, 50);
    host.selectAll();
    Start();
    main->cmdTrace_Click();
  }
  host::Box TraceLineBox() const { return host.shape("TraceLayer", "TraceLine").box; }
};

TEST_F(TraceWindow, OpensShownWithTheStoredOffset) {
  Open();
  EXPECT_TRUE(traceView().shown);
  EXPECT_EQ(traceView().offsetText, "1.0");
  EXPECT_EQ(traceView().scrollMinimum, -1000);
  EXPECT_EQ(traceView().scrollMaximum, 0);
  EXPECT_EQ(traceView().scrollStep, 1);
  EXPECT_EQ(traceView().scrollPosition, -10);
}

TEST_F(TraceWindow, LoadShowsTheStoredValueAgainInItsRoundedFormWhereTheBarMoves) {
  struct Case {
    const char* stored;
    int position;
    const char* shown;  // and stored afterwards
  };
  const Case cases[] = {
      {"1.25", -12, "1.2"},
      {"12.5", -125, "12.5"},
      {" 3", -30, "3.0"},
      {"0.04", 0, "0.04"},
      {"abc", 0, "abc"},
      {"100.0", -1000, "100.0"},
      // Beyond the bar: it stands at its end; text and file keep the value.
      {"150", -1000, "150"},
      {"-5", 0, "-5"},
      {"1e999", 0, "1e999"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.stored);
    Open(c.stored);
    EXPECT_EQ(traceView().scrollPosition, c.position);
    EXPECT_EQ(traceView().offsetText, c.shown);
    EXPECT_EQ(Offset(), c.shown);
  }
}

TEST_F(TraceWindow, TheBarStepsATenthAndStoresAtOnce) {
  Open();
  for (int i = 0; i < 3; ++i) trace().VScroll1_Scroll(ScrollMove::LineUp);
  EXPECT_EQ(traceView().offsetText, "1.3");
  EXPECT_EQ(Offset(), "1.3");
  trace().VScroll1_Scroll(ScrollMove::PageDown);
  EXPECT_EQ(Offset(), "1.2");

  trace().VScroll1_Scroll(ScrollMove::Bottom);
  trace().VScroll1_Scroll(ScrollMove::LineDown);
  EXPECT_EQ(traceView().offsetText, "0.0");
  EXPECT_EQ(traceView().scrollPosition, 0);

  trace().VScroll1_Scroll(ScrollMove::Thumb, -2000);
  EXPECT_EQ(Offset(), "100.0");
  trace().VScroll1_Scroll(ScrollMove::Thumb, -255);
  EXPECT_EQ(Offset(), "25.5");
}

TEST_F(TraceWindow, AnOffsetBeyondTheBarIsRewrittenOnlyWhenTheBarMoves) {
  Open("150");
  trace().VScroll1_Scroll(ScrollMove::LineUp);  // already at the top
  EXPECT_EQ(Offset(), "150");
  trace().VScroll1_Scroll(ScrollMove::LineDown);
  EXPECT_EQ(traceView().offsetText, "99.9");
  EXPECT_EQ(Offset(), "99.9");
}

TEST_F(TraceWindow, TheBarStartsFromItsOwnPositionNotFromTypedText) {
  Open();
  traceView().offsetText = "2.75";
  trace().VScroll1_Scroll(ScrollMove::LineUp);
  EXPECT_EQ(traceView().offsetText, "1.1");
}

TEST_F(TraceWindow, TraceStoresTheRoundedTextAndTracesTheTypedNumber) {
  struct Case {
    const char* typed;
    const char* stored;
    double widening;  // mm on every side
  };
  const Case cases[] = {{"2.75", "2.8", 2.75}, {"1.25", "1.3", 1.25}, {"no number", "0.0", 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    Open();
    traceView().offsetText = c.typed;
    EXPECT_TRUE(trace().cmdTrace_Click());
    EXPECT_EQ(Offset(), c.stored);
    const host::Box box = TraceLineBox();
    EXPECT_NEAR(box.left, 10 - c.widening, 1e-6);
    EXPECT_NEAR(box.top, 70 + c.widening, 1e-6);
    // The window closed; the one made anew is hidden and shows the file.
    EXPECT_EQ(traceWindows.created, 2);
    EXPECT_FALSE(traceView().shown);
    EXPECT_EQ(traceView().offsetText, c.stored);
    traceWindows.created = 0;
  }
}

TEST_F(TraceWindow, ARefusedTraceLeavesTheWindowOpenAndReady) {
  Open();
  traceView().offsetText = "-1";
  std::vector<std::string> duringTrace;
  op.whileShown = [&] {
    duringTrace = {traceView().Caption(TraceControl::cmdTrace),
                   traceView().traceButtonEnabled ? "enabled" : "disabled",
                   traceView().hourglass ? "hourglass" : "arrow"};
  };
  EXPECT_FALSE(trace().cmdTrace_Click());
  EXPECT_EQ(Offset(), "-1.0");
  ASSERT_EQ(op.messages.size(), 1u);
  EXPECT_EQ(op.messages[0].text, "Please check the Outside value!");
  EXPECT_EQ(op.messages[0].icon, MessageIcon::Warning);
  EXPECT_EQ(op.messages[0].caption, "Corvane-X6");
  EXPECT_EQ(duringTrace, (std::vector<std::string>{"Wait...", "disabled", "hourglass"}));

  EXPECT_EQ(traceWindows.created, 1);
  EXPECT_TRUE(traceView().shown);
  EXPECT_EQ(traceView().offsetText, "-1");
  EXPECT_TRUE(traceView().traceButtonEnabled);
  EXPECT_FALSE(traceView().hourglass);
  EXPECT_EQ(traceView().Caption(TraceControl::cmdTrace), "Trace Contour");
}

TEST_F(TraceWindow, DeleteContourRemovesTraceAndMarkLayersAndStaysOpen) {
  Open();
  ASSERT_TRUE(trace().cmdTrace_Click());
  ASSERT_TRUE(main->cmdMark_Click());
  main->cmdTrace_Click();
  trace().cmdDelTrace_Click();
  std::vector<std::string> names;
  for (const standin::LayerView& layer : host.layers()) names.push_back(layer.name);
  EXPECT_EQ(names, std::vector<std::string>{"Layer 1"});
  EXPECT_TRUE(traceView().shown);

  host.clearCalls();
  trace().cmdDelTrace_Click();
  EXPECT_EQ(host.layers().size(), 1u);
  for (const std::string& operation : host.operationsCalled()) EXPECT_NE(operation, "RemoveLayer");
}

}  // namespace
}  // namespace corvane::toolwindow::testing
