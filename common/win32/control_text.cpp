#include "common/win32/control_text.h"

#include "common/win32/wide_text.h"

namespace corvane {

std::string controlText(HWND window, int id) {
  HWND control = GetDlgItem(window, id);
  if (!control) return {};
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(
      GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
  return utf8Text(text);
}

void setControlText(HWND window, int id, std::string_view text) {
  SetDlgItemTextW(window, id, wideText(text).c_str());
}

}  // namespace corvane
