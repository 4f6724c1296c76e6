#include "toolwindow/binding/hresult_text_win32.h"

#include <cstdio>
#include <string_view>

#include "common/win32/wide_text.h"

namespace corvane::host {

namespace {

// RPC_S_* are Win32 codes; COM hands them over as HRESULTs of FACILITY_WIN32.
constexpr HRESULT kServerUnavailable = HRESULT_FROM_WIN32(RPC_S_SERVER_UNAVAILABLE);  // 0x800706BA
constexpr HRESULT kCallFailed = HRESULT_FROM_WIN32(RPC_S_CALL_FAILED);                // 0x800706BE

std::string SystemWords(HRESULT hr) {
  wchar_t* buffer = nullptr;
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, static_cast<DWORD>(hr), 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  if (length == 0 || !buffer) return {};
  std::wstring_view words(buffer, length);
  while (!words.empty() && (words.back() == L'\r' || words.back() == L'\n' ||
                            words.back() == L' ' || words.back() == L'.')) {
    words.remove_suffix(1);
  }
  std::string text = utf8Text(words);
  LocalFree(buffer);
  return text;
}

}  // namespace

std::string HresultText(HRESULT hr) {
  char code[16];
  std::snprintf(code, sizeof code, "0x%08lX", static_cast<unsigned long>(hr));
  const std::string words = SystemWords(hr);
  return words.empty() ? std::string(code) : words + " (" + code + ")";
}

bool IsLostConnection(HRESULT hr) {
  return hr == RPC_E_DISCONNECTED || hr == kServerUnavailable || hr == kCallFailed ||
         hr == CO_E_OBJNOTCONNECTED || hr == RPC_E_SERVER_DIED || hr == RPC_E_SERVER_DIED_DNE;
}

bool IsBusyRefusal(HRESULT hr) {
  return hr == RPC_E_CALL_REJECTED || hr == RPC_E_SERVERCALL_RETRYLATER;
}

}  // namespace corvane::host
