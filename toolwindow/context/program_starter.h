#pragma once

#include <filesystem>
#include <string>

namespace corvane::toolwindow {

// Starts another program without waiting for it: CreateProcess on Windows,
// the output program's terminal front end on the command line.
class ProgramStarter {
 public:
  virtual ~ProgramStarter() = default;
  // Empty on success, otherwise the system's reason.
  virtual std::string Start(const std::filesystem::path& program) = 0;
};

}  // namespace corvane::toolwindow
