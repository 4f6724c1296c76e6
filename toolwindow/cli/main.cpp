// corvane: the tool window on a terminal, over the stand-in drawing host.
#include <filesystem>
#include <system_error>

#include "toolwindow/cli/tool_command_line.h"

int main(int argc, char** argv) {
  // corvane-out lies beside this program, as CORVANE-OUT.exe lies beside the
  // tool window.
  std::error_code error;
  std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) self = std::filesystem::absolute(argv[0]);
  return corvane::toolwindow::RunToolCommandLine(argc - 1, argv + 1, self.parent_path());
}
