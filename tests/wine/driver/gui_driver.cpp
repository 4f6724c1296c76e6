#include "tests/wine/driver/gui_driver.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <thread>
#include <vector>

#include "common/win32/wide_text.h"

namespace corvane::wine {
namespace {

constexpr UINT kSendTimeoutMs = 2000;

struct WindowSearch {
  DWORD processId;
  std::wstring caption;
  bool hiddenToo;
  HWND found;
};

BOOL CALLBACK matchTopLevel(HWND window, LPARAM context) {
  auto* search = reinterpret_cast<WindowSearch*>(context);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner != search->processId || (!search->hiddenToo && !IsWindowVisible(window))) return TRUE;
  if (utf8(search->caption) != windowText(window)) return TRUE;
  search->found = window;
  return FALSE;
}

struct BoxSearch {
  HWND owner;
  HWND found;
};

BOOL CALLBACK matchMessageBox(HWND window, LPARAM context) {
  auto* search = reinterpret_cast<BoxSearch*>(context);
  wchar_t className[16] = {};
  GetClassNameW(window, className, 16);
  if (std::wstring_view(className) != L"#32770") return TRUE;
  if (GetWindow(window, GW_OWNER) != search->owner || !IsWindowVisible(window)) return TRUE;
  search->found = window;
  return FALSE;
}

// The box's message is the static control with id 0xFFFF, as on Windows.
constexpr int kMessageBoxTextId = 0xFFFF;

}  // namespace

bool waitUntil(const std::function<bool()>& ready, std::chrono::milliseconds patience) {
  const Clock::time_point deadline = Clock::now() + patience;
  while (!ready()) {
    if (Clock::now() >= deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return true;
}

std::wstring wide(std::string_view text) { return wideText(text); }

std::string utf8(std::wstring_view text) { return utf8Text(text); }

Launched::Launched(const std::filesystem::path& program, std::wstring_view arguments) {
  std::wstring commandLine = L"\"" + program.wstring() + L"\"";
  if (!arguments.empty()) commandLine += L" " + std::wstring(arguments);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  const std::wstring directory = program.parent_path().wstring();
  if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      directory.c_str(), &startup, &info)) {
    return;
  }
  CloseHandle(info.hThread);
  process_ = info.hProcess;
  processId_ = info.dwProcessId;
  // Ready for input means its first window exists; finding it still polls.
  WaitForInputIdle(process_, static_cast<DWORD>(kPatience.count()));
}

Launched::~Launched() {
  if (process_ == nullptr) return;
  if (WaitForSingleObject(process_, 0) == WAIT_TIMEOUT) {
    TerminateProcess(process_, 1);
    WaitForSingleObject(process_, static_cast<DWORD>(kPatience.count()));
  }
  CloseHandle(process_);
}

std::optional<DWORD> Launched::waitForExit(std::chrono::milliseconds patience) {
  if (process_ == nullptr) return std::nullopt;
  if (WaitForSingleObject(process_, static_cast<DWORD>(patience.count())) != WAIT_OBJECT_0) {
    return std::nullopt;
  }
  DWORD code = 0;
  GetExitCodeProcess(process_, &code);
  return code;
}

HWND findWindow(DWORD processId, std::string_view caption, std::chrono::milliseconds patience) {
  WindowSearch search{processId, wide(caption), false, nullptr};
  waitUntil(
      [&] {
        EnumWindows(matchTopLevel, reinterpret_cast<LPARAM>(&search));
        return search.found != nullptr;
      },
      patience);
  return search.found;
}

HWND findAnyWindow(DWORD processId, std::string_view caption, std::chrono::milliseconds patience) {
  WindowSearch search{processId, wide(caption), true, nullptr};
  waitUntil(
      [&] {
        EnumWindows(matchTopLevel, reinterpret_cast<LPARAM>(&search));
        return search.found != nullptr;
      },
      patience);
  return search.found;
}

std::string windowText(HWND window) {
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs,
                           &length)) {
    return {};
  }
  std::vector<wchar_t> buffer(length + 1, L'\0');
  DWORD_PTR copied = 0;
  if (!SendMessageTimeoutW(window, WM_GETTEXT, buffer.size(),
                           reinterpret_cast<LPARAM>(buffer.data()), SMTO_ABORTIFHUNG,
                           kSendTimeoutMs, &copied)) {
    return {};
  }
  return utf8(std::wstring_view(buffer.data(), copied));
}

