#pragma once

#include <cstdio>
#include <string_view>

#include "toolwindow/lang/text_table.h"
#include "toolwindow/tool_operator.h"

namespace corvane::toolwindow {

// The tool window's message boxes on a terminal: one line on stderr with the
// caption, the icon and, for a text of the string table, its number, so a
// script can tell the messages apart in either language.
class TerminalToolOperator final : public ToolOperator {
 public:
  explicit TerminalToolOperator(const TextTable& texts, std::FILE* out = stderr)
      : texts_(texts), out_(out) {}
  void ShowMessage(std::string_view text, MessageIcon icon, std::string_view caption) override;

 private:
  const TextTable& texts_;
  std::FILE* out_;
};

}  // namespace corvane::toolwindow
