#include "toolwindow/standin/whole_file.h"

#include <filesystem>
#include <fstream>
#include <system_error>

namespace corvane::standin {

std::optional<std::string> writeWholeFile(const std::string& path, const std::string& text) {
  const std::string partial = path + ".partial";
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
  std::filesystem::rename(partial, path, error);
  if (error) {
    std::filesystem::remove(partial, error);
    return "The file cannot be written: " + path;
  }
  return std::nullopt;
}

}  // namespace corvane::standin
