#pragma once

#include <windows.h>
#include <unknwn.h>

#include <utility>

namespace corvane::host {

// One counted reference to a COM object, released when it goes. Move-only,
// so a reference can have one owner only and no early return leaks it.
template <class Interface>
class ComRef {
 public:
  ComRef() = default;
  // Takes over a reference the caller already holds.
  explicit ComRef(Interface* adopted) : pointer_(adopted) {}
  ComRef(const ComRef&) = delete;
  ComRef& operator=(const ComRef&) = delete;
  ComRef(ComRef&& other) noexcept : pointer_(std::exchange(other.pointer_, nullptr)) {}
  ComRef& operator=(ComRef&& other) noexcept {
    if (this != &other) {
      reset();
      pointer_ = std::exchange(other.pointer_, nullptr);
    }
    return *this;
  }
  ~ComRef() { reset(); }

  // A reference of its own to an object someone else holds.
  static ComRef Share(Interface* borrowed) {
    if (borrowed) borrowed->AddRef();
    return ComRef(borrowed);
  }

  Interface* get() const { return pointer_; }
  Interface* operator->() const { return pointer_; }
  explicit operator bool() const { return pointer_ != nullptr; }

  // The address for an out parameter; whatever was held is released first.
  Interface** put() {
    reset();
    return &pointer_;
  }
  void** putVoid() { return reinterpret_cast<void**>(put()); }

  void reset() {
    if (pointer_) std::exchange(pointer_, nullptr)->Release();
  }

 private:
  Interface* pointer_ = nullptr;
};

}  // namespace corvane::host
