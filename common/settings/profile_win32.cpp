#include <windows.h>

#include <string>
#include <vector>

#include "common/settings/profile.h"

// The system's own profile functions, in their ANSI form: Config.ini is an
// ANSI file and both programs have always read it through these calls.
namespace corvane::settings {
namespace {

// The A functions take the path in the ANSI code page too.
std::string ansiPath(const std::filesystem::path& file) {
  const std::wstring& wide = file.native();
  if (wide.empty()) return {};
  const int length = WideCharToMultiByte(CP_ACP, 0, wide.c_str(), static_cast<int>(wide.size()),
                                         nullptr, 0, nullptr, nullptr);
  std::string ansi(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(CP_ACP, 0, wide.c_str(), static_cast<int>(wide.size()), ansi.data(), length,
                      nullptr, nullptr);
  return ansi;
}

}  // namespace

std::string readProfileString(const std::filesystem::path& file, std::string_view section,
                              std::string_view key, std::string_view defaultText,
                              std::size_t bufferSize) {
  if (bufferSize == 0) return {};
  std::vector<char> buffer(bufferSize, '\0');
  GetPrivateProfileStringA(std::string(section).c_str(), std::string(key).c_str(),
                           std::string(defaultText).c_str(), buffer.data(),
                           static_cast<DWORD>(bufferSize), ansiPath(file).c_str());
  return std::string(buffer.data());
}

std::int32_t readProfileInt(const std::filesystem::path& file, std::string_view section,
                            std::string_view key, std::int32_t defaultValue) {
  const UINT value = GetPrivateProfileIntA(std::string(section).c_str(), std::string(key).c_str(),
                                           defaultValue, ansiPath(file).c_str());
  return static_cast<std::int32_t>(value);
}

bool writeProfileString(const std::filesystem::path& file, std::string_view section,
                        std::string_view key, std::string_view value) {
  return WritePrivateProfileStringA(std::string(section).c_str(), std::string(key).c_str(),
                                    std::string(value).c_str(), ansiPath(file).c_str()) != FALSE;
}

}  // namespace corvane::settings
