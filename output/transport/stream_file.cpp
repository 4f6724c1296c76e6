#include "output/transport/stream_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

#include "common/open_file.h"

namespace corvane {

namespace {

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

SystemError lastError(const char* step) {
  const int code = errno;
  return SystemError{step, code, code != 0 ? std::strerror(code) : ""};
}

}  // namespace

std::variant<std::string, SystemError> readStreamFile(const std::filesystem::path& path) {
  if (path.empty()) return SystemError{"no stream file named", 0, ""};
  errno = 0;
  std::unique_ptr<std::FILE, FileCloser> file(openFile(path, "rb"));
  if (!file) return lastError("cannot open");
  std::string bytes;
  char buffer[1 << 16];
  for (;;) {
    const std::size_t got = std::fread(buffer, 1, sizeof buffer, file.get());
    bytes.append(buffer, got);
    if (got < sizeof buffer) break;
  }
  // A directory opens on POSIX and fails on the first read.
  if (std::ferror(file.get())) return lastError("cannot read");
  return bytes;
}

}  // namespace corvane
