#pragma once

#include <optional>
#include <string>
#include <utility>

#include "common/outcome.h"
#include "toolwindow/host/host_result.h"

namespace corvane::toolwindow {

// Why a step of the tool window failed: a host operation, or a step of the
// program's own (starting a program, reading or writing the job file). The
// operator's message is made from it in one place, ReportFailure.
struct ToolFailure {
  // A step of the program's own: what was done and the system's words.
  ToolFailure(std::string stepName, std::string reasonText)
      : step(std::move(stepName)), reason(std::move(reasonText)) {}
  // A host operation that failed on the way.
  ToolFailure(const host::HostError& error)
      : step(error.operation), reason(error.text), hostFailure(error.kind) {}
  ToolFailure() = default;

  std::string step;
  std::string reason;
  // Set for a host operation: whether the host refused or is gone.
  std::optional<host::HostFailure> hostFailure;
};

// The outcome of a step of the tool window that gives nothing back.
using ToolStatus = Status<ToolFailure>;

}  // namespace corvane::toolwindow
