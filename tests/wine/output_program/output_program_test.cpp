// CORVANE-OUT.exe as the operator meets it: started beside a tool window
// with a job file and Config.ini, its dialog read and set by control id,
// Output pressed, message boxes read and answered, and what reaches the
// cutter on COM9 compared byte for byte.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>

#include "output/program/output_ids.h"
#include "tests/support/sample_jobs.h"
#include "tests/wine/driver/gui_driver.h"
#include "tests/wine/output_program/program_directory.h"

namespace corvane::wine {
namespace {

constexpr DWORD kExitClosed = 0;
constexpr DWORD kExitRefused = 1;
constexpr DWORD kExitNoResources = 2;

constexpr const char* kEnglishCaption = "CORVANE-OUT Output";
constexpr const char* kChineseCaption = "CORVANE-OUT 输出";
constexpr const char* kCutter = "COM9";

using corvane::testing::kDbJob;
using corvane::testing::kDbStreamClosedHpgl;
using corvane::testing::kDbStreamHpgl;
using corvane::testing::kTbFrameCommand;
using corvane::testing::kTbJob;
using corvane::testing::kTbStreamHpgl;

std::string config(const std::string& language, const std::string& output = {}) {
  std::string text = "[SYS]\r\nLANG=" + language + "\r\n";
  if (!output.empty()) text += output;
  return text;
}

// The cutter on COM9, TVM-1200 (HPGL), no corner options.
const std::string kSendToCutter =
    "[OUTPUT]\r\nPORTNAME=COM9\r\nPORTBAUD=9600\r\nMACHINE=TVM-1200\r\n"
    "[OFFSET]\r\nANGLE=1.00\r\nCLOSED=1.00\r\n[ENABLE]\r\nANGLE=0\r\nCLOSED=0\r\n";

class OutputProgramTest : public ::testing::Test {
 protected:
  explicit OutputProgramTest(std::wstring_view folderSuffix = {}) : directory(folderSuffix) {}

  // Starts the program and waits for its dialog.
  HWND startDialog(std::optional<Launched>& app, const char* caption = kEnglishCaption) {
    app.emplace(directory.program());
    if (!app->started()) return nullptr;
    return findWindow(app->processId(), caption);
  }

  // Closes the dialog the way the operator does and waits for the end.
  std::optional<DWORD> closeWith(Launched& app, HWND dialog, int button) {
    clickButton(dialog, button);
    return app.waitForExit();
  }

