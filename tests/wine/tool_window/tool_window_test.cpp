// Corvane-X6, -X3 and -X4 as the operator meets them, in a copy of the
// install folder: both windows read by control id, buttons pressed, the
// scroll bar moved, message boxes read and answered, Config.ini read back.
// No drawing application runs here, so every host step fails; the whole
// road with the stand-in server is in tests/wine/whole_road/.
#include <windows.h>
#include <tlhelp32.h>

#include <gtest/gtest.h>

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "tests/support/sample_jobs.h"
#include "tests/wine/driver/gui_driver.h"
#include "tests/wine/output_program/program_directory.h"
#include "toolwindow/app/tool_window_ids.h"

namespace corvane::wine {
namespace {

constexpr const char* kMainCaption = "CORVANE";
constexpr const char* kTraceCaption = "Trace-Settings";
constexpr int kTwipsPerPixel = 15;

struct Build {
  const char* program;
  const char* title;
};
constexpr Build kX6{"Corvane-X6.exe", "Corvane-X6"};
constexpr Build kX3{"Corvane-X3.exe", "Corvane-X3"};
constexpr Build kX4{"Corvane-X4.exe", "Corvane-X4"};

// A control where the form puts it, in twips, and its caption per language.
struct Placed {
  int id;
  int left, top, width, height;
  const char* english;
  const char* chinese;
};

const Placed kMainControls[] = {
    {IDC_MAIN_FRAME3, 120, 120, 1335, 975, "Cut/Plot", "切割输出"},
    {IDC_MAIN_CMD_CUTPLOT, 240, 480, 1095, 495, "Cut/Plot", "切割输出"},
    {IDC_MAIN_FRAME2, 120, 1320, 1335, 975, "Language", "语言设置"},
    {IDC_MAIN_CMD_LANG, 240, 1680, 1095, 495, "CH", "英文"},
    {IDC_MAIN_FRAME1, 1560, 120, 1695, 2175, "Cut Contour", "轮廓切割功能"},
    {IDC_MAIN_CMD_TRACE, 1680, 480, 1335, 495, "Trace Contour", "提取轮廓"},
    {IDC_MAIN_CMD_MARK, 1680, 1080, 1335, 495, "Add Mark", "添加Mark"},
    {IDC_MAIN_CMD_CUTOUT, 1680, 1680, 1335, 495, "Cut Contour", "轮廓输出"},
};

// The labels lie within the frame at 240, 480 and 2760, 480.
const Placed kTraceControls[] = {
    {IDC_TRACE_FRAME1, 240, 120, 3495, 1695, "Contour outside offset settings", "轮廓向外拓展"},
    {IDC_TRACE_LABEL1, 480, 600, 1095, 375, "Outside Offset:", "向外拓展："},
    {IDC_TRACE_LABEL2, 3000, 600, 615, 375, "mm", "毫米"},
    {IDC_TRACE_TXT_OUTSIDE, 1560, 480, 1095, 495, nullptr, nullptr},
    {IDC_TRACE_VSCROLL1, 2640, 480, 255, 495, nullptr, nullptr},
    {IDC_TRACE_CMD_TRACE, 480, 1200, 1335, 495, "Trace Contour", "提取轮廓"},
    {IDC_TRACE_CMD_DELTRACE, 2160, 1200, 1335, 495, "Delete contour", "删除轮廓"},
};

// Top to bottom: the tab order, and every button in front of its frame.
const std::vector<int> kMainZOrder = {IDC_MAIN_CMD_TRACE,  IDC_MAIN_CMD_LANG,    IDC_MAIN_CMD_MARK,
                                      IDC_MAIN_CMD_CUTOUT, IDC_MAIN_CMD_CUTPLOT, IDC_MAIN_FRAME1,
                                      IDC_MAIN_FRAME2,     IDC_MAIN_FRAME3};
const std::vector<int> kTraceZOrder = {
    IDC_TRACE_CMD_TRACE, IDC_TRACE_TXT_OUTSIDE,  IDC_TRACE_LABEL1, IDC_TRACE_LABEL2,
    IDC_TRACE_VSCROLL1,  IDC_TRACE_CMD_DELTRACE, IDC_TRACE_FRAME1};

using Captions = std::vector<std::string>;

Captions captionsOf(HWND window, std::span<const Placed> controls) {
  Captions captions;
  for (const Placed& c : controls) {
    if (c.english) captions.push_back(controlText(window, c.id));
  }
  return captions;
}

Captions captionsIn(std::span<const Placed> controls, bool chinese) {
  Captions captions;
  for (const Placed& c : controls) {
    if (c.english) captions.push_back(chinese ? c.chinese : c.english);
  }
  return captions;
}

void expectLayout(HWND window, std::span<const Placed> controls) {
  for (const Placed& c : controls) {
    SCOPED_TRACE(c.id);
    RECT area{};
    ASSERT_TRUE(GetWindowRect(GetDlgItem(window, c.id), &area));
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&area), 2);
    EXPECT_NEAR(area.left, c.left / kTwipsPerPixel, 1);
    EXPECT_NEAR(area.top, c.top / kTwipsPerPixel, 1);
    EXPECT_NEAR(area.right - area.left, c.width / kTwipsPerPixel, 1);
    EXPECT_NEAR(area.bottom - area.top, c.height / kTwipsPerPixel, 1);
  }
}

