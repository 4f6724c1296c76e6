// Peak memory of a whole `corvane-out convert` with both corner options,
// against the size of the job file. Each conversion runs in a process of its
// own so that its peak resident size is its alone.
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "bench/job_generator.h"

extern char** environ;

namespace {

// Peak resident kilobytes of the command, or -1 when it failed.
long peakKilobytes(std::vector<std::string> args) {
  std::vector<char*> argv;
  for (auto& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  pid_t pid = 0;
  const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0) return -1;
  int status = 0;
  rusage usage{};
  if (wait4(pid, &status, 0, &usage) != pid) return -1;
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return -1;
  return usage.ru_maxrss;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::size_t> sizes{10'000, 100'000, 1'000'000, 10'000'000};
  if (argc > 1) sizes = {static_cast<std::size_t>(std::strtoull(argv[1], nullptr, 10))};
  const auto dir = std::filesystem::temp_directory_path();
  const std::string job = (dir / "corvane-memory-job.plt").string();
  const std::string stream = (dir / "corvane-memory-stream.plt").string();

  std::printf("%12s %12s %14s %10s\n", "points", "job MB", "peak RSS MB", "RSS/job");
  for (const std::size_t points : sizes) {
    std::ofstream(job, std::ios::binary) << corvane::bench::generateJob(points);
    const double jobMb = static_cast<double>(std::filesystem::file_size(job)) / 1e6;
    const long kb = peakKilobytes({CORVANE_OUT_PATH, "convert", job, "-o", stream, "--machine",
                                   "TVM-1200", "--angle", "1", "--closed", "1"});
    if (kb < 0) {
      std::fprintf(stderr, "corvane-out convert failed for %zu points\n", points);
      return 1;
    }
    const double rssMb = static_cast<double>(kb) * 1024 / 1e6;
    std::printf("%12zu %12.1f %14.1f %10.2f\n", points, jobMb, rssMb, rssMb / jobMb);
  }
  std::filesystem::remove(job);
  std::filesystem::remove(stream);
  return 0;
}