  ProgramDirectory directory;
  CutterLine cutter{L"CORVANE_COM_RECEIVED"};
};

class StartUpTest : public OutputProgramTest {};

TEST_F(StartUpTest, WithoutToolWindowItSaysSoAndEndsLeavingTheJob) {
  directory.write("Config.ini", config("EN"));
  directory.write("QuillonPro1.tmp", kDbJob);
  Launched app(directory.program());
  ASSERT_TRUE(app.started());
  const std::optional<MessageBoxSeen> box = programMessageBox(app.processId());
  ASSERT_TRUE(box) << "no message box";
  EXPECT_EQ(box->caption, "CORVANE-OUT");
  EXPECT_EQ(box->text,
            "The CORVANE tool window is not open. Start the output from the tool window.");
  ASSERT_TRUE(answerMessageBox(*box, IDOK));
  EXPECT_EQ(app.waitForExit(), std::optional<DWORD>(kExitRefused));
  EXPECT_TRUE(directory.has("QuillonPro1.tmp")) << "a refused start must not delete the job";
}

TEST_F(StartUpTest, WithoutJobFileItSaysSoAndEnds) {
  ToolWindow tool;
  directory.write("Config.ini", config("EN"));
  Launched app(directory.program());
  ASSERT_TRUE(app.started());
  const std::optional<MessageBoxSeen> box = programMessageBox(app.processId());
  ASSERT_TRUE(box) << "no message box";
  EXPECT_EQ(box->text,
            "There is no job to cut: the job file QuillonPro1.tmp is missing. Export the job from "
            "the tool window first.");
  ASSERT_TRUE(answerMessageBox(*box, IDOK));
  EXPECT_EQ(app.waitForExit(), std::optional<DWORD>(kExitRefused));
}

TEST_F(StartUpTest, SecondStartSaysSoAndLeavesNoCopyRunning) {
  ToolWindow tool;
  directory.write("Config.ini", config("EN"));
  directory.write("QuillonPro1.tmp", kDbJob);
  std::optional<Launched> first;
  ASSERT_NE(startDialog(first), nullptr);

  Launched second(directory.program());
  ASSERT_TRUE(second.started());
  const std::optional<MessageBoxSeen> box = programMessageBox(second.processId());
  ASSERT_TRUE(box) << "the second copy showed no message";
  EXPECT_EQ(box->text,
            "CORVANE-OUT was already running. All copies are closed now; send the job again from "
            "the tool window.");
  ASSERT_TRUE(answerMessageBox(*box, IDOK));
  EXPECT_EQ(second.waitForExit(), std::optional<DWORD>(0));
  EXPECT_EQ(first->waitForExit(), std::optional<DWORD>(0));

  // Both are gone, so the next start is the only copy again.
  std::optional<Launched> third;
  HWND dialog = startDialog(third);
  ASSERT_NE(dialog, nullptr) << "a start after all copies ended must work";
  EXPECT_EQ(closeWith(*third, dialog, IDCANCEL), std::optional<DWORD>(kExitClosed));
}

TEST_F(StartUpTest, MissingLanguageLibraryIsReportedInsteadOfACrash) {
  ToolWindow tool;
  directory.write("Config.ini", config("CH"));
  directory.write("QuillonPro1.tmp", kDbJob);
  directory.remove("lang_ch.dll");
  Launched app(directory.program());
  ASSERT_TRUE(app.started());
  const std::optional<MessageBoxSeen> box = programMessageBox(app.processId());
  ASSERT_TRUE(box) << "no message box";
  EXPECT_NE(box->text.find("lang_ch.dll"), std::string::npos) << box->text;
  ASSERT_TRUE(answerMessageBox(*box, IDOK));
  EXPECT_EQ(app.waitForExit(), std::optional<DWORD>(kExitNoResources));
  EXPECT_TRUE(directory.has("QuillonPro1.tmp"));
}

TEST_F(StartUpTest, OnlyExactlyENPicksEnglish) {
  struct Case {
    std::optional<std::string> language;  // none: no Config.ini at all
    const char* caption;
    const char* output;
    const char* about;
    const char* screenshot;
  };
  const Case cases[] = {
      {"EN", kEnglishCaption, "&Output", "About CORVANE-OUT", "output-dialog-en.png"},
      {"en", kChineseCaption, "输出(&O)", "关于 CORVANE-OUT", nullptr},
      {"CH", kChineseCaption, "输出(&O)", "关于 CORVANE-OUT", "output-dialog-ch.png"},
      {std::nullopt, kEnglishCaption, "&Output", "About CORVANE-OUT", nullptr},
  };
  ToolWindow tool;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.language.value_or("no Config.ini"));
    directory.remove("Config.ini");
    if (c.language) directory.write("Config.ini", config(*c.language));
    directory.write("QuillonPro1.tmp", kDbJob);
    std::optional<Launched> app;
    HWND dialog = startDialog(app, c.caption);
    ASSERT_NE(dialog, nullptr) << "no dialog titled " << c.caption;
    EXPECT_EQ(controlText(dialog, IDC_BUTTON_OUTPUT), c.output);

    // The About item of the system menu opens the About box of the same library.
    PostMessageW(dialog, WM_SYSCOMMAND, IDM_ABOUT, 0);
    HWND about = findWindow(app->processId(), c.about);
    ASSERT_NE(about, nullptr) << "no About box titled " << c.about;
    ASSERT_TRUE(clickButton(about, IDOK));
    EXPECT_TRUE(waitUntil([&] { return !IsWindow(about); }));

    if (c.screenshot) {
      if (const std::optional<std::string> folder = artefactFolder()) {
        EXPECT_TRUE(takeScreenshot(*folder + "/" + c.screenshot));
      }
    }
    EXPECT_EQ(closeWith(*app, dialog, IDOK), std::optional<DWORD>(kExitClosed));
  }
}

class OutputDialogTest : public OutputProgramTest {
 protected:
  explicit OutputDialogTest(std::wstring_view folderSuffix = {})
      : OutputProgramTest(folderSuffix) {}
  void SetUp() override {
    ASSERT_TRUE(cutter.available()) << "CORVANE_COM_RECEIVED not set: run through ctest";
    ASSERT_TRUE(slowCutter.available()) << "CORVANE_SLOW_RECEIVED not set: run through ctest";
  }
  ToolWindow tool;
  CutterLine slowCutter{L"CORVANE_SLOW_RECEIVED", L"CORVANE_SLOW_GATE"};
};

