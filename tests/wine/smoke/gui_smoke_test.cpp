// Proves the Wine bench end to end on a small real program of ours: the
// window is found, a name typed, a button pressed, the message box read and
// answered twice, a screenshot taken while the box is up, a port chosen, an
// option ticked, and the exit codes checked.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "tests/wine/driver/gui_driver.h"
#include "tests/wine/smoke/smoke_ids.h"

namespace corvane::wine {
namespace {

std::filesystem::path besideThisProgram(const wchar_t* name) {
  wchar_t self[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  return std::filesystem::path(self).parent_path() / name;
}

// Linux folder for test artefacts, given by the test run.
std::optional<std::string> artefactFolder() {
  wchar_t folder[MAX_PATH] = {};
  if (GetEnvironmentVariableW(L"CORVANE_ARTIFACTS", folder, MAX_PATH) == 0) return std::nullopt;
  return utf8(folder);
}

TEST(GuiSmokeTest, OperatorGreetsDeclinesThenConfirms) {
  Launched app(besideThisProgram(L"corvane-smoke-app.exe"));
  ASSERT_TRUE(app.started());
  HWND dialog = findWindow(app.processId(), "Corvane bench");
  ASSERT_NE(dialog, nullptr) << "dialog never became visible";

  // Chinese text takes the UTF-16 road through the controls and the box.
  ASSERT_TRUE(setControlText(dialog, IDC_EDIT_NAME, "operator 你好"));
  EXPECT_EQ(controlText(dialog, IDC_EDIT_NAME), "operator 你好");

  ASSERT_TRUE(clickButton(dialog, IDC_BUTTON_GREET));
  std::optional<MessageBoxSeen> box = findMessageBox(dialog);
  ASSERT_TRUE(box) << "no message box after Greet";
  EXPECT_EQ(box->caption, "Greeting");
  EXPECT_EQ(box->text, "Hello, operator 你好! Finish?");
  ASSERT_TRUE(answerMessageBox(*box, IDCANCEL));
  EXPECT_TRUE(waitUntil([&] { return controlText(dialog, IDC_STATIC_STATUS) == "Not yet"; }))
      << "status: " << controlText(dialog, IDC_STATIC_STATUS);
  EXPECT_FALSE(app.waitForExit(std::chrono::milliseconds(0))) << "Cancel must not end it";

  ASSERT_TRUE(clickButton(dialog, IDC_BUTTON_GREET));
  box = findMessageBox(dialog);
  ASSERT_TRUE(box) << "no message box after the second Greet";
  if (const std::optional<std::string> folder = artefactFolder()) {
    EXPECT_TRUE(takeScreenshot(*folder + "/gui-smoke.png"));
  }
  ASSERT_TRUE(answerMessageBox(*box, IDOK));
  EXPECT_EQ(app.waitForExit(), std::optional<DWORD>(SMOKE_EXIT_CONFIRMED));
}

TEST(GuiSmokeTest, OperatorChoosesPortAndSwitchesOptionOn) {
  Launched app(besideThisProgram(L"corvane-smoke-app.exe"));
  ASSERT_TRUE(app.started());
  HWND dialog = findWindow(app.processId(), "Corvane bench");
  ASSERT_NE(dialog, nullptr) << "dialog never became visible";

  EXPECT_EQ(comboItems(dialog, IDC_COMBO_PORT),
            (std::vector<std::string>{"COM1", "COM5", "USB001"}));
  EXPECT_EQ(controlText(dialog, IDC_COMBO_PORT), "COM1");
  ASSERT_TRUE(chooseComboItem(dialog, IDC_COMBO_PORT, "USB001"));
  EXPECT_TRUE(waitUntil([&] { return controlText(dialog, IDC_STATIC_STATUS) == "Port: USB001"; }))
      << "status: " << controlText(dialog, IDC_STATIC_STATUS);
  EXPECT_FALSE(chooseComboItem(dialog, IDC_COMBO_PORT, "COM9"));

  EXPECT_TRUE(isShown(dialog, IDC_EDIT_DISTANCE));
  EXPECT_FALSE(isChecked(dialog, IDC_CHECK_OVERCUT));
  EXPECT_TRUE(isReadOnly(dialog, IDC_EDIT_DISTANCE));
  ASSERT_TRUE(clickCheckBox(dialog, IDC_CHECK_OVERCUT));
  EXPECT_TRUE(isChecked(dialog, IDC_CHECK_OVERCUT));
  EXPECT_FALSE(isReadOnly(dialog, IDC_EDIT_DISTANCE));

  ASSERT_TRUE(PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0));
  EXPECT_EQ(app.waitForExit(), std::optional<DWORD>(0));
}

}  // namespace
}  // namespace corvane::wine
