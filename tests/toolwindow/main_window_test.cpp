#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "tool_window_fixture.h"

namespace corvane::toolwindow::testing {
namespace {

using corvane::testing::readFile;
using corvane::testing::writeFile;

class MainWindow : public ToolWindowTest {
 protected:
  bool Press(const std::string& button) {
    if (button == "cmdCutPlot") return main->cmdCutPlot_Click();
    if (button == "cmdCutout") return main->cmdCutout_Click();
    return main->cmdMark_Click();
  }
  std::filesystem::path JobFile() const { return dir.path() / "QuillonPro1.tmp"; }
};

TEST_F(MainWindow, WithoutTheOutputProgramBothExportsStopBeforeAskingTheHost) {
  for (const BuildVariant build : {BuildVariant::X6, BuildVariant::X3}) {
    for (const char* button : {"cmdCutPlot", "cmdCutout"}) {
      SCOPED_TRACE(button);
      host.addRectangle("Layer 1", "A", 10, 20, 100, 50);
      host.selectAll();
      Start(build);
      host.clearCalls();
      op.messages.clear();
      EXPECT_FALSE(Press(button));
      ASSERT_EQ(op.messages.size(), 1u);
      EXPECT_EQ(op.messages[0].text, "Lack output plugin,please install the full plugin!");
      EXPECT_EQ(op.messages[0].icon, MessageIcon::Warning);
      EXPECT_EQ(op.messages[0].caption, ProgramTitle(build));
      EXPECT_TRUE(host.calls().empty());
      EXPECT_FALSE(std::filesystem::exists(JobFile()));
      EXPECT_TRUE(starter.started.empty());
    }
  }
}

TEST_F(MainWindow, CutPlotReportsAMissingDocumentOrSelectionAndStartsNothing) {
  AddOutputProgram();
  writeFile(JobFile().string(), "earlier job");
  Start();
  host.clearSelection();
  EXPECT_FALSE(main->cmdCutPlot_Click());
  host.closeAllDocuments();
  EXPECT_FALSE(main->cmdCutPlot_Click());
  ASSERT_EQ(op.messages.size(), 2u);
  EXPECT_EQ(op.messages[0].text, "Please select the output object(s)!");
  EXPECT_EQ(op.messages[1].text, "Please Create or open a corelDRAW document!");
  EXPECT_EQ(readFile(JobFile().string()), "earlier job");
  EXPECT_TRUE(starter.started.empty());
}

TEST_F(MainWindow, CutPlotWritesTheJobThenStartsTheOutputProgram) {
  AddOutputProgram();
  host.addRectangle("Layer 1", "A", 10, 20, 90, 30);  // right edge 100, bottom 20
  host.selectAll();
  Start();
  EXPECT_TRUE(main->cmdCutPlot_Click());
  EXPECT_EQ(readFile(JobFile().string()).rfind("DB0,0,4400,400;\r\n", 0), 0u);
  ASSERT_EQ(starter.started.size(), 1u);
  EXPECT_EQ(starter.started[0], dir.path() / "CORVANE-OUT.exe");
}

TEST_F(MainWindow, TheContourCutRunsFromTraceToHandOffWithoutAnyCheckOnTheWay) {
  host.addRectangle("Layer 1", "A", 10, 20, 100, 50);
  host.selectAll();
  Start();
  // Trace Contour and Add Mark do not look for the output program.
  main->cmdTrace_Click();
  EXPECT_TRUE(traceView().shown);
  traceView().offsetText = "2";
  ASSERT_TRUE(trace().cmdTrace_Click());
  ASSERT_TRUE(main->cmdMark_Click());
  EXPECT_TRUE(op.messages.empty());

  AddOutputProgram();
  EXPECT_TRUE(main->cmdCutout_Click());
  EXPECT_EQ(readFile(JobFile().string()).rfind("TB5760,3760,", 0), 0u);
  EXPECT_EQ(starter.started.size(), 1u);
}

TEST_F(MainWindow, ClosingTheMainWindowClosesTheTraceWindowHiddenOrShown) {
  for (const bool shown : {false, true}) {
    SCOPED_TRACE(shown ? "shown" : "hidden");
    Start();
    if (shown) main->cmdTrace_Click();
    traceWindows.closed = 0;
    main->Form_Unload();
    EXPECT_EQ(traceWindows.closed, 1);
    EXPECT_EQ(program->TraceWindow(), nullptr);
  }
}

}  // namespace
}  // namespace corvane::toolwindow::testing
