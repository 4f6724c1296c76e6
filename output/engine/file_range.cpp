#include "output/engine/file_range.h"

#include <algorithm>
#include <fstream>
#include <memory>

namespace corvane {

namespace {

constexpr std::size_t kChunk = std::size_t{1} << 20;

}  // namespace

bool readFileRange(const std::string& path, std::uint64_t offset, std::uint64_t length,
                   const std::function<void(std::string_view)>& consume) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  if (offset > 0 && !in.seekg(static_cast<std::streamoff>(offset))) return false;
  std::unique_ptr<char[]> chunk(new char[kChunk]);
  std::uint64_t left = length;
  while (left > 0) {
    const auto want = static_cast<std::streamsize>(std::min<std::uint64_t>(left, kChunk));
    in.read(chunk.get(), want);
    const std::streamsize got = in.gcount();
    if (got > 0) consume(std::string_view(chunk.get(), static_cast<std::size_t>(got)));
    if (length != kToEndOfFile) left -= static_cast<std::uint64_t>(got);
    if (got < want) break;
  }
  // Running into the end of the file sets eof and fail together; a failed
  // read without the end is an error.
  return !in.bad() && (in.eof() || !in.fail());
}

std::uint64_t findCommandEnd(const std::string& path, std::uint64_t from) {
  std::uint64_t position = from;
  std::uint64_t found = kToEndOfFile;
  std::ifstream in(path, std::ios::binary);
  if (!in || !in.seekg(static_cast<std::streamoff>(from))) return kToEndOfFile;
  char chunk[4096];
  while (found == kToEndOfFile && in.read(chunk, sizeof chunk).gcount() > 0) {
    const std::string_view text(chunk, static_cast<std::size_t>(in.gcount()));
    const std::size_t at = text.find(';');
    if (at != std::string_view::npos) {
      found = position + at + 1;
    } else {
      position += text.size();
    }
  }
  return found;
}

}  // namespace corvane
