#pragma once

#include <condition_variable>
#include <cstdio>
#include <deque>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace corvane {

// Writes to an open file on a thread of its own, in blocks of 1 MiB, so that
// building the next block overlaps the system's copy of the last one. At most
// two blocks wait at any time; a writer that runs ahead waits for the disk.
class BackgroundWriter {
 public:
  explicit BackgroundWriter(std::FILE* file);
  ~BackgroundWriter();  // finishes if finish() was not called
  BackgroundWriter(const BackgroundWriter&) = delete;
  BackgroundWriter& operator=(const BackgroundWriter&) = delete;

  // False once any write has failed.
  bool write(std::string_view bytes);
  // Writes what is left and waits until everything is written or a write
  // failed; true when every byte reached the file.
  bool finish();
  // errno of the first failed write, 0 if none.
  int errorCode();

 private:
  static constexpr std::size_t kBlockSize = std::size_t{1} << 20;

  void submit();
  void run();

  std::FILE* file_;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::deque<std::string> pending_;
  std::vector<std::string> spare_;
  bool finishing_ = false;
  bool failed_ = false;
  int errorCode_ = 0;
  std::string current_;
  std::thread thread_;
};

}  // namespace corvane
