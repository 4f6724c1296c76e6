#pragma once

#include <memory>
#include <utility>

namespace corvane::host {

// What a host implementation keeps behind a handle: a stand-in object, or
// an automation object that is released when the last handle goes.
class HostObject {
 public:
  virtual ~HostObject() = default;
};

// A typed reference to one host object. The implementation that made it
// owns what lies behind it and is the only one that looks inside; callers
// only pass handles back to the host that gave them. Copies share the
// object; dropping the last copy releases it, so an operation that keeps
// its handles local releases every host object when it ends.
template <class Kind>
class HostHandle {
 public:
  HostHandle() = default;
  explicit HostHandle(std::shared_ptr<HostObject> object) : object_(std::move(object)) {}

  explicit operator bool() const { return object_ != nullptr; }
  HostObject* get() const { return object_.get(); }

 private:
  std::shared_ptr<HostObject> object_;
};

using Document = HostHandle<struct DocumentKind>;
using Layer = HostHandle<struct LayerKind>;
using Shape = HostHandle<struct ShapeKind>;
using ShapeRange = HostHandle<struct ShapeRangeKind>;
using Curve = HostHandle<struct CurveKind>;
using Subpath = HostHandle<struct SubpathKind>;
using Colour = HostHandle<struct ColourKind>;
using ExportOptions = HostHandle<struct ExportOptionsKind>;
using ExportFilter = HostHandle<struct ExportFilterKind>;
using Vectorising = HostHandle<struct VectorisingKind>;
using Effect = HostHandle<struct EffectKind>;

}  // namespace corvane::host
