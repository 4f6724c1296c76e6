#pragma once

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

namespace corvane {

class BackgroundWriter;

// Where a command stream goes: a file, or memory in tests and fuzzing.
class ByteSink {
 public:
  virtual ~ByteSink();
  // False once anything could not be written; the sink says why in error().
  virtual bool write(std::string_view bytes) = 0;
  virtual std::string error() const = 0;
};

class StringSink final : public ByteSink {
 public:
  bool write(std::string_view bytes) override {
    text.append(bytes);
    return true;
  }
  std::string error() const override { return {}; }

  std::string text;
};

// A file created (or truncated) for writing. Nothing is final until close()
// succeeds; a file that could not be written whole is removed, so that a
// partial stream never lies on disk looking like a complete one.
class FileSink final : public ByteSink {
 public:
  explicit FileSink(std::filesystem::path path);
  ~FileSink() override;  // removes the file unless close() succeeded
  FileSink(const FileSink&) = delete;
  FileSink& operator=(const FileSink&) = delete;

  bool isOpen() const { return file_ != nullptr; }
  bool write(std::string_view bytes) override;
  // Flushes and closes; on any failure so far, removes the file.
  bool close();
  std::string error() const override { return error_; }

 private:
  void fail(const char* step, int code);
  void discard();

  std::filesystem::path path_;
  std::FILE* file_ = nullptr;
  std::unique_ptr<BackgroundWriter> writer_;
  bool opened_ = false;
  bool failed_ = false;
  bool complete_ = false;
  std::string error_;
};

}  // namespace corvane
