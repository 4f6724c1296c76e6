#pragma once

#include <filesystem>
#include <string>
#include <string_view>

// Paths travel as std::filesystem::path from the folder to the system call:
// on Windows a narrow path would pass through the ANSI code page and lose
// every letter outside it. Text about a path is UTF-8, as all texts inside.
namespace corvane {

// A path as UTF-8 text, for messages and for the host, on every platform.
inline std::string pathText(const std::filesystem::path& path) {
  const std::u8string utf8 = path.u8string();
  return std::string(utf8.begin(), utf8.end());
}

// The path that UTF-8 text names (a host's file name, a command-line word).
inline std::filesystem::path utf8Path(std::string_view text) {
  return std::filesystem::path(std::u8string(text.begin(), text.end()));
}

}  // namespace corvane
