#pragma once

#include <windows.h>

#include "toolwindow/standins/host/standin_host.h"

// The server's window: the active page's shapes drawn in their outline
// colours (bitmaps as grey pixels), and beside them the list of layers and
// shapes. It shows what the host holds after every call.
namespace corvane::standin_server {

inline constexpr const wchar_t* kWindowCaption = L"Corvane stand-in host";

// Null when there is no display.
HWND createDocumentWindow(const standin::StandInHost& host);
void refreshDocumentWindow(HWND window);

}  // namespace corvane::standin_server
