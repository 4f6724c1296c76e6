#pragma once

#include <windows.h>
#include <oaidl.h>

#include <memory>
#include <utility>

#include "toolwindow/binding/com_ref_win32.h"
#include "toolwindow/host/host_handles.h"
#include "toolwindow/host/host_result.h"

namespace corvane::host {

// What a handle of the automation binding holds: one reference to the host
// object, released with the last copy of the handle.
class DispatchObject final : public HostObject {
 public:
  explicit DispatchObject(ComRef<IDispatch> object) : object_(std::move(object)) {}
  IDispatch* get() const { return object_.get(); }

 private:
  ComRef<IDispatch> object_;
};

// The object behind a handle this binding made; null for an empty handle or
// one from another host.
template <class Kind>
IDispatch* DispatchOf(const HostHandle<Kind>& handle) {
  const auto* object = dynamic_cast<const DispatchObject*>(handle.get());
  return object ? object->get() : nullptr;
}

template <class Handle>
Handle Wrap(ComRef<IDispatch> object) {
  return Handle(std::make_shared<DispatchObject>(std::move(object)));
}

template <class Handle>
HostResult<Handle> Wrapped(HostResult<ComRef<IDispatch>> object) {
  if (!object) return object.error();
  return Wrap<Handle>(std::move(object.value()));
}

}  // namespace corvane::host
