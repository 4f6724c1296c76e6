#include "toolwindow/standins/host/standin_access.h"

namespace corvane::standin {

HostError failure(std::string_view operation, std::string text) {
  return HostError{std::string(operation), std::move(text)};
}

// --- Units of the measuring state -------------------------------------------

std::optional<double> millimetresPerUnit(std::int32_t code) {
  switch (code) {
    case 0:
      return 0.0001;  // tenths of a micron
    case 1:
      return 25.4;  // inches
    case 2:
      return 304.8;  // feet
    case 3:
      return 1.0;  // millimetres
    case 4:
      return 10.0;  // centimetres
    case 5:
      return 25.4 / 96.0;  // pixels
    case 7:
      return 1000.0;  // metres
    case 14:
      return 25.4 / 72.0;  // points
    default:
      return std::nullopt;
  }
}

double unitOf(const DocumentData& document) {
  return millimetresPerUnit(document.measuring.unitCode).value_or(1.0);
}

host::Point toDocument(const DocumentData& document, host::Point page) {
  const double unit = unitOf(document);
  return {(page.x - document.measuring.originX) / unit,
          (page.y - document.measuring.originY) / unit};
}

host::Point toPage(const DocumentData& document, host::Point point) {
  const double unit = unitOf(document);
  return {point.x * unit + document.measuring.originX, point.y * unit + document.measuring.originY};
}

// The point of the box that a reference code names.
host::Point referencePoint(const host::Box& box, std::int32_t code) {
  const double midX = (box.left + box.right) / 2;
  const double midY = (box.top + box.bottom) / 2;
  switch (code) {
    case 1:
      return {box.right, box.top};
    case 2:
      return {midX, box.top};
    case 3:
      return {box.left, box.top};
    case 4:
      return {box.left, midY};
    case 5:
      return {box.left, box.bottom};
    case 6:
      return {midX, box.bottom};
    case 7:
      return {box.right, box.bottom};
    case 8:
      return {box.right, midY};
    default:
      return {midX, midY};
  }
}

// --- Arguments in the log ------------------------------------------------------

std::string describe(const HostState& state, const host::Document& handle) {
  const auto* object = resolve<DocumentObject>(state, handle);
  return object ? "document " + quotedText(object->data->name) : "invalid document";
}

std::string describe(const HostState& state, const host::Layer& handle) {
  const auto* object = resolve<LayerObject>(state, handle);
  return object ? "layer " + quotedText(object->data->name) : "invalid layer";
}

std::string describe(const HostState& state, const host::Shape& handle) {
  const auto* object = resolve<ShapeObject>(state, handle);
  return object ? "shape " + quotedText(object->data->name) : "invalid shape";
}

std::string describe(const HostState& state, const host::ShapeRange& handle) {
  const auto* object = resolve<RangeObject>(state, handle);
  if (!object) return "invalid range";
  std::string text = "range [";
  for (std::size_t i = 0; i < object->shapes.size(); ++i) {
    text += (i > 0 ? ", " : "") + quotedText(object->shapes[i]->name);
  }
  return text + "]";
}

std::string describe(const HostState& state, const host::Colour& handle) {
  if (!handle) return "Nothing";
  const auto* object = resolve<ColourObject>(state, handle);
  return object ? cmykText(object->cmyk) : "invalid colour";
}

// --- Handles checked --------------------------------------------------------------

HostResult<DocumentPtr> liveDocument(const HostState& state, std::string_view operation,
                                     const host::Document& handle) {
  const auto* object = resolve<DocumentObject>(state, handle);
  if (!object) return failure(operation, kInvalidObject);
  if (object->data->closed) return failure(operation, kClosed);
  return object->data;
}

HostResult<DocumentPtr> activeDocument(const HostState& state, std::string_view operation) {
  if (!state.active) return failure(operation, kNoDocument);
  return state.active;
}

HostResult<LayerPtr> liveLayer(const HostState& state, std::string_view operation,
                               const host::Layer& handle) {
  const auto* object = resolve<LayerObject>(state, handle);
  if (!object) return failure(operation, kInvalidObject);
  const auto document = object->data->document.lock();
  if (!document || document->closed) return failure(operation, kClosed);
  if (object->data->removed) return failure(operation, kDeleted);
  return object->data;
}

HostResult<ShapePtr> liveShape(const HostState& state, std::string_view operation,
                               const host::Shape& handle) {
  const auto* object = resolve<ShapeObject>(state, handle);
  if (!object) return failure(operation, kInvalidObject);
  const auto document = object->data->document.lock();
  if (!document || document->closed) return failure(operation, kClosed);
  if (object->data->removed) return failure(operation, kDeleted);
  return object->data;
}

// Every shape of the range, each still there.
HostResult<std::vector<ShapePtr>> liveShapes(const HostState& state, std::string_view operation,
                                             const host::ShapeRange& handle) {
  const auto* object = resolve<RangeObject>(state, handle);
  if (!object) return failure(operation, kInvalidObject);
  const auto document = object->document.lock();
  if (!document || document->closed) return failure(operation, kClosed);
  for (const ShapePtr& shape : object->shapes) {
    if (shape->removed) return failure(operation, kDeleted);
  }
  return object->shapes;
}

HostResult<std::shared_ptr<CurveData>> liveCurve(const HostState& state, std::string_view operation,
                                                 const host::Curve& handle) {
  const auto* object = resolve<CurveObject>(state, handle);
  if (!object) return failure(operation, kInvalidObject);
  const auto document = object->data->document.lock();
  if (!document || document->closed) return failure(operation, kClosed);
  return object->data;
}

DocumentPtr documentOf(const ShapeData& shape) { return shape.document.lock(); }

host::ShapeRange rangeOf(HostState& state, std::vector<ShapePtr> shapes,
                         const DocumentPtr& document) {
  auto range = std::make_shared<RangeObject>();
  range->shapes = std::move(shapes);
  range->document = document;
  return handleOf<host::ShapeRange>(state, std::move(range));
}

host::Shape shapeHandle(HostState& state, ShapePtr shape) {
  auto object = std::make_shared<ShapeObject>();
  object->data = std::move(shape);
  return handleOf<host::Shape>(state, std::move(object));
}

host::Layer layerHandle(HostState& state, LayerPtr layer) {
  auto object = std::make_shared<LayerObject>();
  object->data = std::move(layer);
  return handleOf<host::Layer>(state, std::move(object));
}

std::optional<std::string> badCmyk(std::int32_t c, std::int32_t m, std::int32_t y, std::int32_t k) {
  for (const std::int32_t v : {c, m, y, k}) {
    if (v < 0 || v > 100) return "Invalid colour value: " + std::to_string(v);
  }
  return std::nullopt;
}

}  // namespace corvane::standin
