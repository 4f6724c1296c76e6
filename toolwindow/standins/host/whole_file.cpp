#include "toolwindow/standins/host/whole_file.h"

#include <filesystem>
#include <fstream>
#include <system_error>

#include "common/path_text.h"

namespace corvane::standin {

std::optional<std::string> writeWholeFile(const std::string& path, const std::string& text) {
  // The host's file names are UTF-8 text.
  const std::filesystem::path whole = utf8Path(path);
  std::filesystem::path partial = whole;
  partial += ".partial";
  {
    std::ofstream out(partial, std::ios::binary | std::ios::trunc);
    out << text;
    out.close();
    if (!out) {
      std::error_code ignored;
      std::filesystem::remove(partial, ignored);
      return "The file cannot be written: " + path;
    }
  }
  std::error_code error;
  std::filesystem::rename(partial, whole, error);
  if (error) {
    std::filesystem::remove(partial, error);
    return "The file cannot be written: " + path;
  }
  return std::nullopt;
}

}  // namespace corvane::standin
