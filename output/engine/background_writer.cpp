#include "output/engine/background_writer.h"

#include <cerrno>

namespace corvane {

BackgroundWriter::BackgroundWriter(std::FILE* file) : file_(file) {
  current_.reserve(kBlockSize);
  thread_ = std::thread([this] { run(); });
}

BackgroundWriter::~BackgroundWriter() { finish(); }

bool BackgroundWriter::write(std::string_view bytes) {
  while (!bytes.empty()) {
    const std::size_t take = std::min(bytes.size(), kBlockSize - current_.size());
    current_.append(bytes.substr(0, take));
    bytes.remove_prefix(take);
    if (current_.size() == kBlockSize) submit();
  }
  std::lock_guard lock(mutex_);
  return !failed_;
}

void BackgroundWriter::submit() {
  std::unique_lock lock(mutex_);
  changed_.wait(lock, [this] { return pending_.size() < 2 || failed_; });
  if (!failed_) pending_.push_back(std::move(current_));
  if (spare_.empty()) {
    current_ = std::string();
    current_.reserve(kBlockSize);
  } else {
    current_ = std::move(spare_.back());
    spare_.pop_back();
  }
  current_.clear();
  changed_.notify_all();
}

bool BackgroundWriter::finish() {
  if (!thread_.joinable()) {
    std::lock_guard lock(mutex_);
    return !failed_;
  }
  if (!current_.empty()) submit();
  {
    std::lock_guard lock(mutex_);
    finishing_ = true;
  }
  changed_.notify_all();
  thread_.join();
  return !failed_;
}

int BackgroundWriter::errorCode() {
  std::lock_guard lock(mutex_);
  return errorCode_;
}

void BackgroundWriter::run() {
  std::unique_lock lock(mutex_);
  for (;;) {
    changed_.wait(lock, [this] { return !pending_.empty() || finishing_; });
    if (pending_.empty()) return;
    std::string block = std::move(pending_.front());
    pending_.pop_front();
    lock.unlock();
    errno = 0;
    const bool written = std::fwrite(block.data(), 1, block.size(), file_) == block.size();
    const int code = errno;
    lock.lock();
    if (!written && !failed_) {
      failed_ = true;
      errorCode_ = code;
      pending_.clear();  // nothing after a failed write may reach the file
    }
    block.clear();
    spare_.push_back(std::move(block));
    changed_.notify_all();
  }
}

}  // namespace corvane
