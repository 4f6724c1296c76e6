#include "output/engine/byte_sink.h"

#include <cerrno>
#include <cstring>
#include <filesystem>

namespace corvane {

ByteSink::~ByteSink() = default;

FileSink::FileSink(std::string path) : path_(std::move(path)) {
  file_ = std::fopen(path_.c_str(), "wb");
  if (file_ == nullptr) {
    fail("Cannot create the file");
  } else {
    opened_ = true;
  }
}

FileSink::~FileSink() {
  if (!complete_) discard();
}

bool FileSink::write(std::string_view bytes) {
  if (file_ == nullptr || failed_) return false;
  if (bytes.empty()) return true;
  if (std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size()) {
    fail("Cannot write the file");
    return false;
  }
  return true;
}

bool FileSink::close() {
  if (file_ == nullptr) return false;
  if (!failed_ && std::fflush(file_) != 0) fail("Cannot write the file");
  std::FILE* file = file_;
  file_ = nullptr;
  if (std::fclose(file) != 0 && !failed_) fail("Cannot write the file");
  if (failed_) {
    discard();
    return false;
  }
  complete_ = true;
  return true;
}

void FileSink::fail(const char* step) {
  if (failed_) return;
  failed_ = true;
  const int code = errno;
  error_ = std::string(step) + " " + path_;
  if (code != 0) error_ += std::string(": ") + std::strerror(code);
}

void FileSink::discard() {
  // Only a file this sink created or truncated is removed; one it could not
  // open is left as it was.
  if (file_ == nullptr && !opened_) return;
  if (file_ != nullptr) {
    std::fclose(file_);
    file_ = nullptr;
  }
  // Never unlink a device or a pipe someone pointed us at.
  std::error_code ignored;
  if (std::filesystem::is_regular_file(path_, ignored)) std::filesystem::remove(path_, ignored);
  opened_ = false;
}

}  // namespace corvane
