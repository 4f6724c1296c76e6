#include "output/engine/byte_sink.h"

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "common/open_file.h"
#include "common/path_text.h"
#include "output/engine/background_writer.h"

namespace corvane {

ByteSink::~ByteSink() = default;

FileSink::FileSink(std::filesystem::path path) : path_(std::move(path)) {
  errno = 0;
  file_ = openFile(path_, "wb");
  if (file_ == nullptr) {
    fail("Cannot create the file", errno);
  } else {
    opened_ = true;
    writer_ = std::make_unique<BackgroundWriter>(file_);
  }
}

FileSink::~FileSink() {
  if (!complete_) discard();
}

bool FileSink::write(std::string_view bytes) {
  if (file_ == nullptr || failed_) return false;
  if (writer_->write(bytes)) return true;
  fail("Cannot write the file", writer_->errorCode());
  return false;
}

bool FileSink::close() {
  if (file_ == nullptr) return false;
  if (!writer_->finish()) fail("Cannot write the file", writer_->errorCode());
  writer_.reset();
  errno = 0;
  if (!failed_ && std::fflush(file_) != 0) fail("Cannot write the file", errno);
  std::FILE* file = file_;
  file_ = nullptr;
  errno = 0;
  if (std::fclose(file) != 0 && !failed_) fail("Cannot write the file", errno);
  if (failed_) {
    discard();
    return false;
  }
  complete_ = true;
  return true;
}

void FileSink::fail(const char* step, int code) {
  if (failed_) return;
  failed_ = true;
  error_ = std::string(step) + " " + pathText(path_);
  if (code != 0) error_ += std::string(": ") + std::strerror(code);
}

void FileSink::discard() {
  // Only a file this sink created or truncated is removed; one it could not
  // open is left as it was.
  if (file_ == nullptr && !opened_) return;
  writer_.reset();  // waits for the writing thread before the file goes
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
