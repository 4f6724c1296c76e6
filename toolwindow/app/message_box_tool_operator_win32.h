#pragma once

#include <windows.h>

#include <functional>
#include <string_view>

#include "toolwindow/context/tool_operator.h"

namespace corvane::toolwindow {

// The tool window's messages: a box with one OK button and the warning or
// the critical icon, owned by the window the operator is working in, so
// that it stays in front of it and blocks it.
class MessageBoxToolOperator final : public ToolOperator {
 public:
  // Which window owns the next box.
  void setOwner(std::function<HWND()> owner) { owner_ = std::move(owner); }
  void ShowMessage(std::string_view text, MessageIcon icon, std::string_view caption) override;

 private:
  std::function<HWND()> owner_;
};

}  // namespace corvane::toolwindow
