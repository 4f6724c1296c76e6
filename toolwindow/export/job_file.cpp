#include "toolwindow/export/job_file.h"

#include <array>
#include <cerrno>
#include <fstream>
#include <string>
#include <system_error>

#include "common/path_text.h"

namespace corvane::toolwindow {

namespace fs = std::filesystem;

namespace {

// The system's words for errno, which the streams leave set on most failures.
std::string SystemText(int error) {
  return error != 0 ? std::generic_category().message(error) : "the system gave no reason";
}

ToolFailure JobFileError(const char* doing, const fs::path& file, std::string text) {
  return {std::string(doing) + " the job file " + pathText(file), std::move(text)};
}

}  // namespace

ToolStatus RemoveEarlierJobFile(const fs::path& jobFile) {
  std::error_code error;
  fs::remove(jobFile, error);
  if (error) return JobFileError("Removing the earlier", jobFile, error.message());
  return {};
}

void DiscardJobFile(const fs::path& jobFile) {
  std::error_code ignored;
  fs::remove(jobFile, ignored);
}

ToolStatus PrependJobLines(const fs::path& jobFile, std::string_view lines) {
  std::error_code error;
  if (!fs::is_regular_file(jobFile, error)) {
    return JobFileError("Reading", jobFile, "the export wrote no file");
  }

  std::string content(lines);
  {
    errno = 0;
    std::ifstream in(jobFile, std::ios::binary);
    if (!in) return JobFileError("Reading", jobFile, SystemText(errno));
    std::array<char, 65536> chunk;
    do {
      in.read(chunk.data(), chunk.size());
      content.append(chunk.data(), static_cast<std::size_t>(in.gcount()));
    } while (in);
    if (in.bad()) return JobFileError("Reading", jobFile, "the file could not be read whole");
  }

  fs::path replacement = jobFile;
  replacement += ".new";
  {
    errno = 0;
    std::ofstream out(replacement, std::ios::binary | std::ios::trunc);
    if (!out) return JobFileError("Writing", replacement, SystemText(errno));
    out.write(content.data(), static_cast<std::streamsize>(content.size()));
    out.close();
    if (!out) {
      const int cause = errno;
      fs::remove(replacement, error);
      return JobFileError("Writing", replacement, SystemText(cause));
    }
  }

  fs::rename(replacement, jobFile, error);
  if (error) {
    const std::string cause = error.message();
    fs::remove(replacement, error);
    return JobFileError("Replacing", jobFile, cause);
  }
  return {};
}

}  // namespace corvane::toolwindow
