#include "output/cli/stderr_operator.h"

#include <cctype>
#include <string>

namespace corvane {

namespace {

const char* prefix(MessageKind kind) {
  switch (kind) {
    case MessageKind::Information:
      return "corvane-out: ";
    case MessageKind::Warning:
      return "corvane-out: warning: ";
    case MessageKind::Stop:
      return "corvane-out: error: ";
  }
  return "corvane-out: ";
}

}  // namespace

void StderrOperator::tell(MessageKind kind, std::string_view text) {
  if (kind == MessageKind::Warning) {
    if (failureTold_ || !warnings_.emplace(text).second) return;
  }
  if (kind == MessageKind::Stop) failureTold_ = true;
  std::fprintf(stderr, "%s%.*s\n", prefix(kind), static_cast<int>(text.size()), text.data());
}

void StderrOperator::tellFileFailure(MessageKind kind, std::string_view,
                                     const FileFailure& failure) {
  // The dialog's text says the same without the file; the terminal says it
  // in the system's words instead.
  if (kind != MessageKind::Information) failureTold_ = true;
  std::fprintf(stderr, "corvane-out: %s %s: %s\n", failure.step.c_str(), failure.file.c_str(),
               failure.reason.c_str());
}

bool StderrOperator::askOkCancel(std::string_view text) {
  std::fprintf(stderr, "corvane-out: %.*s [ok/cancel] ", static_cast<int>(text.size()),
               text.data());
  std::fflush(stderr);
  std::string answer;
  for (int c = std::fgetc(answers_); c != EOF && c != '\n'; c = std::fgetc(answers_)) {
    answer += static_cast<char>(std::tolower(c));
  }
  // No answer (end of input) is a Cancel: nothing is cut unasked.
  return answer == "ok" || answer == "o" || answer == "y" || answer == "yes";
}

}  // namespace corvane