TEST_F(OutputDialogTest, FreshConfigShowsTheDefaults) {
  directory.write("QuillonPro1.tmp", kDbJob);
  std::optional<Launched> app;
  HWND dialog = startDialog(app);
  ASSERT_NE(dialog, nullptr);

  const std::vector<std::string> ports = comboItems(dialog, IDC_COMBO_PORT);
  ASSERT_FALSE(ports.empty());
  const bool hasCom1 = std::find(ports.begin(), ports.end(), "COM1") != ports.end();
  const std::string expectedPort = hasCom1 ? "COM1" : ports.front();
  EXPECT_EQ(controlText(dialog, IDC_COMBO_PORT), expectedPort);
  EXPECT_EQ(comboItems(dialog, IDC_COMBO_BAUD),
            (std::vector<std::string>{"9600", "38400", "56000", "57600", "152000"}));
  EXPECT_EQ(controlText(dialog, IDC_COMBO_BAUD), "38400");
  EXPECT_EQ(controlText(dialog, IDC_COMBO_MACHINE), "RQ-2400");
  EXPECT_FALSE(isChecked(dialog, IDC_CHECK_ANGLE));
  EXPECT_FALSE(isChecked(dialog, IDC_CHECK_CLOSED));
  EXPECT_EQ(controlText(dialog, IDC_EDIT_ANGLE), "1.00");
  EXPECT_EQ(controlText(dialog, IDC_EDIT_CLOSED), "1.00");
  EXPECT_TRUE(isReadOnly(dialog, IDC_EDIT_ANGLE));
  EXPECT_TRUE(isReadOnly(dialog, IDC_EDIT_CLOSED));
  EXPECT_EQ(closeWith(*app, dialog, IDCANCEL), std::optional<DWORD>(kExitClosed));
}

TEST_F(OutputDialogTest, DbJobReachesTheCutterByteForByte) {
  directory.write("Config.ini", config("EN", kSendToCutter));
  directory.write("QuillonPro1.tmp", kDbJob);
  std::optional<Launched> app;
  HWND dialog = startDialog(app);
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(controlText(dialog, IDC_COMBO_PORT), kCutter);
  EXPECT_TRUE(isShown(dialog, IDC_COMBO_BAUD));

  cutter.mark();
  ASSERT_TRUE(clickButton(dialog, IDC_BUTTON_OUTPUT));
  EXPECT_TRUE(cutter.receives(kDbStreamHpgl)) << "received: " << cutter.sinceMark();
  EXPECT_EQ(directory.read("QuillonPro3.tmp"), kDbStreamHpgl);

  // The same job again, as often as the operator likes.
  cutter.mark();
  ASSERT_TRUE(clickButton(dialog, IDC_BUTTON_OUTPUT));
  EXPECT_TRUE(cutter.receives(kDbStreamHpgl)) << "received: " << cutter.sinceMark();
  EXPECT_FALSE(programMessageBox(app->processId(), std::chrono::milliseconds(200)));
  EXPECT_EQ(closeWith(*app, dialog, IDOK), std::optional<DWORD>(kExitClosed));
}

TEST_F(OutputDialogTest, CutOrderBoxSendsTheCounterFirstAndIsSaved) {
  directory.write("Config.ini", config("EN", kSendToCutter));
  directory.write("QuillonPro1.tmp", corvane::testing::kLetterOJob);
  std::optional<Launched> app;
  HWND dialog = startDialog(app);
  ASSERT_NE(dialog, nullptr);
  EXPECT_FALSE(isChecked(dialog, IDC_CHECK_ORDER));
  ASSERT_TRUE(clickCheckBox(dialog, IDC_CHECK_ORDER));

  cutter.mark();
  ASSERT_TRUE(clickButton(dialog, IDC_BUTTON_OUTPUT));
  EXPECT_TRUE(cutter.receives(corvane::testing::kLetterOOrderedHpgl))
      << "received: " << cutter.sinceMark();
  EXPECT_EQ(directory.read("QuillonPro2.tmp"), corvane::testing::kLetterOPlainHpgl);
  EXPECT_EQ(closeWith(*app, dialog, IDOK), std::optional<DWORD>(kExitClosed));
  EXPECT_EQ(directory.setting("ENABLE", "ORDER"), "1");
}

