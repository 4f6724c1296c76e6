#include "output/engine/file_range.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <memory>

#include "common/open_file.h"

namespace corvane {

namespace {

constexpr std::size_t kChunk = std::size_t{1} << 20;

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using UniqueFile = std::unique_ptr<std::FILE, FileCloser>;

// A file open for reading at `offset`, or null with errno set.
UniqueFile openAt(const std::filesystem::path& path, std::uint64_t offset) {
  errno = 0;
  UniqueFile file(openFile(path, "rb"));
  if (file && offset > 0 && !seekFile(file.get(), offset)) {
    file.reset();
  }
  return file;
}

int lastError() { return errno != 0 ? errno : EIO; }

}  // namespace

int readFileRange(const std::filesystem::path& path, std::uint64_t offset, std::uint64_t length,
                  const std::function<void(std::string_view)>& consume) {
  const UniqueFile file = openAt(path, offset);
  if (!file) return lastError();
  std::unique_ptr<char[]> chunk(new char[kChunk]);
  std::uint64_t left = length;
  while (left > 0) {
    const auto want = static_cast<std::size_t>(std::min<std::uint64_t>(left, kChunk));
    errno = 0;
    const std::size_t got = std::fread(chunk.get(), 1, want, file.get());
    if (got > 0) consume(std::string_view(chunk.get(), got));
    if (length != kToEndOfFile) left -= got;
    if (got < want) break;
  }
  // A short read is the end of the file unless the stream says it failed.
  return std::ferror(file.get()) ? lastError() : 0;
}

std::uint64_t findCommandEnd(const std::filesystem::path& path, std::uint64_t from) {
  std::uint64_t position = from;
  const UniqueFile file = openAt(path, from);
  if (!file) return kToEndOfFile;
  char chunk[4096];
  for (std::size_t got; (got = std::fread(chunk, 1, sizeof chunk, file.get())) > 0;) {
    const std::string_view text(chunk, got);
    const std::size_t at = text.find(';');
    if (at != std::string_view::npos) return position + at + 1;
    position += text.size();
  }
  return kToEndOfFile;
}

}  // namespace corvane