std::string controlText(HWND dialog, int controlId) {
  HWND control = GetDlgItem(dialog, controlId);
  return control ? windowText(control) : std::string();
}

bool setControlText(HWND dialog, int controlId, std::string_view text) {
  HWND control = GetDlgItem(dialog, controlId);
  if (!control) return false;
  const std::wstring value = wide(text);
  DWORD_PTR result = 0;
  return SendMessageTimeoutW(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(value.c_str()),
                             SMTO_ABORTIFHUNG, kSendTimeoutMs, &result) != 0 &&
         result != 0;
}

bool clickButton(HWND dialog, int controlId) {
  HWND button = GetDlgItem(dialog, controlId);
  if (!button) return false;
  return PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(controlId, BN_CLICKED),
                      reinterpret_cast<LPARAM>(button)) != 0;
}

bool clickCheckBox(HWND dialog, int controlId) {
  HWND box = GetDlgItem(dialog, controlId);
  DWORD_PTR ignored = 0;
  return box != nullptr &&
         SendMessageTimeoutW(box, BM_CLICK, 0, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs, &ignored) != 0;
}

bool isChecked(HWND dialog, int controlId) {
  DWORD_PTR state = 0;
  HWND box = GetDlgItem(dialog, controlId);
  return box != nullptr &&
         SendMessageTimeoutW(box, BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs, &state) &&
         state == BST_CHECKED;
}

bool isShown(HWND dialog, int controlId) {
  HWND control = GetDlgItem(dialog, controlId);
  return control != nullptr && IsWindowVisible(control);
}

bool isReadOnly(HWND dialog, int controlId) {
  HWND control = GetDlgItem(dialog, controlId);
  return control != nullptr && (GetWindowLongPtrW(control, GWL_STYLE) & ES_READONLY) != 0;
}

std::vector<std::string> comboItems(HWND dialog, int controlId) {
  std::vector<std::string> items;
  HWND combo = GetDlgItem(dialog, controlId);
  DWORD_PTR count = 0;
  if (!combo ||
      !SendMessageTimeoutW(combo, CB_GETCOUNT, 0, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs, &count)) {
    return items;
  }
  for (WPARAM index = 0; index < count; ++index) {
    DWORD_PTR length = 0;
    SendMessageTimeoutW(combo, CB_GETLBTEXTLEN, index, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs,
                        &length);
    std::vector<wchar_t> text(length + 1, L'\0');
    DWORD_PTR copied = 0;
    SendMessageTimeoutW(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.data()),
                        SMTO_ABORTIFHUNG, kSendTimeoutMs, &copied);
    items.push_back(utf8(std::wstring_view(text.data(), std::min<DWORD_PTR>(copied, length))));
  }
  return items;
}

bool chooseComboItem(HWND dialog, int controlId, std::string_view text) {
  HWND combo = GetDlgItem(dialog, controlId);
  if (!combo) return false;
  const std::vector<std::string> items = comboItems(dialog, controlId);
  for (std::size_t index = 0; index < items.size(); ++index) {
    if (items[index] != text) continue;
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(combo, CB_SETCURSEL, index, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs, &ignored);
    // A selection made by a program sends no notification; the operator's does.
    return PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(controlId, CBN_SELCHANGE),
                        reinterpret_cast<LPARAM>(combo)) != 0;
  }
  return false;
}

bool scroll(HWND window, int scrollBarId, int code) {
  HWND bar = GetDlgItem(window, scrollBarId);
  return bar != nullptr &&
         PostMessageW(window, WM_VSCROLL, MAKEWPARAM(code, 0), reinterpret_cast<LPARAM>(bar)) != 0;
}

int scrollPosition(HWND window, int scrollBarId) {
  HWND bar = GetDlgItem(window, scrollBarId);
  DWORD_PTR position = 0;
  if (!bar ||
      !SendMessageTimeoutW(bar, SBM_GETPOS, 0, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs, &position)) {
    return 0;
  }
  return static_cast<int>(static_cast<LRESULT>(position));
}

