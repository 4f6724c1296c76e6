#pragma once

#include <string>
#include <utility>

#include "common/outcome.h"

namespace corvane::host {

// Why a host operation failed. Refused: the host answered and said no; the
// command decides what follows. The others mean there is no host to go on
// with: it was lost (closed, killed, stopped answering, stayed busy), it is
// not running, or it runs hidden with documents nobody can see. They end the
// command in every build, and the next command connects afresh.
enum class HostFailure { Refused, Lost, NotRunning, RunningHidden };

// A failed host operation: which operation, and the host's own words for it
// (an automation server's description, or the stand-in's text). For a host
// that is gone the text is the technical detail (member and error code).
struct HostError {
  HostError() = default;
  HostError(std::string operationName, std::string failureText,
            HostFailure failureKind = HostFailure::Refused)
      : operation(std::move(operationName)), text(std::move(failureText)), kind(failureKind) {}

  std::string operation;
  std::string text;
  HostFailure kind = HostFailure::Refused;
};

// Whether nothing more can be asked of the host in this command.
inline bool EndsCommand(const HostError& error) { return error.kind != HostFailure::Refused; }

// The outcome of one host operation: a value or the host's error. Errors are
// values; no exception leaves a host implementation.
template <class T>
using HostResult = Outcome<T, HostError>;

// The outcome of a host operation that returns nothing.
using HostStatus = Status<HostError>;

}  // namespace corvane::host
