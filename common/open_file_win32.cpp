#include "common/open_file.h"

#include <string>

namespace corvane {

std::FILE* openFile(const std::filesystem::path& path, const char* mode) {
  // The mode is plain ASCII ("rb", "wb").
  const std::wstring wideMode(mode, mode + std::char_traits<char>::length(mode));
  return _wfopen(path.c_str(), wideMode.c_str());
}

bool seekFile(std::FILE* file, std::uint64_t offset) {
  return _fseeki64(file, static_cast<__int64>(offset), SEEK_SET) == 0;
}

}  // namespace corvane
