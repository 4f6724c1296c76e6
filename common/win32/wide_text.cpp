#include <windows.h>

#include "common/win32/wide_text.h"

namespace corvane {

namespace {

std::wstring wideIn(UINT codePage, std::string_view text) {
  if (text.empty()) return {};
  const int size = static_cast<int>(text.size());
  const int length = MultiByteToWideChar(codePage, 0, text.data(), size, nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(codePage, 0, text.data(), size, wide.data(), length);
  return wide;
}

std::string bytesIn(UINT codePage, std::wstring_view wide) {
  if (wide.empty()) return {};
  const int size = static_cast<int>(wide.size());
  const int length =
      WideCharToMultiByte(codePage, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
  std::string text(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(codePage, 0, wide.data(), size, text.data(), length, nullptr, nullptr);
  return text;
}

}  // namespace

std::wstring wideText(std::string_view utf8) { return wideIn(CP_UTF8, utf8); }
std::string utf8Text(std::wstring_view wide) { return bytesIn(CP_UTF8, wide); }
std::wstring wideFromAnsi(std::string_view ansi) { return wideIn(CP_ACP, ansi); }
std::string ansiText(std::wstring_view wide) { return bytesIn(CP_ACP, wide); }

}  // namespace corvane
