#pragma once

#include <windows.h>

#include <string>
#include <string_view>

// The text of a window's or dialog's control, addressed by id, as UTF-8.
namespace corvane {

// Empty when the window has no such control.
std::string controlText(HWND window, int id);
void setControlText(HWND window, int id, std::string_view text);

}  // namespace corvane
