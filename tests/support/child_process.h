#pragma once

// A program run as a child with stdin from a pipe or /dev/null and stdout
// and stderr into files of a test directory.

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "support/temp_dir.h"

extern char** environ;

namespace corvane::testing {

// Runs a program with stdin from `input` (or /dev/null) and stdout and
// stderr into files of the directory; returns its exit status.
class ChildProcess {
 public:
  ChildProcess(const TempDir& dir, std::vector<std::string> args, bool pipeInput = false)
      : err_(dir.file("stderr.txt")) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    int input[2] = {-1, -1};
    if (pipeInput && pipe(input) == 0) {
      posix_spawn_file_actions_adddup2(&actions, input[0], STDIN_FILENO);
      posix_spawn_file_actions_addclose(&actions, input[1]);
      input_ = input[1];
    } else {
      posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    }
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, dir.file("stdout.txt").c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, err_.c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0644);
    std::vector<char*> argv;
    for (std::string& arg : args) argv.push_back(arg.data());
    argv.push_back(nullptr);
    if (posix_spawn(&child_, argv[0], &actions, nullptr, argv.data(), environ) != 0) child_ = -1;
    posix_spawn_file_actions_destroy(&actions);
    if (input[0] >= 0) close(input[0]);
  }
  ~ChildProcess() {
    if (input_ >= 0) close(input_);
    if (child_ > 0) wait();
  }

  void Type(const std::string& line) {
    if (input_ >= 0 && write(input_, line.data(), line.size()) < 0) ADD_FAILURE() << "stdin";
  }
  int wait() {
    int status = 0;
    if (child_ <= 0 || waitpid(child_, &status, 0) != child_) return -1;
    child_ = -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  std::string errors() const { return readFile(err_); }

 private:
  std::string err_;
  pid_t child_ = -1;
  int input_ = -1;
};

inline int RunToEnd(const TempDir& dir, std::vector<std::string> args,
                    std::string* errors = nullptr) {
  ChildProcess run(dir, std::move(args));
  const int status = run.wait();
  if (errors != nullptr) *errors = run.errors();
  return status;
}

}  // namespace corvane::testing
