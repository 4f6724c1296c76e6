#pragma once

#include <cstdio>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "toolwindow/context/tool_operator.h"
#include "toolwindow/lang/text_table.h"

namespace corvane::toolwindow {

// The tool window's message boxes on a terminal: one line on stderr with the
// caption, the icon and, for a text of the string table, its number, so a
// script can tell the messages apart in either language. Steps a command
// skipped are kept as notes, one line each, until PrintNotes.
class TerminalToolOperator final : public ToolOperator {
 public:
  // What the skipped step was asked of ("Curve 7"), empty when nothing;
  // asked when the step is noted.
  using SubjectOfStep = std::function<std::string()>;

  explicit TerminalToolOperator(const TextTable& texts, std::FILE* out = stderr,
                                SubjectOfStep subject = {})
      : texts_(texts), out_(out), subject_(std::move(subject)) {}
  void ShowMessage(std::string_view text, MessageIcon icon, std::string_view caption) override;
  void NoteSkippedStep(std::string_view command, const host::HostError& failure) override;

  // Writes the notes kept since the last call.
  void PrintNotes();

 private:
  const TextTable& texts_;
  std::FILE* out_;
  SubjectOfStep subject_;
  std::vector<std::string> notes_;
};

}  // namespace corvane::toolwindow