// Installed in a folder that the ANSI code page (1252 here) cannot spell.
class FolderOutsideTheCodePageTest : public OutputDialogTest {
 protected:
  FolderOutsideTheCodePageTest() : OutputDialogTest(L" \u523B\u5B57 \u00D8\u0141") {}
};

// The Chinese library, the job, the intermediate file the corner stream is
// built from, and Config.ini all open there, and Config.ini stays ANSI.
TEST_F(FolderOutsideTheCodePageTest, ChineseDialogSendsTheCornerStream) {
  const std::string owner = "[OWNER]\r\nNAME=S\xF8ren\r\n";
  std::string settings = owner + config("CH", kSendToCutter);
  settings.replace(settings.find("CLOSED=0"), 8, "CLOSED=1");
  directory.write("Config.ini", settings);
  directory.write("QuillonPro1.tmp", kDbJob);
  std::optional<Launched> app;
  HWND dialog = startDialog(app, kChineseCaption);
  ASSERT_NE(dialog, nullptr);
  cutter.mark();
  ASSERT_TRUE(clickButton(dialog, IDC_BUTTON_OUTPUT));
  EXPECT_TRUE(cutter.receives(kDbStreamClosedHpgl)) << "received: " << cutter.sinceMark();
  EXPECT_EQ(closeWith(*app, dialog, IDOK), std::optional<DWORD>(kExitClosed));
  EXPECT_FALSE(directory.has("QuillonPro2.tmp"));
  const std::string saved = directory.read("Config.ini");
  EXPECT_EQ(saved.rfind(owner, 0), 0u) << saved;
  EXPECT_EQ(directory.setting("ENABLE", "CLOSED"), "1");
}

TEST_F(OutputDialogTest, TbJobSendsTheFrameThenAsksWhetherToCut) {
  directory.write("Config.ini", config("EN", kSendToCutter));
  directory.write("QuillonPro1.tmp", kTbJob);
  std::optional<Launched> app;
  HWND dialog = startDialog(app);
  ASSERT_NE(dialog, nullptr);
  const std::string question = "The frame command has been sent to the cutter. Cut the job now?";

  {
    SCOPED_TRACE("OK cuts");
    cutter.mark();
    ASSERT_TRUE(clickButton(dialog, IDC_BUTTON_OUTPUT));
    const std::optional<MessageBoxSeen> box = findMessageBox(dialog);
    ASSERT_TRUE(box) << "no question";
    EXPECT_EQ(box->text, question);
    // The frame is at the cutter while the operator decides.
    EXPECT_EQ(cutter.sinceMark(), kTbFrameCommand);
    ASSERT_TRUE(answerMessageBox(*box, IDOK));
    EXPECT_TRUE(cutter.receives(std::string(kTbFrameCommand) + kTbStreamHpgl))
        << "received: " << cutter.sinceMark();
  }
  {
    SCOPED_TRACE("Cancel ends the frame");
    cutter.mark();
    ASSERT_TRUE(clickButton(dialog, IDC_BUTTON_OUTPUT));
    const std::optional<MessageBoxSeen> box = findMessageBox(dialog);
    ASSERT_TRUE(box) << "no question";
    EXPECT_EQ(cutter.sinceMark(), kTbFrameCommand);
    ASSERT_TRUE(answerMessageBox(*box, IDCANCEL));
    EXPECT_TRUE(cutter.receives(std::string(kTbFrameCommand) + "TB24;"))
        << "received: " << cutter.sinceMark();
  }
  EXPECT_EQ(closeWith(*app, dialog, IDOK), std::optional<DWORD>(kExitClosed));
}

