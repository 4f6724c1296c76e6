#pragma once

#include <windows.h>

#include "output/transport/system_error.h"

namespace corvane {

// The failed step with GetLastError() and the system's wording for it; call
// right after the failing call, before anything else can change the code.
SystemError lastWin32Error(const char* step);
SystemError win32Error(const char* step, DWORD code);

}  // namespace corvane
