#pragma once

#include <string_view>

namespace corvane {

// How a message is shown to the operator: a message box icon on Windows,
// a prefix on the command line.
enum class MessageKind { Information, Warning, Stop };

// The operator at the screen. Portable code reports every failure through
// this interface; the Win32 programs show message boxes, the command line
// writes to stderr and asks on the terminal, tests record the texts.
class Operator {
 public:
  virtual ~Operator();
  virtual void tell(MessageKind kind, std::string_view text) = 0;
  // Returns true when the operator chose OK.
  virtual bool askOkCancel(std::string_view text) = 0;
};

}  // namespace corvane
