#pragma once

#include <filesystem>
#include <string>

namespace corvane::toolwindow {

// A path as UTF-8 text, for messages and for the host, on every platform.
inline std::string PathText(const std::filesystem::path& path) {
  const std::u8string utf8 = path.u8string();
  return std::string(utf8.begin(), utf8.end());
}

}  // namespace corvane::toolwindow