TEST_F(OutputDialogTest, ChoicesAreSavedOnOutputAndShownAtTheNextStart) {
  directory.write("Config.ini", config("EN"));
  directory.write("QuillonPro1.tmp", kDbJob);
  {
    std::optional<Launched> app;
    HWND dialog = startDialog(app);
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(chooseComboItem(dialog, IDC_COMBO_PORT, kCutter));
    ASSERT_TRUE(chooseComboItem(dialog, IDC_COMBO_BAUD, "57600"));
    ASSERT_TRUE(chooseComboItem(dialog, IDC_COMBO_MACHINE, "TVM-2400S"));
    ASSERT_TRUE(clickCheckBox(dialog, IDC_CHECK_CLOSED));
    EXPECT_FALSE(isReadOnly(dialog, IDC_EDIT_CLOSED));
    EXPECT_TRUE(isReadOnly(dialog, IDC_EDIT_ANGLE));
    ASSERT_TRUE(setControlText(dialog, IDC_EDIT_CLOSED, "1"));
    // Nothing is written before Output.
    EXPECT_EQ(directory.setting("OUTPUT", "PORTNAME"), "(missing)");

    cutter.mark();
    ASSERT_TRUE(clickButton(dialog, IDC_BUTTON_OUTPUT));
    EXPECT_TRUE(cutter.receives(kDbStreamClosedHpgl)) << "received: " << cutter.sinceMark();
    EXPECT_EQ(closeWith(*app, dialog, IDOK), std::optional<DWORD>(kExitClosed));
  }
  EXPECT_EQ(directory.setting("OUTPUT", "PORTNAME"), "COM9");
  EXPECT_EQ(directory.setting("OUTPUT", "PORTBAUD"), "57600");
  EXPECT_EQ(directory.setting("OUTPUT", "MACHINE"), "TVM-2400S");
  EXPECT_EQ(directory.setting("OFFSET", "ANGLE"), "1.00");
  EXPECT_EQ(directory.setting("OFFSET", "CLOSED"), "1");
  EXPECT_EQ(directory.setting("ENABLE", "ANGLE"), "0");
  EXPECT_EQ(directory.setting("ENABLE", "CLOSED"), "1");

  directory.write("QuillonPro1.tmp", kDbJob);
  std::optional<Launched> app;
  HWND dialog = startDialog(app);
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(controlText(dialog, IDC_COMBO_PORT), "COM9");
  EXPECT_EQ(controlText(dialog, IDC_COMBO_BAUD), "57600");
  EXPECT_EQ(controlText(dialog, IDC_COMBO_MACHINE), "TVM-2400S");
  EXPECT_FALSE(isChecked(dialog, IDC_CHECK_ANGLE));
  EXPECT_TRUE(isChecked(dialog, IDC_CHECK_CLOSED));
  EXPECT_EQ(controlText(dialog, IDC_EDIT_CLOSED), "1");
  EXPECT_FALSE(isReadOnly(dialog, IDC_EDIT_CLOSED));

  // The up-down stands at 1.00 mm; one step up shows 1.01.
  HWND upDown = GetDlgItem(dialog, IDC_UPDOWN_CLOSED);
  DWORD_PTR position = 0;
  SendMessageTimeoutW(upDown, UDM_GETPOS32, 0, 0, SMTO_ABORTIFHUNG, 2000, &position);
  EXPECT_EQ(position, 100u);
  HWND edit = GetDlgItem(dialog, IDC_EDIT_CLOSED);
  PostMessageW(edit, WM_KEYDOWN, VK_UP, 1);
  PostMessageW(edit, WM_KEYUP, VK_UP, 1);
  EXPECT_TRUE(waitUntil([&] { return controlText(dialog, IDC_EDIT_CLOSED) == "1.01"; }))
      << controlText(dialog, IDC_EDIT_CLOSED);

  // Refreshing the lists selects their first entries again.
  ASSERT_TRUE(clickButton(dialog, IDC_BUTTON_REFRESH));
  EXPECT_TRUE(waitUntil([&] { return controlText(dialog, IDC_COMBO_MACHINE) == "RQ-2400"; }));
  EXPECT_EQ(controlText(dialog, IDC_COMBO_BAUD), "9600");
  EXPECT_EQ(controlText(dialog, IDC_COMBO_PORT), comboItems(dialog, IDC_COMBO_PORT).front());
  EXPECT_EQ(closeWith(*app, dialog, IDCANCEL), std::optional<DWORD>(kExitClosed));
}

