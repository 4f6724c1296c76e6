#include "toolwindow/app/window_base_win32.h"

#include "common/job_contract.h"
#include "common/win32/procedure_guard.h"
#include "common/win32/screen_dpi.h"
#include "common/win32/wide_text.h"

namespace corvane::toolwindow {

WindowBase::~WindowBase() {
  if (!window_) return;
  // The object is half gone: the window's last messages go to the default
  // procedure.
  SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
  DestroyWindow(window_);
}

void WindowBase::registerClass(const wchar_t* className) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  if (GetClassInfoExW(GetModuleHandleW(nullptr), className, &windowClass)) return;
  windowClass.lpfnWndProc = &WindowBase::thunk;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = className;
  // No icon: the windows show none in their title bars.
  RegisterClassExW(&windowClass);
}

SIZE WindowBase::outerSize(SIZE client, DWORD style, DWORD exStyle) {
  RECT frame{0, 0, client.cx, client.cy};
  AdjustWindowRectEx(&frame, style, FALSE, exStyle);
  return {frame.right - frame.left, frame.bottom - frame.top};
}

bool WindowBase::create(const wchar_t* className, std::wstring_view caption, DWORD style,
                        DWORD exStyle, POINT position, SIZE client, HWND owner) {
  registerClass(className);
  const SIZE outer = outerSize(client, style, exStyle);
  const std::wstring title(caption);
  CreateWindowExW(exStyle, className, title.c_str(), style, position.x, position.y, outer.cx,
                  outer.cy, owner, nullptr, GetModuleHandleW(nullptr), this);
  if (!window_) return false;
  // The frame the system draws may differ from what it computed for it.
  RECT got{};
  GetClientRect(window_, &got);
  if (got.right != client.cx || got.bottom != client.cy) {
    RECT outerNow{};
    GetWindowRect(window_, &outerNow);
    SetWindowPos(window_, nullptr, 0, 0, outerNow.right - outerNow.left + client.cx - got.right,
                 outerNow.bottom - outerNow.top + client.cy - got.bottom,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  return true;
}

LRESULT CALLBACK WindowBase::thunk(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<WindowBase*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    self->window_ = window;
  }
  auto* self = reinterpret_cast<WindowBase*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!self) return DefWindowProcW(window, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    self->window_ = nullptr;
    return DefWindowProcW(window, message, wParam, lParam);
  }
  // A handler may discard its own object (a form that closes itself):
  // nothing here touches self after it returns.
  return guardProcedure<LRESULT>(
      0, [&] { return self->dispatch(message, wParam, lParam); }, showFailure);
}

LRESULT WindowBase::dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      onCreate();
      return 0;
    case WM_COMMAND:
      if (HIWORD(wParam) == BN_CLICKED) onClick(LOWORD(wParam));
      return 0;
    case WM_CLOSE:
      onClose();
      return 0;
    default:
      return onMessage(message, wParam, lParam);
  }
}

void WindowBase::clearIcon() const {
  SendMessageW(window_, WM_SETICON, ICON_BIG, 0);
  SendMessageW(window_, WM_SETICON, ICON_SMALL, 0);
}

int twipsToPixels(int twips) {
  static const int dotsPerInch = screenDotsPerInch();
  return MulDiv(twips, dotsPerInch, 1440);
}

void createControls(HWND parent, std::span<const ControlLayout> controls, HFONT font) {
  for (const ControlLayout& c : controls) {
    HWND control = CreateWindowExW(
        c.exStyle, c.className, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | c.style,
        twipsToPixels(c.left), twipsToPixels(c.top), twipsToPixels(c.width),
        twipsToPixels(c.height), parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(c.id)),
        GetModuleHandleW(nullptr), nullptr);
    if (control && font) SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  }
}

UniqueFont messageFont() {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) return {};
  return UniqueFont(CreateFontIndirectW(&metrics.lfMessageFont));
}

bool runMessagesUntil(const std::function<bool()>& done, int* exitCode) {
  MSG message{};
  while (!done()) {
    const BOOL got = GetMessageW(&message, nullptr, 0, 0);
    if (got == 0 || got == -1) {
      const int code = got == 0 ? static_cast<int>(message.wParam) : 1;
      if (exitCode) *exitCode = code;
      PostQuitMessage(code);
      return false;
    }
    HWND root = message.hwnd ? GetAncestor(message.hwnd, GA_ROOT) : nullptr;
    if (root && IsDialogMessageW(root, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return true;
}

namespace {

std::wstring& failureCaption() {
  static std::wstring caption = wideText(job::kToolWindowCaption);
  return caption;
}

}  // namespace

void setFailureCaption(std::string_view caption) { failureCaption() = wideText(caption); }

void showFailure(std::string_view text) {
  const std::wstring wide = wideText(text);
  MessageBoxW(GetActiveWindow(), wide.c_str(), failureCaption().c_str(), MB_OK | MB_ICONERROR);
}

}  // namespace corvane::toolwindow
