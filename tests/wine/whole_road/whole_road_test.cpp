// The whole road as an operator travels it: the stand-in automation server
// started like the drawing application, holding a small drawing; a tool
// window from a copy of the install folder; CORVANE-OUT started by it; and a
// cutter on COM9. The server must be registered in the bench's prefix.
#include <windows.h>
#include <oleauto.h>
#include <tlhelp32.h>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <map>
#include <optional>
#include <sstream>
#include <string>

#include "output/pipeline/convert_job.h"
#include "output/program/output_ids.h"
#include "tests/support/recording_operator.h"
#include "tests/wine/driver/gui_driver.h"
#include "tests/wine/output_program/program_directory.h"
#include "tests/wine/standin_server/automation_client.h"
#include "toolwindow/app/tool_window_ids.h"

namespace corvane::wine {
namespace {

using namespace std::chrono_literals;

constexpr const wchar_t* kX6Class = L"{71620001-E2D3-6894-439C-2598D1947150}";
constexpr const char* kServerProgram = "corvane-standin-server.exe";

// "Curve 1" 10..50 x 10..40 mm and "Curve 2" 60..90 x 10..40 mm.
constexpr const char* kDrawing =
    "IN;PU400,400;PD2000,400,2000,1600,400,1600,400,400;"
    "PU2400,400;PD3600,400,3600,1600,2400,1600,2400,400;PU;";

// English, the cutter on COM9 speaking HPGL, no corner options; and a
// value in the ANSI code page (0xF8) that both programs leave as it is.
constexpr const char* kOwner = "[OWNER]\r\nNAME=S\xF8ren\r\n";
constexpr const char* kConfig =
    "[OWNER]\r\nNAME=S\xF8ren\r\n[SYS]\r\nLANG=EN\r\n[OUTPUT]\r\nPORTNAME=COM9\r\nPORTBAUD="
    "9600\r\nMACHINE=TVM-1200\r\n"
    "[OFFSET]\r\nANGLE=1.00\r\nCLOSED=1.00\r\n[ENABLE]\r\nANGLE=0\r\nCLOSED=0\r\n";

std::optional<DWORD> processRunning(const wchar_t* program) {
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return std::nullopt;
  std::optional<DWORD> found;
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32FirstW(snapshot, &entry); more && !found;
       more = Process32NextW(snapshot, &entry)) {
    if (_wcsicmp(entry.szExeFile, program) == 0) found = entry.th32ProcessID;
  }
  CloseHandle(snapshot);
  return found;
}

// The line of the server's document text that begins with `start`.
std::string lineStarting(const std::string& document, const std::string& start) {
  std::istringstream lines(document);
  for (std::string line; std::getline(lines, line);) {
    if (line.rfind(start, 0) == 0) return line;
  }
  return {};
}

int linesStarting(const std::string& document, const std::string& start) {
  std::istringstream lines(document);
  int count = 0;
  for (std::string line; std::getline(lines, line);) count += line.rfind(start, 0) == 0 ? 1 : 0;
  return count;
}

// What `corvane-out convert` makes of the job with the settings above.
std::string convertedStream(const ProgramDirectory& directory, const std::string& job) {
  directory.write("expected.job", job);
  ConvertRequest request;
  request.jobPath = directory.file("expected.job");
  request.streamPath = directory.file("expected.stream");
  request.intermediatePath = directory.file("expected.plain");
  request.machine = "TVM-1200";
  testing::RecordingOperator op;
  return convertJob(request, op) ? directory.read("expected.stream") : std::string();
}

class WholeRoadTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }
  static void TearDownTestSuite() { CoUninitialize(); }

  explicit WholeRoadTest(std::wstring_view folderSuffix = {}) : directory(folderSuffix) {
    for (const char* program : {"Corvane-X6.exe", "Corvane-X3.exe", "Corvane-X4.exe"}) {
      std::filesystem::copy_file(std::filesystem::path(wide("Z:" CORVANE_OUT_DIR)) / program,
                                 directory.file(program));
    }
    directory.write("Config.ini", kConfig);
    directory.write("drawing.plt", kDrawing);
  }
  ~WholeRoadTest() override { stopServer(); }

  // Starts the server as the operator starts the drawing application, and
  // waits until it answers.
  bool startServer(const std::wstring& options) {
    const std::wstring drawing = options == L"--no-document"
                                     ? L""
                                     : L"\"" + directory.file("drawing.plt").wstring() + L"\" ";
    server.emplace(
        wide("Z:" CORVANE_STANDIN_SERVER),
        drawing + L"--dump \"" + directory.file("document.txt").wstring() + L"\" " + options);
    return waitUntil([this] {
      IUnknown* unknown = nullptr;
      if (FAILED(GetActiveObject(CLSIDOf(kX6Class), nullptr, &unknown)) || !unknown) return false;
      unknown->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&application));
      unknown->Release();
      return application != nullptr;
    });
  }
  void stopServer() {
    if (application) {
      invoke(application, L"Quit", DISPATCH_METHOD);
      application->Release();
      application = nullptr;
    }
    if (server) server->waitForExit();
    server.reset();
  }
  // Ended the hard way: the tool window keeps its now dead connection.
  void killServer() {
    if (application) application->Release();
    application = nullptr;
    server.reset();
  }
  std::string callLog() {
    Reply reply = invoke(application, L"StandInCallLog", kGet);
    return reply.value.type() == VT_BSTR ? utf8(V_BSTR(reply.value.get())) : "?";
  }
  // The server replaces the file after each call.
  std::string document() const { return wholeFile(directory.file("document.txt")); }

  HWND startTool(const char* program) {
    tool.emplace(directory.file(program));
    return tool->started() ? findWindow(tool->processId(), "CORVANE") : nullptr;
  }
  // The tool window's message box, answered with OK.
  std::optional<MessageBoxSeen> answeredBox(std::chrono::milliseconds patience = kPatience) {
    std::optional<MessageBoxSeen> box = programMessageBox(tool->processId(), patience);
    if (box) answerMessageBox(*box, IDOK);
    return box;
  }
  // CORVANE-OUT's dialog, once the tool window has started it.
  HWND outputDialog() {
    std::optional<DWORD> output;
    if (!waitUntil([&] { return (output = processRunning(L"CORVANE-OUT.exe")).has_value(); })) {
      return nullptr;
    }
    return findWindow(*output, "CORVANE-OUT Output");
  }
  bool closeOutput(HWND dialog) {
    clickButton(dialog, IDOK);
    return waitUntil([] { return !processRunning(L"CORVANE-OUT.exe"); });
  }
  void traceAt(HWND main, const char* offset) {
    ASSERT_TRUE(clickButton(main, IDC_MAIN_CMD_TRACE));
    HWND trace = findWindow(tool->processId(), "Trace-Settings");
    ASSERT_NE(trace, nullptr);
    ASSERT_TRUE(setControlText(trace, IDC_TRACE_TXT_OUTSIDE, offset));
    ASSERT_TRUE(clickButton(trace, IDC_TRACE_CMD_TRACE));
    EXPECT_TRUE(waitUntil([&] { return !IsWindowVisible(trace); })) << "the window stays open";
  }
  static CLSID CLSIDOf(const wchar_t* text) {
    CLSID id{};
    CLSIDFromString(text, &id);
    return id;
  }

  ProgramDirectory directory;
  CutterLine cutter{L"CORVANE_COM_RECEIVED"};
  std::optional<Launched> server;
  IDispatch* application = nullptr;
  std::optional<Launched> tool;
};

