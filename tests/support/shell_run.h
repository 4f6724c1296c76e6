#pragma once

#include <sys/wait.h>

#include <cstdlib>
#include <string>

#include "support/temp_dir.h"

namespace corvane::testing {

struct RunResult {
  int status;
  std::string out;
  std::string err;
};

// Runs a program as a shell would, stdin from /dev/null, stdout and stderr
// caught in files of the directory; arguments must not need quoting.
inline RunResult runInShell(const TempDir& dir, const std::string& program,
                            const std::string& args) {
  const std::string out = dir.file("stdout.txt");
  const std::string err = dir.file("stderr.txt");
  const std::string command = program + " " + args + " >" + out + " 2>" + err + " </dev/null";
  const int raw = std::system(command.c_str());
  return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, readFile(out), readFile(err)};
}

}  // namespace corvane::testing
