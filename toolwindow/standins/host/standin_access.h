#pragma once

// How the stand-in's operations look behind the handles they are given:
// every handle is checked the way a host checks its objects (made here,
// still there, of the right document), named for the log, and converted
// between the page's millimetres and the document's measuring state.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "toolwindow/host/drawing_host.h"
#include "toolwindow/standins/host/standin_model.h"

namespace corvane::standin {

using host::HostError;
using host::HostResult;
using host::HostStatus;

inline constexpr const char* kInvalidObject = "Invalid object: it was not made by this host.";
inline constexpr const char* kDeleted = "The object has been deleted.";
inline constexpr const char* kClosed = "The document has been closed.";
inline constexpr const char* kNoDocument = "No document is open.";
inline constexpr const char* kOtherDocument = "The object belongs to another document.";

using ShapePtr = std::shared_ptr<ShapeData>;
using LayerPtr = std::shared_ptr<LayerData>;
using DocumentPtr = std::shared_ptr<DocumentData>;

// The object behind a handle, when this host made it; null otherwise.
template <class Object, class Handle>
Object* resolve(const HostState& state, const Handle& handle) {
  auto* object = dynamic_cast<Object*>(handle.get());
  return object != nullptr && object->owner == &state ? object : nullptr;
}

// A handle to a new object of this host.
template <class Handle, class Object>
Handle handleOf(HostState& state, std::shared_ptr<Object> object) {
  object->owner = &state;
  return Handle(std::move(object));
}

// A handle named by its kind in the log: "curve", "filter", ...
template <class Object, class Handle>
std::string describeAs(const HostState& state, const Handle& handle, const char* what) {
  if (!handle) return "Nothing";
  return resolve<Object>(state, handle) ? std::string(what) : "invalid " + std::string(what);
}

HostError failure(std::string_view operation, std::string text);

// --- Units of the measuring state

std::optional<double> millimetresPerUnit(std::int32_t code);
double unitOf(const DocumentData& document);
host::Point toDocument(const DocumentData& document, host::Point page);
host::Point toPage(const DocumentData& document, host::Point point);
// The point of the box that a reference code names.
host::Point referencePoint(const host::Box& box, std::int32_t code);

// --- Arguments in the log

std::string describe(const HostState& state, const host::Document& handle);
std::string describe(const HostState& state, const host::Layer& handle);
std::string describe(const HostState& state, const host::Shape& handle);
std::string describe(const HostState& state, const host::ShapeRange& handle);
std::string describe(const HostState& state, const host::Colour& handle);

// --- Handles checked: the object, or the host's complaint about it

HostResult<DocumentPtr> liveDocument(const HostState& state, std::string_view operation,
                                     const host::Document& handle);
HostResult<DocumentPtr> activeDocument(const HostState& state, std::string_view operation);
HostResult<LayerPtr> liveLayer(const HostState& state, std::string_view operation,
                               const host::Layer& handle);
HostResult<ShapePtr> liveShape(const HostState& state, std::string_view operation,
                               const host::Shape& handle);
// Every shape of the range, each still there.
HostResult<std::vector<ShapePtr>> liveShapes(const HostState& state, std::string_view operation,
                                             const host::ShapeRange& handle);
HostResult<std::shared_ptr<CurveData>> liveCurve(const HostState& state, std::string_view operation,
                                                 const host::Curve& handle);
DocumentPtr documentOf(const ShapeData& shape);

// --- New handles

host::ShapeRange rangeOf(HostState& state, std::vector<ShapePtr> shapes,
                         const DocumentPtr& document);
host::Shape shapeHandle(HostState& state, ShapePtr shape);
host::Layer layerHandle(HostState& state, LayerPtr layer);

// The complaint about a colour value outside 0..100, if any.
std::optional<std::string> badCmyk(std::int32_t c, std::int32_t m, std::int32_t y, std::int32_t k);

}  // namespace corvane::standin