std::vector<int> zOrder(HWND window) {
  std::vector<int> ids;
  for (HWND c = GetWindow(window, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
    ids.push_back(GetDlgCtrlID(c));
  }
  return ids;
}

SIZE clientSize(HWND window) {
  RECT client{};
  GetClientRect(window, &client);
  return {client.right, client.bottom};
}

// A fixed frame without minimise and maximise boxes, and no icon anywhere.
void expectPlainFrame(HWND window) {
  const LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE);
  EXPECT_EQ(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME), 0);
  for (int kind : {ICON_BIG, ICON_SMALL}) {
    DWORD_PTR icon = 0;
    SendMessageTimeoutW(window, WM_GETICON, static_cast<WPARAM>(kind), 0, SMTO_ABORTIFHUNG, 2000,
                        &icon);
    EXPECT_EQ(icon, 0u);
  }
  EXPECT_EQ(GetClassLongPtrW(window, GCLP_HICON), 0u);
  EXPECT_EQ(GetClassLongPtrW(window, GCLP_HICONSM), 0u);
}

// A running CORVANE-OUT.exe. The GUI tests hold the display one at a time,
// so no other test's copy can be meant.
std::optional<DWORD> outputProgramRunning() {
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return std::nullopt;
  std::optional<DWORD> found;
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32FirstW(snapshot, &entry); more && !found;
       more = Process32NextW(snapshot, &entry)) {
    if (_wcsicmp(entry.szExeFile, L"CORVANE-OUT.exe") == 0) found = entry.th32ProcessID;
  }
  CloseHandle(snapshot);
  return found;
}

class ToolWindowTest : public ::testing::Test {
 protected:
  ToolWindowTest() {
    for (const Build& build : {kX6, kX3, kX4}) {
      std::filesystem::copy_file(std::filesystem::path(wide("Z:" CORVANE_OUT_DIR)) / build.program,
                                 directory.file(build.program));
    }
  }

  // Starts a build and waits for its main window.
  HWND start(const Build& build) {
    app.emplace(directory.file(build.program));
    return app->started() ? findWindow(app->processId(), kMainCaption) : nullptr;
  }
  HWND traceWindow() { return findAnyWindow(app->processId(), kTraceCaption); }
  std::optional<MessageBoxSeen> messageBox(std::chrono::milliseconds patience = kPatience) {
    return programMessageBox(app->processId(), patience);
  }
  std::optional<DWORD> closeMain(HWND main) {
    PostMessageW(main, WM_CLOSE, 0, 0);
    return app->waitForExit();
  }
  std::string setting(const char* section, const char* key) const {
    return directory.setting(section, key);
  }
  void screenshot(const char* name) {
    if (const std::optional<std::string> folder = artefactFolder()) {
      EXPECT_TRUE(takeScreenshot(*folder + "/" + name));
    }
  }

  ProgramDirectory directory;
  std::optional<Launched> app;
};

