#include <spawn.h>
#include <sys/wait.h>

#include <cerrno>
#include <cstring>
#include <string>

#include "toolwindow/cli/output_program_run.h"

extern char** environ;

namespace corvane::toolwindow {

ToolStatus OutputProgramRun::Start(const std::filesystem::path& program) {
  std::string path = program.native();
  std::string run = "run";
  std::string directory = jobDirectory_.native();
  char* argv[] = {path.data(), run.data(), directory.data(), nullptr};
  pid_t child = 0;
  const int spawned = posix_spawn(&child, path.c_str(), nullptr, nullptr, argv, environ);
  if (spawned != 0) {
    return StartFailure(program, "Cannot start " + path + ": " + std::strerror(spawned));
  }
  int status = 0;
  while (waitpid(child, &status, 0) < 0) {
    if (errno != EINTR) return StartFailure(program, "Lost " + path + ": " + std::strerror(errno));
  }
  // The output program's own failure counts as the hand-off's: the command
  // then did not do all it set out to do.
  if (WIFEXITED(status) && WEXITSTATUS(status) == 0) return {};
  if (WIFEXITED(status)) {
    return StartFailure(
        program, path + " run ended with exit status " + std::to_string(WEXITSTATUS(status)));
  }
  return StartFailure(program,
                      path + " run was ended by signal " + std::to_string(WTERMSIG(status)));
}

}  // namespace corvane::toolwindow
