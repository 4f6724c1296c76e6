#pragma once

#include <windows.h>
#include <winspool.h>

#include <utility>

// Owners of the Win32 handles the programs hold, one move-only type a kind.
namespace corvane {

// A move-only owner of one Win32 handle kind. Traits name the value that
// means "no handle" and how to close one.
template <typename Traits>
class UniqueWin32 {
 public:
  using Handle = typename Traits::Handle;

  UniqueWin32() = default;
  explicit UniqueWin32(Handle handle) : handle_(handle) {}
  ~UniqueWin32() { reset(); }
  UniqueWin32(UniqueWin32&& other) noexcept : handle_(other.release()) {}
  UniqueWin32& operator=(UniqueWin32&& other) noexcept {
    if (this != &other) {
      reset();
      handle_ = other.release();
    }
    return *this;
  }
  UniqueWin32(const UniqueWin32&) = delete;
  UniqueWin32& operator=(const UniqueWin32&) = delete;

  Handle get() const { return handle_; }
  explicit operator bool() const { return handle_ != Traits::invalid(); }
  Handle release() { return std::exchange(handle_, Traits::invalid()); }
  // Closes now, with the result of the close, for callers that must know it.
  bool close() { return *this ? Traits::close(release()) : true; }
  void reset() { close(); }

 private:
  Handle handle_ = Traits::invalid();
};

// Most kinds: null means none, and the close reports with a BOOL.
template <typename H, auto Close>
struct NullHandleTraits {
  using Handle = H;
  static Handle invalid() { return nullptr; }
  static bool close(Handle handle) { return Close(handle) != FALSE; }
};

// Mutexes, processes, threads, snapshots (which fail with
// INVALID_HANDLE_VALUE; callers turn that into null).
using UniqueKernelHandle = UniqueWin32<NullHandleTraits<HANDLE, CloseHandle>>;
using UniquePrinterHandle = UniqueWin32<NullHandleTraits<HANDLE, ClosePrinter>>;
using UniqueLibrary = UniqueWin32<NullHandleTraits<HMODULE, FreeLibrary>>;
using UniqueIcon = UniqueWin32<NullHandleTraits<HICON, DestroyIcon>>;
using UniqueFont = UniqueWin32<NullHandleTraits<HFONT, DeleteObject>>;

// Files and COM ports: INVALID_HANDLE_VALUE, not null, means none.
struct FileHandleTraits : NullHandleTraits<HANDLE, CloseHandle> {
  static Handle invalid() { return INVALID_HANDLE_VALUE; }
};
using UniqueFileHandle = UniqueWin32<FileHandleTraits>;

// Registry keys close with a status code.
struct RegistryKeyTraits {
  using Handle = HKEY;
  static Handle invalid() { return nullptr; }
  static bool close(Handle key) { return RegCloseKey(key) == ERROR_SUCCESS; }
};
using UniqueRegistryKey = UniqueWin32<RegistryKeyTraits>;

}  // namespace corvane