TEST_F(WholeRoadTest, CutPlotRefusesWithTheTextOfWhatIsMissing) {
  struct Case {
    const char* serverOptions;
    bool outputProgram;
    const char* text;
  };
  const Case cases[] = {
      {"", true, "Please select the output object(s)!"},
      {"--no-document", true, "Please Create or open a corelDRAW document!"},
      {"--select all", false, "Lack output plugin,please install the full plugin!"},
  };
  const std::string outputProgram = directory.read("CORVANE-OUT.exe");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    ASSERT_TRUE(startServer(wide(c.serverOptions)));
    if (c.outputProgram) {
      directory.write("CORVANE-OUT.exe", outputProgram);
    } else {
      directory.remove("CORVANE-OUT.exe");
    }
    HWND main = startTool("Corvane-X6.exe");
    ASSERT_NE(main, nullptr);
    ASSERT_TRUE(clickButton(main, IDC_MAIN_CMD_CUTPLOT));
    const std::optional<MessageBoxSeen> box = answeredBox();
    ASSERT_TRUE(box);
    EXPECT_EQ(box->text, c.text);
    if (!c.outputProgram) {
      EXPECT_EQ(callLog(), "") << "the host was asked";
    }
    EXPECT_FALSE(directory.has("QuillonPro1.tmp"));
    PostMessageW(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(tool->waitForExit(), std::optional<DWORD>(0));
    stopServer();
  }
}

