#include <windows.h>

#include <string>
#include <vector>

#include "common/settings/profile.h"

// The system's own profile functions, in their wide form so that Config.ini
// opens in any folder. The file stays an ANSI file: the W functions keep the
// encoding a file has (and make new files ANSI), and every text is turned
// from and back into the ANSI code page at the call, so both programs see
// the bytes they have always seen.
namespace corvane::settings {
namespace {

std::wstring fromAnsi(std::string_view text) {
  if (text.empty()) return {};
  const int size = static_cast<int>(text.size());
  const int length = MultiByteToWideChar(CP_ACP, 0, text.data(), size, nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.data(), size, wide.data(), length);
  return wide;
}

std::string toAnsi(std::wstring_view wide) {
  if (wide.empty()) return {};
  const int size = static_cast<int>(wide.size());
  const int length =
      WideCharToMultiByte(CP_ACP, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
  std::string ansi(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(CP_ACP, 0, wide.data(), size, ansi.data(), length, nullptr, nullptr);
  return ansi;
}

}  // namespace

std::string readProfileString(const std::filesystem::path& file, std::string_view section,
                              std::string_view key, std::string_view defaultText,
                              std::size_t bufferSize) {
  if (bufferSize == 0) return {};
  // A buffer of bufferSize ANSI bytes holds at most as many characters.
  std::vector<wchar_t> buffer(bufferSize, L'\0');
  GetPrivateProfileStringW(fromAnsi(section).c_str(), fromAnsi(key).c_str(),
                           fromAnsi(defaultText).c_str(), buffer.data(),
                           static_cast<DWORD>(bufferSize), file.c_str());
  std::string text = toAnsi(buffer.data());
  // The ANSI call cuts by bytes: a value of double-byte characters too.
  if (text.size() > bufferSize - 1) text.resize(bufferSize - 1);
  return text;
}

std::int32_t readProfileInt(const std::filesystem::path& file, std::string_view section,
                            std::string_view key, std::int32_t defaultValue) {
  const UINT value = GetPrivateProfileIntW(fromAnsi(section).c_str(), fromAnsi(key).c_str(),
                                           defaultValue, file.c_str());
  return static_cast<std::int32_t>(value);
}

bool writeProfileString(const std::filesystem::path& file, std::string_view section,
                        std::string_view key, std::string_view value) {
  return WritePrivateProfileStringW(fromAnsi(section).c_str(), fromAnsi(key).c_str(),
                                    fromAnsi(value).c_str(), file.c_str()) != FALSE;
}

}  // namespace corvane::settings
