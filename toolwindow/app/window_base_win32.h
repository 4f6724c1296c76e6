#pragma once

#include <windows.h>

#include <functional>
#include <span>
#include <string>
#include <string_view>

#include "common/win32/control_text.h"
#include "common/win32/unique_handle.h"

// What both windows of the tool window share: one object per window that
// gets every message, controls laid out in twips, captions set by the
// logic's names for the controls, and the message loops of a modal window.
namespace corvane::toolwindow {

// A top-level window whose messages go to this object. The object is stored
// with the window when it is created and forgotten when it is destroyed; no
// exception leaves the window procedure. Destroying the object destroys the
// window, and with it its controls.
class WindowBase {
 public:
  WindowBase() = default;
  virtual ~WindowBase();
  WindowBase(const WindowBase&) = delete;
  WindowBase& operator=(const WindowBase&) = delete;

  HWND handle() const { return window_; }

 protected:
  // The window procedure's class, registered once per program.
  static void registerClass(const wchar_t* className);
  // Makes the window with a client area of that size, in pixels. Messages
  // sent during creation already reach the handlers.
  bool create(const wchar_t* className, std::wstring_view caption, DWORD style, DWORD exStyle,
              POINT position, SIZE client, HWND owner);
  // The messages every window answers: its creation, a button clicked (by
  // the mouse or the keyboard) and the operator closing it.
  virtual void onCreate() = 0;
  virtual void onClick(int id) = 0;
  virtual void onClose() = 0;
  // Any other message; whatever is not handled goes to the default procedure.
  virtual LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return unhandled(message, wParam, lParam);
  }
  LRESULT unhandled(UINT message, WPARAM wParam, LPARAM lParam) const {
    return DefWindowProcW(window_, message, wParam, lParam);
  }
  // The window's own size for a client area of that size.
  static SIZE outerSize(SIZE client, DWORD style, DWORD exStyle);
  // An empty picture as the title-bar icon.
  void clearIcon() const;

  HWND window_ = nullptr;

 private:
  static LRESULT CALLBACK thunk(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT dispatch(UINT message, WPARAM wParam, LPARAM lParam);
};

// A control whose caption the logic sets, by the logic's name for it.
template <typename Control>
struct NamedControl {
  Control name;
  int id;
};

// A window of the logic's View whose captions the logic sets and reads by
// the names in Control.
template <typename View, typename Control>
class CaptionedWindow : public WindowBase, public View {
 public:
  void SetCaption(Control control, std::string_view text) override {
    setControlText(window_, idOf(control), text);
  }
  std::string Caption(Control control) const override {
    return controlText(window_, idOf(control));
  }
  void ClearIcon() override { clearIcon(); }

 protected:
  explicit CaptionedWindow(std::span<const NamedControl<Control>> named) : named_(named) {}

 private:
  int idOf(Control control) const {
    for (const NamedControl<Control>& entry : named_) {
      if (entry.name == control) return entry.id;
    }
    return 0;
  }

  std::span<const NamedControl<Control>> named_;
};

// A control as the forms place it: position and size in twips on the
// client area.
struct ControlLayout {
  int id;
  const wchar_t* className;
  DWORD style;
  int left, top, width, height;
  DWORD exStyle = 0;
};

// 1440 twips an inch: 15 twips a pixel at 96 dots per inch.
int twipsToPixels(int twips);

// Makes the controls in the order given, which is their z-order and so
// their tab order, each with that font.
void createControls(HWND parent, std::span<const ControlLayout> controls, HFONT font);

// The font the system gives message boxes and dialogs.
UniqueFont messageFont();

// Runs the thread's messages, with the keyboard moving between controls,
// until done() holds; false when the program is to end (WM_QUIT, which is
// posted again for the outermost loop). exitCode gets the quit code.
bool runMessagesUntil(const std::function<bool()>& done, int* exitCode = nullptr);

// A failure no command reported itself, shown with the program's title as
// given once at start-up.
void setFailureCaption(std::string_view caption);
void showFailure(std::string_view text);

}  // namespace corvane::toolwindow
