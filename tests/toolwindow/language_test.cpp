#include <gtest/gtest.h>

#include <map>
#include <string>

#include "tool_window_fixture.h"

namespace corvane::toolwindow::testing {
namespace {

using corvane::testing::writeFile;

const std::map<MainControl, std::string> kMainEnglish = {{MainControl::cmdTrace, "Trace Contour"},
                                                         {MainControl::Frame1, "Cut Contour"},
                                                         {MainControl::cmdCutout, "Cut Contour"},
                                                         {MainControl::Frame2, "Language"},
                                                         {MainControl::Frame3, "Cut/Plot"},
                                                         {MainControl::cmdCutPlot, "Cut/Plot"},
                                                         {MainControl::cmdLang, "CH"},
                                                         {MainControl::cmdMark, "Add Mark"}};
const std::map<MainControl, std::string> kMainChinese = {
    {MainControl::cmdTrace, "提取轮廓"},  {MainControl::Frame1, "轮廓切割功能"},
    {MainControl::cmdCutout, "轮廓输出"}, {MainControl::Frame2, "语言设置"},
    {MainControl::Frame3, "切割输出"},    {MainControl::cmdCutPlot, "切割输出"},
    {MainControl::cmdLang, "英文"},       {MainControl::cmdMark, "添加Mark"}};
const std::map<TraceControl, std::string> kTraceEnglish = {
    {TraceControl::Frame1, "Contour outside offset settings"},
    {TraceControl::Label1, "Outside Offset:"},
    {TraceControl::Label2, "mm"},
    {TraceControl::cmdTrace, "Trace Contour"},
    {TraceControl::cmdDelTrace, "Delete contour"}};
const std::map<TraceControl, std::string> kTraceChinese = {{TraceControl::Frame1, "轮廓向外拓展"},
                                                           {TraceControl::Label1, "向外拓展："},
                                                           {TraceControl::Label2, "毫米"},
                                                           {TraceControl::cmdTrace, "提取轮廓"},
                                                           {TraceControl::cmdDelTrace, "删除轮廓"}};

const char* BuildName(BuildVariant build) {
  return build == BuildVariant::X6 ? "X6" : build == BuildVariant::X3 ? "X3" : "X4";
}

TEST(TextTable, HoldsEveryTextInBothLanguages) {
  const BuiltInTextTable table;
  for (int number = 1; number <= 28; ++number) {
    SCOPED_TRACE(number);
    EXPECT_NE(table.Load(100 + number), "");
    EXPECT_NE(table.Load(200 + number), "");
  }
  EXPECT_EQ(table.Load(221), "Lack output plugin,please install the full plugin!");
  EXPECT_EQ(table.Load(116), "提取轮廓失败！请确保已正确选中所要操作的对象！");
  EXPECT_EQ(table.Load(129), "");
  EXPECT_EQ(table.Load(301), "");
}

TEST_F(ToolWindowTest, FirstStartWritesEnglishAndTheDefaultOffset) {
  Start();
  EXPECT_EQ(Ini("SYS", "LANG"), "EN");
  EXPECT_EQ(Offset(), "1.0");
  EXPECT_TRUE(mainWindow.iconCleared);
  EXPECT_TRUE(mainWindow.topmost);
  // The trace settings window exists from start-up on, hidden.
  ASSERT_NE(program->TraceWindow(), nullptr);
  EXPECT_FALSE(traceView().shown);
  EXPECT_EQ(traceView().offsetText, "1.0");
  EXPECT_EQ(traceView().scrollPosition, -10);
}

TEST_F(ToolWindowTest, EveryBuildStartsInEnglishWhateverConfigIniHeld) {
  for (const BuildVariant build : {BuildVariant::X6, BuildVariant::X3, BuildVariant::X4}) {
    SCOPED_TRACE(BuildName(build));
    writeFile(dir.file("Config.ini"), "[SYS]\r\nLANG=CH\r\n");
    Start(build);
    EXPECT_EQ(mainWindow.captions, kMainEnglish);
    EXPECT_EQ(traceView().captions, kTraceEnglish);
    EXPECT_EQ(program->lang.CurrentLanguage, kLanguageEnglish);
    EXPECT_EQ(Ini("SYS", "LANG"), "EN");
  }
}

TEST_F(ToolWindowTest, X6LanguageButtonTogglesBothWindowsAndTheMessages) {
  Start(BuildVariant::X6);
  main->cmdLang_Click();
  EXPECT_EQ(mainWindow.captions, kMainChinese);
  EXPECT_EQ(traceView().captions, kTraceChinese);
  EXPECT_EQ(Ini("SYS", "LANG"), "CH");
  main->cmdCutPlot_Click();  // no output program beside the tool window
  ASSERT_EQ(op.messages.size(), 1u);
  EXPECT_EQ(op.messages[0].text, "输出插件损坏，请重新安装完整插件！");

  main->cmdLang_Click();
  EXPECT_EQ(mainWindow.captions, kMainEnglish);
  EXPECT_EQ(traceView().captions, kTraceEnglish);
  EXPECT_EQ(Ini("SYS", "LANG"), "EN");
}

TEST_F(ToolWindowTest, X3AndX4LanguageButtonOnlyLeadsToChinese) {
  for (const BuildVariant build : {BuildVariant::X3, BuildVariant::X4}) {
    SCOPED_TRACE(BuildName(build));
    Start(build);
    main->cmdLang_Click();
    main->cmdLang_Click();
    EXPECT_EQ(mainWindow.captions, kMainChinese);
    EXPECT_EQ(traceView().captions, kTraceChinese);
    EXPECT_EQ(Ini("SYS", "LANG"), "CH");
  }
}

TEST_F(ToolWindowTest, X6LanguageButtonIgnoresACaptionItDoesNotKnow) {
  Start(BuildVariant::X6);
  mainWindow.captions[MainControl::cmdLang] = "EN";
  main->cmdLang_Click();
  EXPECT_EQ(mainWindow.captions[MainControl::cmdTrace], "Trace Contour");
  EXPECT_EQ(Ini("SYS", "LANG"), "EN");
}

// Making the trace window on the way runs its load, which applies English
// before the Chinese captions of the trace window and of cmdMark are set.
TEST_F(ToolWindowTest, SwitchToChineseWhileTheTraceWindowIsClosedComesOutMixed) {
  Start(BuildVariant::X6);
  program->UnloadTraceWindow();  // the operator closed it
  main->cmdLang_Click();
  std::map<MainControl, std::string> expected = kMainEnglish;
  expected[MainControl::cmdMark] = "添加Mark";
  EXPECT_EQ(mainWindow.captions, expected);
  EXPECT_EQ(traceView().captions, kTraceChinese);
  EXPECT_EQ(program->lang.CurrentLanguage, kLanguageEnglish);
  EXPECT_EQ(Ini("SYS", "LANG"), "EN");
  EXPECT_EQ(traceWindows.created, 2);
  EXPECT_FALSE(traceView().shown);
}

TEST_F(ToolWindowTest, FinishingATraceOrReopeningTheTraceWindowBringsEnglishBack) {
  for (const bool reopen : {false, true}) {
    SCOPED_TRACE(reopen ? "reopened" : "traced");
    host.addRectangle("Layer 1", "A", 10, 20, 100, 50);
    host.selectAll();
    Start(BuildVariant::X6);
    main->cmdLang_Click();
    if (reopen) {
      program->UnloadTraceWindow();
      main->cmdTrace_Click();
    } else {
      main->cmdTrace_Click();
      ASSERT_TRUE(trace().cmdTrace_Click());
    }
    EXPECT_EQ(mainWindow.captions, kMainEnglish);
    EXPECT_EQ(traceView().captions, kTraceEnglish);
    EXPECT_EQ(Ini("SYS", "LANG"), "EN");
  }
}

}  // namespace
}  // namespace corvane::toolwindow::testing
