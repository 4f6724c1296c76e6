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
  std::fprintf(stderr, "%s%.*s\n", prefix(kind), static_cast<int>(text.size()), text.data());
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
