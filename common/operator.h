#pragma once

#include <string>
#include <string_view>

namespace corvane {

// How a message is shown to the operator: a message box icon on Windows,
// a prefix on the command line.
enum class MessageKind { Information, Warning, Stop };

// A step that failed on a file: what was done, the file as UTF-8 text, and
// the system's words for why.
struct FileFailure {
  std::string step;  // "cannot open"
  std::string file;
  std::string reason;
};

// The operator at the screen. Portable code reports every failure through
// this interface; the Win32 programs show message boxes, the command line
// writes to stderr and asks on the terminal, tests record the texts.
class Operator {
 public:
  virtual ~Operator();
  virtual void tell(MessageKind kind, std::string_view text) = 0;
  // A failed step on a file. A dialog shows the program's own text as it
  // stands; a terminal names the file and the reason first.
  virtual void tellFileFailure(MessageKind kind, std::string_view text, const FileFailure& failure);
  // Returns true when the operator chose OK.
  virtual bool askOkCancel(std::string_view text) = 0;
};

}  // namespace corvane
