#include <windows.h>

#include "common/win32/program_directory.h"

#include <string>

namespace corvane {

std::filesystem::path programDirectory() {
  // GetModuleFileNameW cuts a longer path to the buffer without saying so
  // other than by filling it: grow until the path fits.
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length < path.size()) {
      path.resize(length);
      break;
    }
    path.resize(path.size() * 2);
  }
  return std::filesystem::path(path).parent_path();
}

}  // namespace corvane
