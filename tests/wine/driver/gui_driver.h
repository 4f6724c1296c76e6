#pragma once

#include <windows.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Drives our Win32 programs the way an operator would, from a second
// process: start the program, find its window, read and set controls by
// their ids, press buttons, tick boxes, choose from lists, read and answer message boxes, take a
// picture of the screen. Texts are UTF-8; every call to the system uses the W form.
//
// Nothing here waits a fixed time: each step polls for the state it needs
// until a deadline, so a slow machine only makes the tests slower.
namespace corvane::wine {

using Clock = std::chrono::steady_clock;
inline constexpr std::chrono::milliseconds kPatience{10000};

// Polls until ready() holds; false at the deadline.
bool waitUntil(const std::function<bool()>& ready, std::chrono::milliseconds patience = kPatience);

std::wstring wide(std::string_view utf8);
std::string utf8(std::wstring_view text);

// A program started for a test; ended when the owner goes out of scope
// while it still runs, so a failed test leaves nothing behind.
class Launched {
 public:
  Launched(const std::filesystem::path& program, std::wstring_view arguments = {});
  ~Launched();
  Launched(const Launched&) = delete;
  Launched& operator=(const Launched&) = delete;

  bool started() const { return process_ != nullptr; }
  DWORD processId() const { return processId_; }
  // The exit code, or nothing when the program still runs at the deadline.
  std::optional<DWORD> waitForExit(std::chrono::milliseconds patience = kPatience);

 private:
  HANDLE process_ = nullptr;
  DWORD processId_ = 0;
};

// A visible top-level window of the process with this caption.
HWND findWindow(DWORD processId, std::string_view caption,
                std::chrono::milliseconds patience = kPatience);
// The same, shown or hidden.
HWND findAnyWindow(DWORD processId, std::string_view caption,
                   std::chrono::milliseconds patience = kPatience);

std::string windowText(HWND window);
std::string controlText(HWND dialog, int controlId);
bool setControlText(HWND dialog, int controlId, std::string_view text);

// Posted, not sent: a button whose handler opens a modal box would keep a
// sent message waiting until the box closes.
bool clickButton(HWND dialog, int controlId);

// Clicks a check box and waits until the program has handled the click.
bool clickCheckBox(HWND dialog, int controlId);
bool isChecked(HWND dialog, int controlId);
bool isShown(HWND dialog, int controlId);
bool isReadOnly(HWND dialog, int controlId);

// The entries of a drop-down list. Read in UTF-16: Wine 8 copies UTF-16
// into the buffer of an ANSI request across processes.
std::vector<std::string> comboItems(HWND dialog, int controlId);
// Selects the entry with exactly this text and tells the dialog, as a
// choice by the operator would; false when there is no such entry.
bool chooseComboItem(HWND dialog, int controlId, std::string_view text);

// What a scroll bar tells its window when the operator uses it: SB_LINEUP
// for the upper arrow, SB_PAGEDOWN for a click in the track below the thumb...
bool scroll(HWND window, int scrollBarId, int code);
int scrollPosition(HWND window, int scrollBarId);

struct MessageBoxSeen {
  HWND window = nullptr;
  std::string caption;
  std::string text;
};

// The visible message box owned by owner.
std::optional<MessageBoxSeen> findMessageBox(HWND owner,
                                             std::chrono::milliseconds patience = kPatience);

enum class BoxIcon { None, Warning, Critical };

// Which icon the box shows, told by its colours on the screen (a yellow
// triangle or a red disc): Wine hands out no other process's icon.
BoxIcon messageBoxIcon(const MessageBoxSeen& box);

// Presses the box's button (IDOK, IDCANCEL, IDYES...) and waits until it is gone.
bool answerMessageBox(const MessageBoxSeen& box, int buttonId);

// A PNG of the whole X display, taken on the Linux side (Wine's own screen
// capture does not see every window). unixPath is a Linux path.
bool takeScreenshot(const std::string& unixPath);

}  // namespace corvane::wine
