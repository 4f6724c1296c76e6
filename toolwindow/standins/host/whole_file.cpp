#include "toolwindow/standins/host/whole_file.h"

#include <filesystem>
#include <fstream>
#include <system_error>

#include "common/path_text.h"

namespace corvane::standin {

host::HostStatus writeWholeFile(const std::string& path, const std::string& text) {
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
      return host::HostError{__func__, "The file cannot be written: " + path};
    }
  }
  std::error_code error;
  std::filesystem::rename(partial, whole, error);
  if (error) {
    std::filesystem::remove(partial, error);
    return host::HostError{__func__, "The file cannot be written: " + path};
  }
  return {};
}

}  // namespace corvane::standin