TEST_F(ToolWindowTest, EveryBuildOpensTopmostInEnglishAndLeavesEnglishAndTheOffset) {
  const std::optional<std::string> startConfigs[] = {std::nullopt, "[SYS]\r\nLANG=CH\r\n"};
  for (const Build& build : {kX6, kX3, kX4}) {
    for (const std::optional<std::string>& config : startConfigs) {
      SCOPED_TRACE(std::string(build.title) + (config ? " from LANG=CH" : " from no Config.ini"));
      directory.remove("Config.ini");
      if (config) directory.write("Config.ini", *config);
      HWND main = start(build);
      ASSERT_NE(main, nullptr);
      EXPECT_NE(GetWindowLongPtrW(main, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
      const SIZE client = clientSize(main);
      EXPECT_EQ(client.cx, 225);
      EXPECT_EQ(client.cy, 166);
      expectPlainFrame(main);
      expectLayout(main, kMainControls);
      EXPECT_EQ(captionsOf(main, kMainControls), captionsIn(kMainControls, false));
      EXPECT_EQ(zOrder(main), kMainZOrder);
      for (int frame : {IDC_MAIN_FRAME1, IDC_MAIN_FRAME2, IDC_MAIN_FRAME3}) {
        EXPECT_EQ(GetWindowLongPtrW(GetDlgItem(main, frame), GWL_STYLE) & WS_TABSTOP, 0);
      }
      HWND trace = traceWindow();
      ASSERT_NE(trace, nullptr) << "the trace settings window is made at start-up";
      EXPECT_FALSE(IsWindowVisible(trace));
      if (build.program == kX6.program && !config) screenshot("tool-window-en.png");

      // The hidden trace settings window goes with the main window.
      EXPECT_EQ(closeMain(main), std::optional<DWORD>(0));
      EXPECT_EQ(setting("SYS", "LANG"), "EN");
      EXPECT_EQ(setting("TRACE", "OFFSET"), "1.0");
    }
  }
}

// X6 toggles; X3 and X4 switch to Chinese on every press.
TEST_F(ToolWindowTest, LanguageSwitchesBothWindowsToChineseAndOnlyX6Back) {
  for (const Build& build : {kX6, kX3, kX4}) {
    SCOPED_TRACE(build.title);
    HWND main = start(build);
    ASSERT_NE(main, nullptr);
    HWND trace = traceWindow();
    ASSERT_NE(trace, nullptr);
    const bool toggles = build.program == kX6.program;
    for (const bool chinese : {true, !toggles}) {
      // Each press stores the language: the file tells when it was handled.
      directory.write("Config.ini", "[SYS]\r\nLANG=none\r\n");
      ASSERT_TRUE(clickButton(main, IDC_MAIN_CMD_LANG));
      ASSERT_TRUE(waitUntil([&] { return setting("SYS", "LANG") == (chinese ? "CH" : "EN"); }));
      EXPECT_EQ(captionsOf(main, kMainControls), captionsIn(kMainControls, chinese));
      EXPECT_EQ(captionsOf(trace, kTraceControls), captionsIn(kTraceControls, chinese));
      if (!toggles) continue;
      if (chinese) screenshot("tool-window-ch.png");
      // A message after the switch speaks the same language.
      directory.remove("CORVANE-OUT.exe");
      ASSERT_TRUE(clickButton(main, IDC_MAIN_CMD_CUTPLOT));
      const std::optional<MessageBoxSeen> box = messageBox();
      ASSERT_TRUE(box);
      EXPECT_EQ(box->text, chinese ? "输出插件损坏，请重新安装完整插件！"
                                   : "Lack output plugin,please install the full plugin!");
      ASSERT_TRUE(answerMessageBox(*box, IDOK));
    }
    EXPECT_EQ(closeMain(main), std::optional<DWORD>(0));
  }
}

// The output program is looked for before the host is asked anything; with
// it present the export goes to the host, and none is running.
TEST_F(ToolWindowTest, ExportsNeedTheOutputProgramThenReportTheHostsFailure) {
  struct Case {
    bool outputProgram;
    int button;
    const char* text;  // the whole text, or how it begins
    BoxIcon icon;
  };
  const char* const kMissing = "Lack output plugin,please install the full plugin!";
  const Case cases[] = {
      {false, IDC_MAIN_CMD_CUTPLOT, kMissing, BoxIcon::Warning},
      {false, IDC_MAIN_CMD_CUTOUT, kMissing, BoxIcon::Warning},
      {true, IDC_MAIN_CMD_CUTPLOT,
       "CountOpenDocuments failed: the drawing application is not running or cannot be reached",
       BoxIcon::Critical},
      {true, IDC_MAIN_CMD_CUTOUT, "Please check if the contour exists!", BoxIcon::Critical},
  };
  const std::string outputProgram = directory.read("CORVANE-OUT.exe");
  HWND main = start(kX4);
  ASSERT_NE(main, nullptr);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    if (c.outputProgram) {
      directory.write("CORVANE-OUT.exe", outputProgram);
    } else {
      directory.remove("CORVANE-OUT.exe");
    }
    ASSERT_TRUE(clickButton(main, c.button));
    const std::optional<MessageBoxSeen> box = messageBox();
    ASSERT_TRUE(box);
    EXPECT_EQ(box->caption, "Corvane-X4");
    EXPECT_EQ(box->text.rfind(c.text, 0), 0u) << box->text;
    EXPECT_EQ(messageBoxIcon(*box), c.icon);
    ASSERT_TRUE(answerMessageBox(*box, IDOK));
    EXPECT_FALSE(outputProgramRunning());
    EXPECT_FALSE(directory.has("QuillonPro1.tmp"));
  }
  EXPECT_EQ(closeMain(main), std::optional<DWORD>(0));
}

TEST_F(ToolWindowTest, TraceWindowSetsTheOffsetAndKeepsARefusedTraceOpen) {
  HWND main = start(kX6);
  ASSERT_NE(main, nullptr);
  ASSERT_TRUE(clickButton(main, IDC_MAIN_CMD_TRACE));
  HWND trace = findWindow(app->processId(), kTraceCaption);
  ASSERT_NE(trace, nullptr);

  // Modal over the main window, which owns it: no task-bar entry of its own.
  EXPECT_FALSE(IsWindowEnabled(main));
  EXPECT_EQ(GetWindow(trace, GW_OWNER), main);
  EXPECT_EQ(GetWindowLongPtrW(trace, GWL_EXSTYLE) & WS_EX_APPWINDOW, 0);
  expectPlainFrame(trace);
  const SIZE client = clientSize(trace);
  EXPECT_EQ(client.cx, 3975 / kTwipsPerPixel);
  EXPECT_EQ(client.cy, 2040 / kTwipsPerPixel);
  RECT outer{};
  GetWindowRect(trace, &outer);
  EXPECT_NEAR(outer.left + outer.right, GetSystemMetrics(SM_CXSCREEN), 2);
  EXPECT_NEAR(outer.top + outer.bottom, GetSystemMetrics(SM_CYSCREEN), 2);
  expectLayout(trace, kTraceControls);
  EXPECT_EQ(captionsOf(trace, kTraceControls), captionsIn(kTraceControls, false));
  EXPECT_EQ(zOrder(trace), kTraceZOrder);
  EXPECT_EQ(controlText(trace, IDC_TRACE_TXT_OUTSIDE), "1.0");
  EXPECT_EQ(scrollPosition(trace, IDC_TRACE_VSCROLL1), -10);
  screenshot("trace-window.png");

  // Up makes the offset larger; every move is stored at once.
  for (int click = 0; click < 3; ++click) ASSERT_TRUE(scroll(trace, IDC_TRACE_VSCROLL1, SB_LINEUP));
  ASSERT_TRUE(waitUntil([&] { return controlText(trace, IDC_TRACE_TXT_OUTSIDE) == "1.3"; }));
  EXPECT_EQ(scrollPosition(trace, IDC_TRACE_VSCROLL1), -13);
  EXPECT_EQ(setting("TRACE", "OFFSET"), "1.3");
  ASSERT_TRUE(scroll(trace, IDC_TRACE_VSCROLL1, SB_TOP));
  ASSERT_TRUE(waitUntil([&] { return controlText(trace, IDC_TRACE_TXT_OUTSIDE) == "100.0"; }));
  EXPECT_EQ(scrollPosition(trace, IDC_TRACE_VSCROLL1), -1000);
  // At 0.0 the lower arrow does nothing, so one step up then gives 0.1.
  ASSERT_TRUE(scroll(trace, IDC_TRACE_VSCROLL1, SB_BOTTOM));
  ASSERT_TRUE(scroll(trace, IDC_TRACE_VSCROLL1, SB_LINEDOWN));
  ASSERT_TRUE(scroll(trace, IDC_TRACE_VSCROLL1, SB_LINEUP));
  ASSERT_TRUE(waitUntil([&] { return controlText(trace, IDC_TRACE_TXT_OUTSIDE) == "0.1"; }));
  EXPECT_EQ(scrollPosition(trace, IDC_TRACE_VSCROLL1), -1);

  // The refused offset is stored, and refused before the host is asked.
  ASSERT_TRUE(setControlText(trace, IDC_TRACE_TXT_OUTSIDE, "-1"));
  ASSERT_TRUE(clickButton(trace, IDC_TRACE_CMD_TRACE));
  const std::optional<MessageBoxSeen> box = messageBox();
  ASSERT_TRUE(box);
  EXPECT_EQ(box->caption, "Corvane-X6");
  EXPECT_EQ(box->text, "Please check the Outside value!");
  EXPECT_EQ(messageBoxIcon(*box), BoxIcon::Warning);
  EXPECT_EQ(controlText(trace, IDC_TRACE_CMD_TRACE), "Wait...");
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(trace, IDC_TRACE_CMD_TRACE)));
  EXPECT_EQ(setting("TRACE", "OFFSET"), "-1.0");
  ASSERT_TRUE(answerMessageBox(*box, IDOK));
  EXPECT_TRUE(waitUntil([&] {
    return IsWindowEnabled(GetDlgItem(trace, IDC_TRACE_CMD_TRACE)) &&
           controlText(trace, IDC_TRACE_CMD_TRACE) == "Trace Contour";
  }));
  EXPECT_FALSE(messageBox(std::chrono::milliseconds(200))) << "no host step may follow";
  EXPECT_TRUE(IsWindowVisible(trace));
  EXPECT_EQ(controlText(trace, IDC_TRACE_TXT_OUTSIDE), "-1");

  // Closed, it is gone; the language switch makes it anew, and its load
  // brings the main window back to English before its own captions turn.
  PostMessageW(trace, WM_CLOSE, 0, 0);
  ASSERT_TRUE(waitUntil([&] { return !IsWindow(trace); }));
  EXPECT_TRUE(waitUntil([&] { return IsWindowEnabled(main) != FALSE; }));
  ASSERT_TRUE(clickButton(main, IDC_MAIN_CMD_LANG));
  ASSERT_TRUE(waitUntil([&] { return controlText(main, IDC_MAIN_CMD_MARK) == "添加Mark"; }));
  Captions mainCaptions = captionsIn(kMainControls, false);
  mainCaptions[6] = "添加Mark";  // cmdMark, the last caption set
  EXPECT_EQ(captionsOf(main, kMainControls), mainCaptions);
  HWND remade = traceWindow();
  ASSERT_NE(remade, nullptr);
  EXPECT_FALSE(IsWindowVisible(remade));
  EXPECT_EQ(captionsOf(remade, kTraceControls), captionsIn(kTraceControls, true));
  EXPECT_EQ(setting("SYS", "LANG"), "EN");

  // Closing the main window while the trace window is shown ends the program.
  ASSERT_TRUE(clickButton(main, IDC_MAIN_CMD_TRACE));
  ASSERT_EQ(findWindow(app->processId(), kTraceCaption), remade);
  EXPECT_EQ(closeMain(main), std::optional<DWORD>(0));
}

