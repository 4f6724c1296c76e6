#include "output/transport/win32_error.h"

#include <string>

namespace corvane {

SystemError lastWin32Error(const char* step) { return win32Error(step, GetLastError()); }

SystemError win32Error(const char* step, DWORD code) {
  char text[512] = {};
  const DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                      nullptr, code, 0, text, sizeof text, nullptr);
  std::string message(text, length);
  while (!message.empty() && (message.back() == '\n' || message.back() == '\r')) {
    message.pop_back();
  }
  return SystemError{step, static_cast<long>(code), message};
}

}  // namespace corvane
