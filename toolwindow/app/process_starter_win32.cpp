#include <windows.h>

#include "toolwindow/app/process_starter_win32.h"

#include "common/win32/unique_handle.h"
#include "common/win32/wide_text.h"

namespace corvane::toolwindow {

namespace {

std::string systemReason(DWORD code) {
  wchar_t* text = nullptr;
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  std::wstring reason = length ? std::wstring(text, length) : std::wstring();
  if (text) LocalFree(text);
  while (!reason.empty() && (reason.back() == L'\n' || reason.back() == L'\r' ||
                             reason.back() == L' ' || reason.back() == L'.')) {
    reason.pop_back();
  }
  return utf8Text(reason) + " (error " + std::to_string(code) + ")";
}

}  // namespace

ToolStatus ProcessStarter::Start(const std::filesystem::path& program) {
  // No arguments: the command line holds only the program's own name.
  std::wstring commandLine = L"\"" + program.wstring() + L"\"";
  const std::wstring folder = program.parent_path().wstring();
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION started{};
  if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      folder.empty() ? nullptr : folder.c_str(), &startup, &started)) {
    return StartFailure(program, systemReason(GetLastError()));
  }
  const UniqueKernelHandle process(started.hProcess);
  const UniqueKernelHandle thread(started.hThread);
  return {};
}

}  // namespace corvane::toolwindow
