#pragma once

#include <windows.h>

#include <string>

namespace corvane::host {

// The system's words for a COM or RPC failure followed by its code, as in
// "Class not registered (0x80040154)"; the code alone when the system has no
// words for it.
std::string HresultText(HRESULT hr);

// The host went away: closed or killed since the reference was taken, or
// not reachable at all.
bool IsLostConnection(HRESULT hr);

// The host refused the call because it was busy, past the retry the
// message filter allows.
bool IsBusyRefusal(HRESULT hr);

}  // namespace corvane::host
