#include "toolwindow/cli/terminal_tool_operator.h"

#include <cstdint>
#include <string>

namespace corvane::toolwindow {

namespace {

// The text number of a table text in either language, 0 for any other text.
std::int32_t TextNumberOf(const TextTable& texts, std::string_view text) {
  for (std::int32_t language = 1; language <= 2; ++language) {
    for (std::int32_t number = 1; number <= 24; ++number) {
      if (texts.Load(100 * language + number) == text) return number;
    }
  }
  return 0;
}

}  // namespace

void TerminalToolOperator::ShowMessage(std::string_view text, MessageIcon icon,
                                       std::string_view caption) {
  std::string kind = icon == MessageIcon::Warning ? "warning" : "critical";
  if (const std::int32_t number = TextNumberOf(texts_, text); number != 0) {
    kind += (number < 10 ? " 0" : " ") + std::to_string(number);
  }
  std::fprintf(out_, "corvane: %.*s: %s: %.*s\n", static_cast<int>(caption.size()), caption.data(),
               kind.c_str(), static_cast<int>(text.size()), text.data());
}

void TerminalToolOperator::NoteSkippedStep(std::string_view command,
                                           const host::HostError& failure) {
  std::string note = "corvane: note: " + std::string(command) + " skipped ";
  note += failure.operation.empty() ? "a host operation" : failure.operation;
  if (const std::string subject = subject_ ? subject_() : std::string(); !subject.empty()) {
    note += " on " + subject;
  }
  notes_.push_back(note + ": " + failure.text + "\n");
}

void TerminalToolOperator::PrintNotes() {
  for (const std::string& note : notes_) std::fputs(note.c_str(), out_);
  notes_.clear();
}

}  // namespace corvane::toolwindow