TEST_F(OutputDialogTest, BladeOffsetDrawsTheKnifesCutAndItsLargestMiss) {
  // A 5 mm square: at this scale the knife's rounded corners show.
  directory.write("Config.ini", config("EN", kSendToCutter + "[KNIFE]\r\nBLADE=0.25\r\n"));
  directory.write("QuillonPro1.tmp",
                  "IN;PA;PU0,0;PD200,0;PD200,200;PD0,200;PD0,0;PU0,0;\r\nDB0,0,200,0;\r\n");
  std::optional<Launched> app;
  HWND dialog = startDialog(app);
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(controlText(dialog, IDC_EDIT_BLADE), "0.25");
  EXPECT_EQ(controlText(dialog, IDC_TEXT_KNIFE_MISS), "Largest miss of the knife: 0.204 mm");
  if (const std::optional<std::string> folder = artefactFolder()) {
    EXPECT_TRUE(takeScreenshot(*folder + "/output-dialog-knife.png"));
  }
  // The overcut swings the blade round: the miss shrinks.
  ASSERT_TRUE(clickCheckBox(dialog, IDC_CHECK_ANGLE));
  ASSERT_TRUE(setControlText(dialog, IDC_EDIT_ANGLE, "0.25"));
  EXPECT_TRUE(waitUntil([&] {
    return controlText(dialog, IDC_TEXT_KNIFE_MISS) == "Largest miss of the knife: 0.109 mm";
  })) << controlText(dialog, IDC_TEXT_KNIFE_MISS);
  if (const std::optional<std::string> folder = artefactFolder()) {
    EXPECT_TRUE(takeScreenshot(*folder + "/output-dialog-knife-overcut.png"));
  }
  // No blade offset: no simulation, and the stream is the same either way.
  ASSERT_TRUE(setControlText(dialog, IDC_EDIT_BLADE, ""));
  EXPECT_TRUE(waitUntil([&] { return controlText(dialog, IDC_TEXT_KNIFE_MISS).empty(); }));
  ASSERT_TRUE(clickCheckBox(dialog, IDC_CHECK_ANGLE));
  cutter.mark();
  ASSERT_TRUE(clickButton(dialog, IDC_BUTTON_OUTPUT));
  EXPECT_TRUE(
      cutter.receives("IN;PA;PU0,0;PU0,200;PD0,200;PD0,0;PD200,0;PD200,200;PD0,200;"
                      "PU0,200;PU0,0;!PG;"))
      << "received: " << cutter.sinceMark();
  EXPECT_EQ(directory.setting("KNIFE", "BLADE"), "");
  EXPECT_EQ(closeWith(*app, dialog, IDOK), std::optional<DWORD>(kExitClosed));
}

TEST_F(OutputDialogTest, BaudRateIsOfferedOnlyForSerialPorts) {
  ASSERT_TRUE(addSpoolerPort("USB009"));
  directory.write("Config.ini", config("EN", kSendToCutter));
  directory.write("QuillonPro1.tmp", kDbJob);
  std::optional<Launched> app;
  HWND dialog = startDialog(app);
  ASSERT_NE(dialog, nullptr);

  const std::vector<std::string> ports = comboItems(dialog, IDC_COMBO_PORT);
  ASSERT_FALSE(ports.empty());
  // USB ports come before the serial ports.
  EXPECT_EQ(ports.front().substr(0, 3), "USB");
  EXPECT_NE(std::find(ports.begin(), ports.end(), "USB009"), ports.end());

  ASSERT_TRUE(chooseComboItem(dialog, IDC_COMBO_PORT, "USB009"));
  EXPECT_TRUE(waitUntil([&] {
    return !isShown(dialog, IDC_COMBO_BAUD) && !isShown(dialog, IDC_LABEL_BAUD);
  })) << "the baud rate is still offered for a USB port";
  ASSERT_TRUE(chooseComboItem(dialog, IDC_COMBO_PORT, kCutter));
  EXPECT_TRUE(waitUntil([&] {
    return isShown(dialog, IDC_COMBO_BAUD) && isShown(dialog, IDC_LABEL_BAUD);
  })) << "no baud rate offered for a serial port";
  EXPECT_EQ(closeWith(*app, dialog, IDCANCEL), std::optional<DWORD>(kExitClosed));
}

TEST_F(OutputDialogTest, NegativeDistanceIsRefusedAndNothingIsSent) {
  directory.write("Config.ini", config("EN", kSendToCutter));
  directory.write("QuillonPro1.tmp", kDbJob);
  std::optional<Launched> app;
  HWND dialog = startDialog(app);
  ASSERT_NE(dialog, nullptr);
  ASSERT_TRUE(clickCheckBox(dialog, IDC_CHECK_ANGLE));
  ASSERT_TRUE(setControlText(dialog, IDC_EDIT_ANGLE, "-2.00"));

  cutter.mark();
  ASSERT_TRUE(clickButton(dialog, IDC_BUTTON_OUTPUT));
  const std::optional<MessageBoxSeen> box = findMessageBox(dialog);
  ASSERT_TRUE(box) << "a negative distance was not refused";
  EXPECT_EQ(box->text, "尖角闭合参数设置有误");
  ASSERT_TRUE(answerMessageBox(*box, IDOK));
  EXPECT_FALSE(programMessageBox(app->processId(), std::chrono::milliseconds(300)));
  EXPECT_EQ(cutter.sinceMark(), "");
  EXPECT_FALSE(directory.has("QuillonPro3.tmp"));
  EXPECT_EQ(closeWith(*app, dialog, IDOK), std::optional<DWORD>(kExitClosed));
}

