#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include "support/locked_file.h"

namespace corvane::testing {

namespace {

// What chattr +i and chattr -i do.
bool setImmutable(const std::filesystem::path& path, bool on) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK);
  if (fd < 0) return false;
  int flags = 0;
  bool set = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
  if (set) {
    flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
    set = ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
  }
  ::close(fd);
  return set;
}

}  // namespace

LockedFile::LockedFile(std::filesystem::path path)
    : path_(std::move(path)), locked_(setImmutable(path_, true)) {}

LockedFile::~LockedFile() {
  if (locked_) setImmutable(path_, false);
}

}  // namespace corvane::testing