std::optional<MessageBoxSeen> findMessageBox(HWND owner, std::chrono::milliseconds patience) {
  BoxSearch search{owner, nullptr};
  const bool seen = waitUntil(
      [&] {
        EnumWindows(matchMessageBox, reinterpret_cast<LPARAM>(&search));
        return search.found != nullptr;
      },
      patience);
  if (!seen) return std::nullopt;
  return MessageBoxSeen{search.found, windowText(search.found),
                        controlText(search.found, kMessageBoxTextId)};
}

bool answerMessageBox(const MessageBoxSeen& box, int buttonId) {
  HWND button = GetDlgItem(box.window, buttonId);
  if (!button) return false;
  PostMessageW(box.window, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED),
               reinterpret_cast<LPARAM>(button));
  return waitUntil([&] { return !IsWindow(box.window); });
}

namespace {

// Runs a shell command on the Linux side that leaves `done` (a Linux path)
// when it has finished: Wine starts Linux programs but cannot wait for them.
bool runOnLinux(const std::string& command, const std::string& done) {
  std::error_code ignored;
  const std::filesystem::path donePath(wide("Z:" + done));
  std::filesystem::remove(donePath, ignored);
  // Windows quoting for the one argument, shell quoting inside it.
  std::wstring commandLine = wide("/bin/sh -c \"" + command + "\"");
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  if (!CreateProcessW(L"Z:\\bin\\sh", commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      nullptr, &startup, &info)) {
    return false;
  }
  CloseHandle(info.hThread);
  CloseHandle(info.hProcess);
  return waitUntil([&] { return std::filesystem::exists(donePath, ignored); });
}

BOOL CALLBACK matchIcon(HWND child, LPARAM context) {
  wchar_t className[16] = {};
  GetClassNameW(child, className, 16);
  if (_wcsicmp(className, L"Static") != 0 ||
      (GetWindowLongPtrW(child, GWL_STYLE) & SS_TYPEMASK) != SS_ICON) {
    return TRUE;
  }
  *reinterpret_cast<HWND*>(context) = child;
  return FALSE;
}

}  // namespace

bool takeScreenshot(const std::string& unixPath) {
  // Written under a temporary name and renamed, so its presence means done.
  const std::string partial = unixPath + ".part";
  return runOnLinux("import -silent -window root 'png:" + partial + "' && mv '" + partial + "' '" +
                        unixPath + "'",
                    unixPath);
}

BoxIcon messageBoxIcon(const MessageBoxSeen& box) {
  HWND icon = nullptr;
  EnumChildWindows(box.window, matchIcon, reinterpret_cast<LPARAM>(&icon));
  RECT area{};
  if (!icon || !GetWindowRect(icon, &area)) return BoxIcon::None;
  const std::string unixPath =
      "/tmp/corvane-icon-" + std::to_string(GetCurrentProcessId()) + ".rgb";
  const std::string partial = unixPath + ".part";
  const std::string crop = std::to_string(area.right - area.left) + "x" +
                           std::to_string(area.bottom - area.top) + "+" +
                           std::to_string(area.left) + "+" + std::to_string(area.top);
  if (!runOnLinux("import -silent -window root -crop " + crop + " -depth 8 'rgb:" + partial +
                      "' && mv '" + partial + "' '" + unixPath + "'",
                  unixPath)) {
    return BoxIcon::None;
  }
  std::ifstream in(std::filesystem::path(wide("Z:" + unixPath)), std::ios::binary);
  const std::string pixels{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  in.close();
  std::error_code ignored;
  std::filesystem::remove(std::filesystem::path(wide("Z:" + unixPath)), ignored);
  int yellow = 0;
  int red = 0;
  for (std::size_t at = 0; at + 2 < pixels.size(); at += 3) {
    const int r = static_cast<unsigned char>(pixels[at]);
    const int g = static_cast<unsigned char>(pixels[at + 1]);
    const int b = static_cast<unsigned char>(pixels[at + 2]);
    if (r > 180 && g > 150 && b < 100) ++yellow;
    if (r > 150 && g < 90 && b < 90) ++red;
  }
  constexpr int kEnough = 20;
  if (yellow >= kEnough && yellow > red) return BoxIcon::Warning;
  if (red >= kEnough && red > yellow) return BoxIcon::Critical;
  return BoxIcon::None;
}

}  // namespace corvane::wine