TEST_F(OutputDialogTest, ClosingRemovesTheJobFiles) {
  directory.write("Config.ini", config("EN", kSendToCutter));
  for (const int closeButton : {IDOK, IDCANCEL}) {
    SCOPED_TRACE(closeButton == IDOK ? "OK" : "Cancel");
    directory.write("QuillonPro1.tmp", kDbJob);
    std::optional<Launched> app;
    HWND dialog = startDialog(app);
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(directory.has("QuillonPro2.tmp"));
    cutter.mark();
    ASSERT_TRUE(clickButton(dialog, IDC_BUTTON_OUTPUT));
    ASSERT_TRUE(cutter.receives(kDbStreamHpgl));
    EXPECT_TRUE(directory.has("QuillonPro3.tmp"));
    EXPECT_EQ(closeWith(*app, dialog, closeButton), std::optional<DWORD>(kExitClosed));
    for (const char* name : {"QuillonPro1.tmp", "QuillonPro2.tmp", "QuillonPro3.tmp"}) {
      EXPECT_FALSE(directory.has(name)) << name;
    }
  }
}

std::string cutterOn(const char* port) {
  return std::string("[OUTPUT]\r\nPORTNAME=") + port + "\r\nPORTBAUD=9600\r\nMACHINE=TVM-1200\r\n";
}

// A long job's stream is being sent to port: its dialog, and the stream.
class LongSendTest : public OutputDialogTest {
 protected:
  HWND startSending(std::optional<Launched>& app, const char* port, std::string& stream) {
    directory.write("Config.ini", config("EN", cutterOn(port)));
    directory.write("QuillonPro1.tmp", corvane::testing::longDbJob(12000));
    HWND dialog = startDialog(app);
    if (dialog == nullptr || controlText(dialog, IDC_COMBO_PORT) != port) return nullptr;
    if (!clickButton(dialog, IDC_BUTTON_OUTPUT)) return nullptr;
    // The stream file is whole once it ends with the trailer.
    if (!waitUntil([&] {
          stream = directory.read("QuillonPro3.tmp");
          return stream.ends_with("PU0,0;!PG;");
        })) {
      return nullptr;
    }
    return dialog;
  }

  // The dialog shows how far the send is, chunk by chunk.
  bool showsProgress(HWND dialog, const char* port, std::size_t sent, std::size_t total) {
    const std::string expected = std::string(port) + ": " + std::to_string(sent) + " of " +
                                 std::to_string(total) + " bytes sent";
    return waitUntil([&] { return controlText(dialog, IDC_TEXT_PROGRESS) == expected; });
  }
};

TEST_F(LongSendTest, GoingOnAfterCloseKeepsTheProgressAndClosesWhenTheLastByteIsOut) {
  std::optional<Launched> app;
  std::string stream;
  slowCutter.mark();
  HWND dialog = startSending(app, "COM8", stream);
  ASSERT_NE(dialog, nullptr);
  ASSERT_GT(stream.size(), 200000u);

  // The cutter takes nothing yet; the operator closes the dialog and lets the cut go on.
  clickButton(dialog, IDOK);
  const std::optional<MessageBoxSeen> box = findMessageBox(dialog);
  ASSERT_TRUE(box) << "closing during a send did not ask";
  EXPECT_EQ(box->text.rfind("The cutter on COM8 is still receiving the job (", 0), 0u) << box->text;
  ASSERT_TRUE(answerMessageBox(*box, IDCANCEL));
  EXPECT_FALSE(app->waitForExit(std::chrono::milliseconds(300))) << "ended during the send";
  EXPECT_TRUE(IsWindowVisible(dialog)) << "the dialog went during the send";
  EXPECT_TRUE(directory.has("QuillonPro3.tmp")) << "the stream went while it was being sent";

  slowCutter.openGate();
  EXPECT_EQ(app->waitForExit(), std::optional<DWORD>(kExitClosed));
  EXPECT_TRUE(slowCutter.receives(stream))
      << slowCutter.sinceMark().size() << " of " << stream.size() << " bytes arrived";
  for (const char* name : {"QuillonPro1.tmp", "QuillonPro2.tmp", "QuillonPro3.tmp"}) {
    EXPECT_FALSE(directory.has(name)) << name;
  }
}

