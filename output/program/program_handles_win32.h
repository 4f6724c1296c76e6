#pragma once

#include <windows.h>

#include "output/transport/win32_handles.h"

// Owners of the handles the output program itself holds.
namespace corvane {

// Mutexes, processes, snapshots: null means none (snapshots fail with
// INVALID_HANDLE_VALUE; callers turn that into null).
struct KernelHandleTraits {
  using Handle = HANDLE;
  static Handle invalid() { return nullptr; }
  static bool close(Handle handle) { return CloseHandle(handle) != FALSE; }
};
using UniqueKernelHandle = UniqueWin32<KernelHandleTraits>;

struct LibraryTraits {
  using Handle = HMODULE;
  static Handle invalid() { return nullptr; }
  static bool close(Handle library) { return FreeLibrary(library) != FALSE; }
};
using UniqueLibrary = UniqueWin32<LibraryTraits>;

struct IconTraits {
  using Handle = HICON;
  static Handle invalid() { return nullptr; }
  static bool close(Handle icon) { return DestroyIcon(icon) != FALSE; }
};
using UniqueIcon = UniqueWin32<IconTraits>;

}  // namespace corvane
