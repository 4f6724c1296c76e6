#pragma once

#include <windows.h>

#include "common/operator.h"

namespace corvane {

// The operator at the screen, asked and told in message boxes owned by the
// dialog. The serial worker's reports reach the dialog's thread through the
// job; a box shown from any other thread has no owner, since a window can
// only be the owner of boxes shown on its own thread without tying the two
// threads' input together.
class MessageBoxOperator final : public Operator {
 public:
  void attach(HWND owner);
  void tell(MessageKind kind, std::string_view text) override;
  bool askOkCancel(std::string_view text) override;

 private:
  HWND ownerForThisThread() const;

  HWND owner_ = nullptr;
  DWORD ownerThread_ = 0;
};

// Every message box of the program carries this caption.
inline constexpr const wchar_t* kProgramCaption = L"CORVANE-OUT";

}  // namespace corvane
