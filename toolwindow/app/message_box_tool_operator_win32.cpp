#include "toolwindow/app/message_box_tool_operator_win32.h"

#include <string>

#include "common/win32/wide_text.h"

namespace corvane::toolwindow {

void MessageBoxToolOperator::ShowMessage(std::string_view text, MessageIcon icon,
                                         std::string_view caption) {
  const std::wstring message = wideText(text);
  const std::wstring wideCaption = wideText(caption);
  const UINT iconStyle = icon == MessageIcon::Critical ? MB_ICONERROR : MB_ICONWARNING;
  HWND owner = owner_ ? owner_() : nullptr;
  MessageBoxW(owner, message.c_str(), wideCaption.c_str(), MB_OK | iconStyle);
}

}  // namespace corvane::toolwindow