// Without a drawing application no export succeeds here, so the starter is
// driven on its own by a probe program that ends as soon as it has started
// the output program.
TEST_F(ToolWindowTest, TheStartedOutputProgramRunsOnAfterTheToolWindowEnds) {
  directory.write("QuillonPro1.tmp", corvane::testing::kDbJob);
  HWND main = start(kX6);
  ASSERT_NE(main, nullptr);
  const std::filesystem::path probe = wide("Z:" CORVANE_START_PROBE);
  Launched starter(probe, L"\"" + directory.program().wstring() + L"\"");
  ASSERT_TRUE(starter.started());
  EXPECT_EQ(starter.waitForExit(), std::optional<DWORD>(0)) << "the starter must not wait";
  const std::optional<DWORD> output = outputProgramRunning();
  ASSERT_TRUE(output);
  HWND dialog = findWindow(*output, "CORVANE-OUT Output");
  ASSERT_NE(dialog, nullptr);
  EXPECT_FALSE(IsIconic(dialog));

  EXPECT_EQ(closeMain(main), std::optional<DWORD>(0));
  HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, *output);
  ASSERT_NE(process, nullptr);
  EXPECT_EQ(WaitForSingleObject(process, 300), static_cast<DWORD>(WAIT_TIMEOUT));
  EXPECT_TRUE(IsWindowVisible(dialog));
  clickButton(dialog, IDCANCEL);
  EXPECT_EQ(WaitForSingleObject(process, 10000), static_cast<DWORD>(WAIT_OBJECT_0));
  CloseHandle(process);

  Launched failing(probe, L"\"" + directory.file("missing.exe").wstring() + L"\"");
  EXPECT_EQ(failing.waitForExit(), std::optional<DWORD>(1)) << "a failed start is reported";
}

}  // namespace
}  // namespace corvane::wine
