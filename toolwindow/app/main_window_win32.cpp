#include "toolwindow/app/main_window_win32.h"

#include <iterator>

#include "common/job_contract.h"
#include "common/win32/wide_text.h"
#include "toolwindow/app/tool_window_ids.h"
#include "toolwindow/lang/texts.h"

namespace corvane::toolwindow {

namespace {

constexpr const wchar_t* kClassName = L"CorvaneToolWindow";
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
// 3375 x 2490 twips.
constexpr SIZE kClient{225, 166};

constexpr DWORD kButton = BS_PUSHBUTTON | WS_TABSTOP;
constexpr DWORD kGroupBox = BS_GROUPBOX;

// The tab order is the z-order: the buttons come first, in the order of
// their tab indexes (0, 1, 3, 4, 7), so each lies in front of its group
// box; the group boxes, which take no focus, follow in theirs (2, 5, 6).
constexpr ControlLayout kControls[] = {
    {IDC_MAIN_CMD_TRACE, L"BUTTON", kButton, 1680, 480, 1335, 495},
    {IDC_MAIN_CMD_LANG, L"BUTTON", kButton, 240, 1680, 1095, 495},
    {IDC_MAIN_CMD_MARK, L"BUTTON", kButton, 1680, 1080, 1335, 495},
    {IDC_MAIN_CMD_CUTOUT, L"BUTTON", kButton, 1680, 1680, 1335, 495},
    {IDC_MAIN_CMD_CUTPLOT, L"BUTTON", kButton, 240, 480, 1095, 495},
    {IDC_MAIN_FRAME1, L"BUTTON", kGroupBox, 1560, 120, 1695, 2175},
    {IDC_MAIN_FRAME2, L"BUTTON", kGroupBox, 120, 1320, 1335, 975},
    {IDC_MAIN_FRAME3, L"BUTTON", kGroupBox, 120, 120, 1335, 975},
};

constexpr NamedControl<MainControl> kNamed[] = {
    {MainControl::cmdTrace, IDC_MAIN_CMD_TRACE},   {MainControl::Frame1, IDC_MAIN_FRAME1},
    {MainControl::cmdCutout, IDC_MAIN_CMD_CUTOUT}, {MainControl::Frame2, IDC_MAIN_FRAME2},
    {MainControl::Frame3, IDC_MAIN_FRAME3},        {MainControl::cmdCutPlot, IDC_MAIN_CMD_CUTPLOT},
    {MainControl::cmdLang, IDC_MAIN_CMD_LANG},     {MainControl::cmdMark, IDC_MAIN_CMD_MARK}};

}  // namespace

MainWindow::MainWindow() : CaptionedWindow(kNamed) {}

int MainWindow::Run(frmMain& form) {
  form_ = &form;
  if (!create(kClassName, wideText(job::kToolWindowCaption), kStyle, kExStyle,
              {CW_USEDEFAULT, CW_USEDEFAULT}, kClient, nullptr)) {
    showFailure("The tool window cannot be opened.");
    return 1;
  }
  ShowWindow(window_, SW_SHOWNORMAL);
  UpdateWindow(window_);
  int exitCode = 0;
  runMessagesUntil([] { return false; }, &exitCode);
  return exitCode;
}

void MainWindow::MakeTopmost() {
  SetWindowPos(window_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

LRESULT MainWindow::onMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_DESTROY) return unhandled(message, wParam, lParam);
  PostQuitMessage(0);
  return 0;
}

void MainWindow::onCreate() {
  font_ = messageFont();
  createControls(window_, kControls, font_.get());
  form_->Form_Load();
}

void MainWindow::onClick(int id) {
  // The window may be gone when a command returns (closed meanwhile from
  // outside): nothing here looks at it afterwards.
  switch (id) {
    case IDC_MAIN_CMD_CUTPLOT:
      form_->cmdCutPlot_Click();
      break;
    case IDC_MAIN_CMD_CUTOUT:
      form_->cmdCutout_Click();
      break;
    case IDC_MAIN_CMD_MARK:
      form_->cmdMark_Click();
      break;
    case IDC_MAIN_CMD_TRACE:
      form_->cmdTrace_Click();
      break;
    case IDC_MAIN_CMD_LANG:
      form_->cmdLang_Click();
      break;
    default:
      break;
  }
}

void MainWindow::onClose() {
  form_->Form_Unload();
  DestroyWindow(window_);
}

}  // namespace corvane::toolwindow
