#pragma once

#include <filesystem>
#include <system_error>

#ifndef _WIN32
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>
#endif

namespace corvane::testing {

// Holds an existing file so that it can be neither removed nor replaced,
// like an old file the program cannot take over: immutable on Linux (as
// chattr +i does; needs root), read-only on Windows. Released when the
// guard ends, so a failing test leaves nothing it cannot clean up.
class LockedFile {
 public:
  explicit LockedFile(std::filesystem::path path) : path_(std::move(path)) { locked_ = lock(true); }
  ~LockedFile() {
    if (locked_) lock(false);
  }
  LockedFile(const LockedFile&) = delete;
  LockedFile& operator=(const LockedFile&) = delete;

  // False when this system would not lock it; the test should skip.
  bool locked() const { return locked_; }

 private:
#ifdef _WIN32
  bool lock(bool on) const {
    std::error_code error;
    std::filesystem::permissions(
        path_, std::filesystem::perms::owner_write,
        on ? std::filesystem::perm_options::remove : std::filesystem::perm_options::add, error);
    return !error;
  }
#else
  bool lock(bool on) const {
    const int fd = ::open(path_.c_str(), O_RDONLY | O_NONBLOCK);
    int flags = 0;
    bool done = fd >= 0 && ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
    done = done && ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    if (fd >= 0) ::close(fd);
    return done;
  }
#endif

  std::filesystem::path path_;
  bool locked_ = false;
};

}  // namespace corvane::testing
