#pragma once

#include <filesystem>

namespace corvane::testing {

// Holds an existing file so that it can be neither removed nor replaced,
// like an old file that the program cannot take over: immutable on Linux
// (which needs root), read-only on Windows. Released when the guard ends,
// so a failing test leaves nothing it cannot clean up.
class LockedFile {
 public:
  explicit LockedFile(std::filesystem::path path);
  ~LockedFile();
  LockedFile(const LockedFile&) = delete;
  LockedFile& operator=(const LockedFile&) = delete;

  // False when this system would not lock it; the test should skip.
  bool locked() const { return locked_; }

 private:
  std::filesystem::path path_;
  bool locked_ = false;
};

}  // namespace corvane::testing
