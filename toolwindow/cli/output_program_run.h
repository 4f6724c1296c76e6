#pragma once

#include <filesystem>
#include <string>
#include <utility>

#include "toolwindow/context/program_starter.h"

namespace corvane::toolwindow {

// The hand-off on a terminal: `corvane-out run DIR`, the output program's
// terminal front end, on this terminal. Unlike the Win32 start it waits, so
// the operator answers its question here and its exit status counts.
class OutputProgramRun final : public ProgramStarter {
 public:
  explicit OutputProgramRun(std::filesystem::path jobDirectory)
      : jobDirectory_(std::move(jobDirectory)) {}
  ToolStatus Start(const std::filesystem::path& program) override;

 private:
  std::filesystem::path jobDirectory_;
};

// --no-handoff: the job file stays for the operator's own next step.
class NoHandOff final : public ProgramStarter {
 public:
  ToolStatus Start(const std::filesystem::path&) override { return {}; }
};

}  // namespace corvane::toolwindow
