#pragma once

#include <filesystem>
#include <string>

#include "toolwindow/context/program_starter.h"

namespace corvane::toolwindow {

// CreateProcess: the program alone on its command line, in its own folder,
// as a normal window that takes the focus. Nothing waits for it and no
// handle of it is kept, so it runs on when the tool window ends.
class ProcessStarter final : public ProgramStarter {
 public:
  ToolStatus Start(const std::filesystem::path& program) override;
};

}  // namespace corvane::toolwindow
