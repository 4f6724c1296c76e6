#include <windows.h>

#include <string>
#include <vector>

#include "common/settings/profile.h"
#include "common/win32/wide_text.h"

// The system's own profile functions, in their wide form so that Config.ini
// opens in any folder. The file stays an ANSI file: the W functions keep the
// encoding a file has (and make new files ANSI), and every text is turned
// from and back into the ANSI code page at the call, so both programs see
// the bytes they have always seen.
namespace corvane::settings {

std::string readProfileString(const std::filesystem::path& file, std::string_view section,
                              std::string_view key, std::string_view defaultText,
                              std::size_t bufferSize) {
  if (bufferSize == 0) return {};
  // A buffer of bufferSize ANSI bytes holds at most as many characters.
  std::vector<wchar_t> buffer(bufferSize, L'\0');
  GetPrivateProfileStringW(wideFromAnsi(section).c_str(), wideFromAnsi(key).c_str(),
                           wideFromAnsi(defaultText).c_str(), buffer.data(),
                           static_cast<DWORD>(bufferSize), file.c_str());
  std::string text = ansiText(buffer.data());
  // The ANSI call cuts by bytes: a value of double-byte characters too.
  if (text.size() > bufferSize - 1) text.resize(bufferSize - 1);
  return text;
}

std::int32_t readProfileInt(const std::filesystem::path& file, std::string_view section,
                            std::string_view key, std::int32_t defaultValue) {
  const UINT value = GetPrivateProfileIntW(wideFromAnsi(section).c_str(), wideFromAnsi(key).c_str(),
                                           defaultValue, file.c_str());
  return static_cast<std::int32_t>(value);
}

bool writeProfileString(const std::filesystem::path& file, std::string_view section,
                        std::string_view key, std::string_view value) {
  return WritePrivateProfileStringW(wideFromAnsi(section).c_str(), wideFromAnsi(key).c_str(),
                                    wideFromAnsi(value).c_str(), file.c_str()) != FALSE;
}

}  // namespace corvane::settings