// Wine cannot cancel a write blocked on a COM port (CancelSynchronousIo
// finds no I/O to cancel), so Stop ends in the question whether to end
// the program; on Windows the send itself ends.
TEST_F(LongSendTest, StopOnAJammedCutterReportsTheBytesAndCanEndTheProgram) {
  std::optional<Launched> app;
  std::string stream;
  HWND dialog = startSending(app, "COM4", stream);
  ASSERT_NE(dialog, nullptr);
  EXPECT_TRUE(showsProgress(dialog, "COM4", 131070, stream.size()))
      << controlText(dialog, IDC_TEXT_PROGRESS);
  DWORD_PTR position = 0;
  SendMessageTimeoutW(GetDlgItem(dialog, IDC_PROGRESS_SEND), PBM_GETPOS, 0, 0, SMTO_ABORTIFHUNG,
                      2000, &position);
  EXPECT_EQ(position, 131070u * 1000u / stream.size());
  ASSERT_TRUE(IsWindowEnabled(GetDlgItem(dialog, IDC_BUTTON_STOP)));
  if (const std::optional<std::string> folder = artefactFolder()) {
    EXPECT_TRUE(takeScreenshot(*folder + "/output-dialog-sending.png"));
  }

  const auto pressed = Clock::now();
  ASSERT_TRUE(clickButton(dialog, IDC_BUTTON_STOP));
  const std::optional<MessageBoxSeen> box = findMessageBox(dialog);
  ASSERT_TRUE(box) << "Stop told nothing";
  // Generous: the machine is shared; the program itself waits 1.5 s.
  EXPECT_LT(Clock::now() - pressed, std::chrono::seconds(4));
  EXPECT_EQ(box->text.rfind("The port COM4 does not let the piece it is writing be stopped; the "
                            "cutter has accepted 131070 of " +
                                std::to_string(stream.size()) + " bytes.",
                            0),
            0u)
      << box->text;
  ASSERT_TRUE(answerMessageBox(*box, IDOK));
  EXPECT_EQ(app->waitForExit(std::chrono::milliseconds(5000)), std::optional<DWORD>(kExitClosed));
  EXPECT_FALSE(directory.has("QuillonPro3.tmp"));
}

TEST_F(LongSendTest, ClosingAndStoppingLeavesNoProcessSoTheNextStartIsClean) {
  std::optional<Launched> app;
  std::string stream;
  HWND dialog = startSending(app, "COM6", stream);
  ASSERT_NE(dialog, nullptr);
  EXPECT_TRUE(showsProgress(dialog, "COM6", 131070, stream.size()))
      << controlText(dialog, IDC_TEXT_PROGRESS);

  clickButton(dialog, IDCANCEL);
  const std::optional<MessageBoxSeen> question = findMessageBox(dialog);
  ASSERT_TRUE(question) << "closing during a send did not ask";
  EXPECT_EQ(question->text.rfind("The cutter on COM6 is still receiving the job (131070 of ", 0),
            0u)
      << question->text;
  ASSERT_TRUE(answerMessageBox(*question, IDOK));
  // Under Wine the write cannot be cancelled: the program asks to end.
  if (const std::optional<MessageBoxSeen> end = findMessageBox(dialog, std::chrono::seconds(4))) {
    ASSERT_TRUE(answerMessageBox(*end, IDOK));
  }
  EXPECT_EQ(app->waitForExit(std::chrono::milliseconds(5000)), std::optional<DWORD>(kExitClosed));

  directory.write("QuillonPro1.tmp", kDbJob);
  std::optional<Launched> next;
  HWND again = startDialog(next);
  ASSERT_NE(again, nullptr) << "no dialog at the next start";
  EXPECT_FALSE(programMessageBox(next->processId(), std::chrono::milliseconds(500)))
      << "the next start met a copy still running";
  EXPECT_EQ(closeWith(*next, again, IDCANCEL), std::optional<DWORD>(kExitClosed));
}

}  // namespace
}  // namespace corvane::wine
