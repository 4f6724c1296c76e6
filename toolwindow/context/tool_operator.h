#pragma once

#include <string_view>

#include "toolwindow/host/host_result.h"

namespace corvane::toolwindow {

enum class MessageIcon { Warning, Critical };

// The caption of the trace's failure message in the X3 and X4 programs; every
// other message carries the program's title (ProgramTitle).
inline constexpr std::string_view kErrorHandleCaption = "Error Handle";

// The operator at the tool window: a message box with one OK button. The
// Win32 programs show it; the command line writes it to stderr; tests
// record it.
class ToolOperator {
 public:
  virtual ~ToolOperator() = default;
  virtual void ShowMessage(std::string_view text, MessageIcon icon, std::string_view caption) = 0;
  // A failed host step that the command passed over and went on without,
  // told as soon as it went on. The tool window has no place for it and
  // stays silent; a terminal notes it.
  virtual void NoteSkippedStep(std::string_view /*command*/, const host::HostError& /*failure*/) {}
};

}  // namespace corvane::toolwindow
