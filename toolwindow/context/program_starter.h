#pragma once

#include <filesystem>
#include <string>

#include "common/path_text.h"
#include "toolwindow/context/tool_failure.h"

namespace corvane::toolwindow {

// Starts another program without waiting for it: CreateProcess on Windows,
// the output program's terminal front end on the command line.
class ProgramStarter {
 public:
  virtual ~ProgramStarter() = default;
  virtual ToolStatus Start(const std::filesystem::path& program) = 0;
};

// A start that failed, with the system's words for why.
inline ToolFailure StartFailure(const std::filesystem::path& program, std::string reason) {
  return {"Starting " + pathText(program), std::move(reason)};
}

}  // namespace corvane::toolwindow