// Started by our call, the application is hidden with no document for the
// operator: it is ended again and reported as not running.
TEST_F(WholeRoadTest, AHostStartedOnlyForTheCallIsEndedAndReportedNotRunning) {
  HWND main = startTool("Corvane-X6.exe");
  ASSERT_NE(main, nullptr);
  const auto pressed = Clock::now();
  ASSERT_TRUE(clickButton(main, IDC_MAIN_CMD_CUTPLOT));
  const std::optional<MessageBoxSeen> box = answeredBox();
  ASSERT_TRUE(box);
  EXPECT_LT(Clock::now() - pressed, 5s);
  EXPECT_EQ(box->text.rfind(
                "CountOpenDocuments failed: the drawing application is not running or cannot be "
                "reached",
                0),
            0u)
      << box->text;
  // Operation unavailable: the class was activated, and the server it
  // started was told to quit again.
  EXPECT_NE(box->text.find("0x800401E3"), std::string::npos) << box->text;
  EXPECT_TRUE(waitUntil([] { return !processRunning(L"corvane-standin-server.exe"); }));
  PostMessageW(main, WM_CLOSE, 0, 0);
  EXPECT_EQ(tool->waitForExit(), std::optional<DWORD>(0));
}

// Hidden and outside the running-object table, as another automation
// client may have started it, but with a document: activation reaches it,
// and the tool window says why it stops instead of quitting it.
TEST_F(WholeRoadTest, AHiddenHostWithADocumentIsReportedAndLeftRunning) {
  server.emplace(wide("Z:" CORVANE_STANDIN_SERVER),
                 L"\"" + directory.file("drawing.plt").wstring() + L"\" --hidden --dump \"" +
                     directory.file("document.txt").wstring() + L"\"");
  ASSERT_TRUE(waitUntil([&] { return directory.has("document.txt"); }));
  for (const char* program : {"Corvane-X6.exe", "Corvane-X3.exe", "Corvane-X4.exe"}) {
    SCOPED_TRACE(program);
    HWND main = startTool(program);
    ASSERT_NE(main, nullptr);
    ASSERT_TRUE(clickButton(main, IDC_MAIN_CMD_CUTPLOT));
    const std::optional<MessageBoxSeen> box = answeredBox();
    ASSERT_TRUE(box);
    EXPECT_NE(box->text.find("the drawing application is running hidden; show it and press again"),
              std::string::npos)
        << box->text;
    EXPECT_FALSE(server->waitForExit(500ms)) << "the hidden host was quit";
    PostMessageW(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(tool->waitForExit(), std::optional<DWORD>(0));
  }
  EXPECT_EQ(lineStarting(document(), "documents"), "documents 1");
  // Activation hands out the running server, which Quit then ends.
  CoCreateInstance(CLSIDOf(kX6Class), nullptr, CLSCTX_LOCAL_SERVER, IID_IDispatch,
                   reinterpret_cast<void**>(&application));
}

// The road from a folder whose name the system's ANSI code page (1252 here)
// cannot spell must reach the cutter byte for byte as from a plain one.
class WholeRoadInFolderTest : public WholeRoadTest,
                              public ::testing::WithParamInterface<const wchar_t*> {
 protected:
  WholeRoadInFolderTest() : WholeRoadTest(GetParam()) {}

  // The same road in the plain folder, which runs first, must have sent
  // the same bytes.
  static void expectAsInThePlainFolder(const std::string& road, const std::string& received) {
    static std::map<std::string, std::string> plain;
    if (*GetParam() == L'\0') {
      plain[road] = received;
    } else if (const auto seen = plain.find(road); seen != plain.end()) {
      EXPECT_EQ(received, seen->second) << road;
    }
  }
};

INSTANTIATE_TEST_SUITE_P(Folders, WholeRoadInFolderTest,
                         ::testing::Values(L"", L" \u523B\u5B57 \u00D8\u0141"));

TEST_P(WholeRoadInFolderTest, CutPlotOfTheSelectionReachesTheCutterAsConverted) {
  if (*GetParam() != L'\0') {
    BOOL lost = FALSE;
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, GetParam(), -1, nullptr, 0, nullptr, &lost);
    ASSERT_TRUE(lost) << "the folder's name must lie outside the ANSI code page " << GetACP();
  }
  ASSERT_TRUE(startServer(L"--select \"Curve 1\""));
  for (const char* program : {"Corvane-X6.exe", "Corvane-X3.exe", "Corvane-X4.exe"}) {
    SCOPED_TRACE(program);
    HWND main = startTool(program);
    ASSERT_NE(main, nullptr);
    ASSERT_TRUE(clickButton(main, IDC_MAIN_CMD_CUTPLOT));
    HWND dialog = outputDialog();
    ASSERT_NE(dialog, nullptr) << "CORVANE-OUT did not come up";
    const std::string job = directory.read("QuillonPro1.tmp");
    // Curve 1's right edge is 50 mm, its bottom 10 mm; the corner lies 10 mm beyond.
    EXPECT_EQ(job.rfind("DB0,0,2400,0;\r\n", 0), 0u) << job;
    const std::string expected = convertedStream(directory, job);
    ASSERT_FALSE(expected.empty());
    cutter.mark();
    ASSERT_TRUE(clickButton(dialog, IDC_BUTTON_OUTPUT));
    EXPECT_TRUE(cutter.receives(expected)) << "received: " << cutter.sinceMark();
    expectAsInThePlainFolder(program, cutter.sinceMark());
    EXPECT_TRUE(closeOutput(dialog));
    PostMessageW(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(tool->waitForExit(), std::optional<DWORD>(0));
  }
}

TEST_P(WholeRoadInFolderTest, TraceMarkCutContourAndDeleteThroughTheServer) {
  ASSERT_TRUE(startServer(L"--select all"));
  HWND main = startTool("Corvane-X6.exe");
  ASSERT_NE(main, nullptr);
  traceAt(main, "2.75");
  EXPECT_EQ(directory.setting("TRACE", "OFFSET"), "2.8");
  // The operator's 2.75 mm reaches the host as typed, not as stored.
  EXPECT_NE(lineStarting(callLog(), "AddContourEffect(").find(", 1, 2.75, "), std::string::npos)
      << callLog();
  EXPECT_EQ(linesStarting(document(), "layer \"TraceLayer\" not-printable"), 1);
  EXPECT_EQ(linesStarting(document(), "  shape \"TraceLine\""), 1);
  EXPECT_NE(lineStarting(document(), "  shape \"TraceLine\"").find("outline CMYK 0,100,100,0"),
            std::string::npos)
      << document();

  ASSERT_TRUE(clickButton(main, IDC_MAIN_CMD_MARK));
  // Its outline width is the last thing the mark sets.
  ASSERT_TRUE(waitUntil([&] {
    return lineStarting(document(), "  shape \"MarkLine\"").find(" width 1 ") != std::string::npos;
  })) << document();
  EXPECT_EQ(linesStarting(document(), "layer \"MarkLayer\""), 1);
  EXPECT_EQ(linesStarting(document(), "  shape \"MarkLine\""), 1);
  EXPECT_NE(lineStarting(document(), "  shape \"MarkLine\"").find(" width 1 "), std::string::npos)
      << document();
  if (const std::optional<std::string> folder = artefactFolder()) {
    // The always-on-top tool window aside, off the drawing.
    SetWindowPos(main, nullptr, 780, 560, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_TRUE(takeScreenshot(*folder + "/whole-road-document.png"));
  }

  ASSERT_TRUE(clickButton(main, IDC_MAIN_CMD_CUTOUT));
  HWND dialog = outputDialog();
  ASSERT_NE(dialog, nullptr) << "CORVANE-OUT did not come up";
  const std::string job = directory.read("QuillonPro1.tmp");
  EXPECT_EQ(job.rfind("TB", 0), 0u) << job;
  EXPECT_NE(job.find(";\r\nSB"), std::string::npos) << job;
  const std::string stream = convertedStream(directory, job);
  ASSERT_FALSE(stream.empty());
  std::string received;
  for (const bool cut : {true, false}) {
    SCOPED_TRACE(cut ? "OK cuts" : "Cancel ends the frame");
    cutter.mark();
    ASSERT_TRUE(clickButton(dialog, IDC_BUTTON_OUTPUT));
    const std::optional<MessageBoxSeen> question = findMessageBox(dialog);
    ASSERT_TRUE(question) << "no question";
    const std::string frame = cutter.sinceMark();
    EXPECT_EQ(frame.rfind("TB25,", 0), 0u) << frame;
    ASSERT_TRUE(answerMessageBox(*question, cut ? IDOK : IDCANCEL));
    EXPECT_TRUE(cutter.receives(frame + (cut ? stream : "TB24;")))
        << "received: " << cutter.sinceMark();
    received += cutter.sinceMark();
  }
  expectAsInThePlainFolder("contour cut", received);
  EXPECT_TRUE(closeOutput(dialog));
  // Read and rewritten by both programs, and still the ANSI file it was.
  const std::string config = directory.read("Config.ini");
  EXPECT_EQ(config.rfind(kOwner, 0), 0u) << config;
  EXPECT_NE(config.find("[TRACE]\r\nOFFSET=2.8\r\n"), std::string::npos) << config;
  EXPECT_NE(config.find("PORTNAME=COM9\r\n"), std::string::npos) << config;
  EXPECT_EQ(lineStarting(document(), "layer \"TraceLayer\""), "layer \"TraceLayer\" not-printable");
  EXPECT_EQ(lineStarting(document(), "layer \"MarkLayer\""), "layer \"MarkLayer\" printable");

  ASSERT_TRUE(clickButton(main, IDC_MAIN_CMD_TRACE));
  HWND trace = findWindow(tool->processId(), "Trace-Settings");
  ASSERT_NE(trace, nullptr);
  ASSERT_TRUE(clickButton(trace, IDC_TRACE_CMD_DELTRACE));
  EXPECT_TRUE(waitUntil([&] {
    const std::string now = document();
    return now.find("TraceLayer") == std::string::npos &&
           now.find("MarkLayer") == std::string::npos;
  })) << document();
  PostMessageW(main, WM_CLOSE, 0, 0);
  EXPECT_EQ(tool->waitForExit(), std::optional<DWORD>(0));
}

TEST_F(WholeRoadTest, AFailedBoundaryStopsX3AndX4AndIsPassedOverByX6) {
  for (const char* program : {"Corvane-X3.exe", "Corvane-X4.exe", "Corvane-X6.exe"}) {
    SCOPED_TRACE(program);
    const bool x6 = std::string(program) == "Corvane-X6.exe";
    ASSERT_TRUE(startServer(L"--select all --fail \"RunBoundaryCommand:1:No boundary\""));
    HWND main = startTool(program);
    ASSERT_NE(main, nullptr);
    ASSERT_TRUE(clickButton(main, IDC_MAIN_CMD_TRACE));
    HWND trace = findWindow(tool->processId(), "Trace-Settings");
    ASSERT_NE(trace, nullptr);
    ASSERT_TRUE(clickButton(trace, IDC_TRACE_CMD_TRACE));
    if (x6) {
      EXPECT_TRUE(waitUntil([&] { return !IsWindowVisible(trace); }));
      EXPECT_FALSE(programMessageBox(tool->processId(), 200ms));
      // Only Curve 2, 60..90 mm, lies under the trace line.
      const std::string line = lineStarting(document(), "  shape \"TraceLine\"");
      EXPECT_NE(line.find(" box 5"), std::string::npos) << document();
    } else {
      const std::optional<MessageBoxSeen> box = programMessageBox(tool->processId());
      ASSERT_TRUE(box);
      EXPECT_EQ(box->caption, "Error Handle");
      EXPECT_EQ(box->text, "Tracing contour failed!Please select the correct object!");
      EXPECT_EQ(messageBoxIcon(*box), BoxIcon::Critical);
      ASSERT_TRUE(answerMessageBox(*box, IDOK));
      EXPECT_TRUE(waitUntil(
          [&] { return IsWindowEnabled(GetDlgItem(trace, IDC_TRACE_CMD_TRACE)) != FALSE; }));
      EXPECT_TRUE(IsWindowVisible(trace));
    }
    PostMessageW(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(tool->waitForExit(), std::optional<DWORD>(0));
    stopServer();
  }
}

// A vectorising that gives Nothing leaves the operator's selection, the
// bitmap among it, as it was: the trace must not take it for the traced
// shapes and delete it. X6 passes over the bitmap and traces the curves;
// X3 and X4 stop with their failure text.
TEST_F(WholeRoadTest, AVectorisingThatGivesNothingLeavesTheOperatorsShapes) {
  struct Case {
    const char* program;
    const char* text;  // nullptr: no message
  };
  const Case cases[] = {
      {"Corvane-X6.exe", nullptr},
      {"Corvane-X3.exe", "Tracing contour failed!Please select the correct object!"},
      {"Corvane-X4.exe", "Tracing contour failed!Please select the correct object!"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.program);
    // "Picture" 100..110 x 30..40 mm, right of the curves.
    ASSERT_TRUE(startServer(L"--select all --finish-nothing --bitmap Picture:10x10@100,40"));
    HWND main = startTool(c.program);
    ASSERT_NE(main, nullptr);
    ASSERT_TRUE(clickButton(main, IDC_MAIN_CMD_TRACE));
    HWND trace = findWindow(tool->processId(), "Trace-Settings");
    ASSERT_NE(trace, nullptr);
    ASSERT_TRUE(clickButton(trace, IDC_TRACE_CMD_TRACE));
    if (c.text) {
      const std::optional<MessageBoxSeen> box = answeredBox();
      ASSERT_TRUE(box);
      EXPECT_EQ(box->text, c.text);
      EXPECT_TRUE(waitUntil(
          [&] { return IsWindowEnabled(GetDlgItem(trace, IDC_TRACE_CMD_TRACE)) != FALSE; }));
    } else {
      EXPECT_TRUE(waitUntil([&] { return !IsWindowVisible(trace); }));
      EXPECT_FALSE(programMessageBox(tool->processId(), 200ms));
      // The trace line goes round the curves alone, which end at 90 mm.
      const std::string line = lineStarting(document(), "  shape \"TraceLine\"");
      const std::size_t at = line.find(" box ");
      ASSERT_NE(at, std::string::npos) << document();
      double left = 0;
      double right = 0;
      std::istringstream(line.substr(at + 5)) >> left >> right;
      EXPECT_LT(right, 100) << line;
    }
    EXPECT_NE(callLog().find("VectoriseBitmap(shape \"Picture\""), std::string::npos) << callLog();
    const std::string now = document();
    for (const char* shape : {"Curve 1\" curve", "Curve 2\" curve", "Picture\" bitmap"}) {
      EXPECT_EQ(linesStarting(now, std::string("  shape \"") + shape), 1) << now;
    }
    PostMessageW(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(tool->waitForExit(), std::optional<DWORD>(0));
    stopServer();
  }
}

TEST_F(WholeRoadTest, AKilledHostIsReportedAndARestartedOneServesAgain) {
  ASSERT_TRUE(startServer(L""));
  HWND main = startTool("Corvane-X6.exe");
  ASSERT_NE(main, nullptr);
  ASSERT_TRUE(clickButton(main, IDC_MAIN_CMD_CUTPLOT));
  std::optional<MessageBoxSeen> box = answeredBox();
  ASSERT_TRUE(box);
  ASSERT_EQ(box->text, "Please select the output object(s)!") << "connected once";

  killServer();
  const auto pressed = Clock::now();
  ASSERT_TRUE(clickButton(main, IDC_MAIN_CMD_CUTPLOT));
  box = answeredBox();
  ASSERT_TRUE(box);
  EXPECT_LT(Clock::now() - pressed, 5s);
  // Each press connects afresh, and the dead server's class leads nowhere.
  EXPECT_NE(box->text.find("the drawing application is not running or cannot be reached"),
            std::string::npos)
      << box->text;

  ASSERT_TRUE(startServer(L""));
  ASSERT_TRUE(clickButton(main, IDC_MAIN_CMD_CUTPLOT));
  box = answeredBox();
  ASSERT_TRUE(box);
  EXPECT_EQ(box->text, "Please select the output object(s)!");
  PostMessageW(main, WM_CLOSE, 0, 0);
  EXPECT_EQ(tool->waitForExit(), std::optional<DWORD>(0));
}

// The server dies in the middle of an X6 trace, which otherwise passes over
// failed steps: the trace ends there, says so once, asks nothing more and
// starts no host; a server started meanwhile with another drawing is not
// touched by it, and the next press is served by that one.
TEST_F(WholeRoadTest, AHostDyingMidTraceEndsItOnceAndTheNextPressFindsTheNewHost) {
  ASSERT_TRUE(startServer(L"--select all --die-at 30"));
  HWND main = startTool("Corvane-X6.exe");
  ASSERT_NE(main, nullptr);
  ASSERT_TRUE(clickButton(main, IDC_MAIN_CMD_TRACE));
  HWND trace = findWindow(tool->processId(), "Trace-Settings");
  ASSERT_NE(trace, nullptr);
  const auto pressed = Clock::now();
  ASSERT_TRUE(clickButton(trace, IDC_TRACE_CMD_TRACE));
  std::optional<MessageBoxSeen> box = programMessageBox(tool->processId());
  ASSERT_TRUE(box);
  EXPECT_LT(Clock::now() - pressed, 5s);
  EXPECT_NE(box->text.find(" failed: the drawing application was closed or stopped answering"),
            std::string::npos)
      << box->text;
  killServer();
  EXPECT_FALSE(processRunning(L"corvane-standin-server.exe")) << "a host was started";

  // Another drawing, with no selection, while the message is still up.
  directory.write("drawing.plt", "IN;PU0,0;PD800,0,800,800,0,800,0,0;PU;");
  ASSERT_TRUE(startServer(L""));
  ASSERT_TRUE(answerMessageBox(*box, IDOK));
  EXPECT_TRUE(
      waitUntil([&] { return IsWindowEnabled(GetDlgItem(trace, IDC_TRACE_CMD_TRACE)) != FALSE; }));
  EXPECT_FALSE(programMessageBox(tool->processId(), 500ms)) << "reported twice";
  EXPECT_EQ(callLog(), "") << "the run went on with the new host";
  EXPECT_EQ(document().find("TraceLayer"), std::string::npos) << document();

  ASSERT_TRUE(clickButton(trace, IDC_TRACE_CMD_TRACE));
  box = answeredBox();
  ASSERT_TRUE(box);
  EXPECT_EQ(box->text, "Please select a object!");
  EXPECT_EQ(callLog().rfind("CountOpenDocuments()", 0), 0u) << callLog();
  PostMessageW(main, WM_CLOSE, 0, 0);
  EXPECT_EQ(tool->waitForExit(), std::optional<DWORD>(0));
}

}  // namespace
}  // namespace corvane::wine
