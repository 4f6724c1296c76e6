#pragma once

#include <optional>
#include <string>

namespace corvane {

// An operating-system call that failed: which step, and the system's own
// code and wording, captured at the moment of failure so that later calls
// cannot overwrite them.
struct SystemError {
  std::string step;
  long code = 0;
  std::string message;
};

// No value: the step succeeded.
using Failure = std::optional<SystemError>;

// "step: message (code)", or less where parts are missing.
std::string describe(const SystemError& error);

// The bytes a write handed over before it stopped, and why it stopped
// early when it did: a failure, or a stop the operator asked for.
struct WriteOutcome {
  std::size_t written = 0;
  Failure failure;
  bool stopped = false;
};

}  // namespace corvane
