#include "output/program/message_box_operator_win32.h"

#include "common/win32/wide_text.h"

namespace corvane {

namespace {

UINT iconOf(MessageKind kind) {
  switch (kind) {
    case MessageKind::Stop:
      return MB_ICONSTOP;
    case MessageKind::Warning:
      return MB_ICONWARNING;
    case MessageKind::Information:
      return MB_ICONINFORMATION;
  }
  return MB_ICONINFORMATION;
}

// Operators know the spooler's failure by its own caption.
const wchar_t* captionOf(std::string_view text) {
  return text == "Enum USB Port Failed" ? L"System:" : kProgramCaption;
}

}  // namespace

void MessageBoxOperator::attach(HWND owner) {
  owner_ = owner;
  ownerThread_ = GetWindowThreadProcessId(owner, nullptr);
}

HWND MessageBoxOperator::ownerForThisThread() const {
  return GetCurrentThreadId() == ownerThread_ ? owner_ : nullptr;
}

void MessageBoxOperator::tell(MessageKind kind, std::string_view text) {
  HWND owner = ownerForThisThread();
  // An ownerless box from the worker must not hide behind the dialog.
  const UINT placement = owner ? 0 : MB_SETFOREGROUND | MB_TOPMOST;
  MessageBoxW(owner, wideText(text).c_str(), captionOf(text), MB_OK | iconOf(kind) | placement);
}

bool MessageBoxOperator::askOkCancel(std::string_view text) {
  HWND owner = ownerForThisThread();
  const UINT placement = owner ? 0 : MB_SETFOREGROUND | MB_TOPMOST;
  return MessageBoxW(owner, wideText(text).c_str(), kProgramCaption,
                     MB_OKCANCEL | MB_ICONQUESTION | placement) == IDOK;
}

}  // namespace corvane
