#include <system_error>

#include "support/locked_file.h"

namespace corvane::testing {

// A read-only file cannot be deleted on Windows, nor opened for writing.
LockedFile::LockedFile(std::filesystem::path path) : path_(std::move(path)) {
  std::error_code error;
  std::filesystem::permissions(path_, std::filesystem::perms::owner_write,
                               std::filesystem::perm_options::remove, error);
  locked_ = !error;
}

LockedFile::~LockedFile() {
  std::error_code ignored;
  if (locked_) {
    std::filesystem::permissions(path_, std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::add, ignored);
  }
}

}  // namespace corvane::testing
