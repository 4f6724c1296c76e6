// The DrawingHost operations of the stand-in host. Each one is logged first,
// then fails if a test asked for it, then checks its handles the way a host
// checks its objects, and only then changes the document.

#include "toolwindow/standin/standin_host.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <numbers>
#include <optional>
#include <string>
#include <system_error>
#include <utility>

#include "toolwindow/standin/standin_geometry.h"
#include "toolwindow/standin/standin_model.h"
#include "toolwindow/standin/standin_plt.h"

namespace corvane::standin {

using host::HostError;
using host::HostResult;
using host::HostStatus;

namespace {

constexpr const char* kInvalidObject = "Invalid object: it was not made by this host.";
constexpr const char* kDeleted = "The object has been deleted.";
constexpr const char* kClosed = "The document has been closed.";
constexpr const char* kNoDocument = "No document is open.";
constexpr const char* kOtherDocument = "The object belongs to another document.";

using ShapePtr = std::shared_ptr<ShapeData>;
using LayerPtr = std::shared_ptr<LayerData>;
using DocumentPtr = std::shared_ptr<DocumentData>;

template <class Object, class Handle>
Object* resolve(const HostState& state, const Handle& handle) {
  auto* object = dynamic_cast<Object*>(handle.get());
  return object != nullptr && object->owner == &state ? object : nullptr;
}

template <class Handle, class Object>
Handle handleOf(HostState& state, std::shared_ptr<Object> object) {
  object->owner = &state;
  return Handle(std::move(object));
}

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

template <class Object, class Handle>
std::string describeAs(const HostState& state, const Handle& handle, const char* what) {
  if (!handle) return "Nothing";
  return resolve<Object>(state, handle) ? std::string(what) : "invalid " + std::string(what);
}

std::string describe(const host::FilterValue& value) {
  if (const auto* d = std::get_if<double>(&value)) return "double " + argument(*d);
  if (const auto* i = std::get_if<std::int16_t>(&value)) return "int16 " + std::to_string(*i);
  return "bool " + argument(std::get<bool>(value));
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

// The boundary of shapes, placed on the document's current layer.
HostResult<host::Shape> placeBoundary(HostState& state, std::string_view operation,
                                      const std::vector<ShapePtr>& shapes,
                                      std::string_view component, std::string_view command) {
  if (component != "Boundary" || command != "CreateBoundary") {
    return failure(operation, "Unknown custom command.");
  }
  if (shapes.empty()) return failure(operation, "There are no objects to make a boundary of.");
  const DocumentPtr document = documentOf(*shapes.front());
  const LayerPtr layer = currentLayer(*document);
  if (!layer) return failure(operation, "The document has no active layer.");
  std::vector<geometry::Paths> areas;
  for (const ShapePtr& shape : shapes) areas.push_back(areaPaths(*shape));
  HostResult<geometry::Paths> outline = geometry::unionOutline(areas);
  if (!outline) return failure(operation, outline.error().text);
  return shapeHandle(state, placeShape(state, layer, "", std::move(outline).value()));
}

HostResult<geometry::ContourStyle> contourStyle(std::string_view operation,
                                                const host::ContourArguments& arguments) {
  geometry::ContourStyle style;
  switch (arguments.endCapType) {
    case 0:
      style.cap = geometry::ContourStyle::Cap::Flat;
      break;
    case 1:
      style.cap = geometry::ContourStyle::Cap::Round;
      break;
    case 2:
      style.cap = geometry::ContourStyle::Cap::Square;
      break;
    default:
      return failure(operation, "Invalid end cap type.");
  }
  switch (arguments.cornerType) {
    case 0:
    case 1:
      style.join = geometry::ContourStyle::Join::Bevel;
      break;
    case 2:
    case 5:
      style.join = geometry::ContourStyle::Join::Round;
      break;
    case 3:
    case 4:
      style.join = geometry::ContourStyle::Join::Miter;
      break;
    default:
      return failure(operation, "Invalid corner type.");
  }
  // The miter limit is the sharpest corner angle, in degrees, that still
  // gets a miter; at that angle the miter reaches 1 / sin(angle / 2) times
  // the distance.
  if (!(arguments.miterLimit > 0 && arguments.miterLimit < 180)) {
    return failure(operation, "Invalid miter limit.");
  }
  style.miterRatio = 1 / std::sin(arguments.miterLimit * std::numbers::pi / 360);
  return style;
}

// Writes the whole file or nothing: a failed write leaves no partial file
// under the name.
std::optional<std::string> writeWhole(const std::string& path, const std::string& text) {
  const std::string partial = path + ".partial";
  {
    std::ofstream out(partial, std::ios::binary | std::ios::trunc);
    out << text;
    out.close();
    if (!out) {
      std::error_code ignored;
      std::filesystem::remove(partial, ignored);
      return "The file cannot be written: " + path;
    }
  }
  std::error_code error;
  std::filesystem::rename(partial, path, error);
  if (error) {
    std::filesystem::remove(partial, error);
    return "The file cannot be written: " + path;
  }
  return std::nullopt;
}

}  // namespace

// --- Application -------------------------------------------------------------------

HostResult<std::int32_t> StandInHost::CountOpenDocuments() {
  if (auto failed = state_->log.record(__func__, {})) return *failed;
  return static_cast<std::int32_t>(state_->documents.size());
}

HostResult<host::Document> StandInHost::GetActiveDocument() {
  if (auto failed = state_->log.record(__func__, {})) return *failed;
  auto document = activeDocument(*state_, __func__);
  if (!document) return document.error();
  auto object = std::make_shared<DocumentObject>();
  object->data = document.value();
  return handleOf<host::Document>(*state_, std::move(object));
}

HostResult<host::Layer> StandInHost::GetCurrentLayer() {
  if (auto failed = state_->log.record(__func__, {})) return *failed;
  auto document = activeDocument(*state_, __func__);
  if (!document) return document.error();
  LayerPtr layer = currentLayer(*document.value());
  if (!layer) return failure(__func__, "The document has no active layer.");
  return layerHandle(*state_, std::move(layer));
}

HostResult<host::ShapeRange> StandInHost::GetSelectionRange() {
  if (auto failed = state_->log.record(__func__, {})) return *failed;
  auto document = activeDocument(*state_, __func__);
  if (!document) return document.error();
  return rangeOf(*state_, document.value()->selection, document.value());
}

HostResult<host::Colour> StandInHost::NewCmykColour(std::int32_t cyan, std::int32_t magenta,
                                                    std::int32_t yellow, std::int32_t black) {
  if (auto failed = state_->log.record(
          __func__, {argument(cyan), argument(magenta), argument(yellow), argument(black)})) {
    return *failed;
  }
  if (auto bad = badCmyk(cyan, magenta, yellow, black)) return failure(__func__, *bad);
  auto colour = std::make_shared<ColourObject>();
  colour->cmyk = Cmyk{cyan, magenta, yellow, black};
  return handleOf<host::Colour>(*state_, std::move(colour));
}

HostResult<host::Curve> StandInHost::NewCurve(const host::Document& document) {
  if (auto failed = state_->log.record(__func__, {describe(*state_, document)})) return *failed;
  auto owner = liveDocument(*state_, __func__, document);
  if (!owner) return owner.error();
  auto curve = std::make_shared<CurveObject>();
  curve->data = std::make_shared<CurveData>();
  curve->data->document = owner.value();
  return handleOf<host::Curve>(*state_, std::move(curve));
}

HostResult<host::ExportOptions> StandInHost::NewExportOptions() {
  if (auto failed = state_->log.record(__func__, {})) return *failed;
  return handleOf<host::ExportOptions>(*state_, std::make_shared<ExportOptionsObject>());
}

// --- Document ------------------------------------------------------------------------

HostStatus StandInHost::SetMeasuringState(const host::Document& document, double originX,
                                          double originY, std::int32_t unitCode,
                                          std::int32_t referenceCode) {
  if (auto failed = state_->log.record(
          __func__, {describe(*state_, document), argument(originX), argument(originY),
                     argument(unitCode), argument(referenceCode)})) {
    return *failed;
  }
  auto owner = liveDocument(*state_, __func__, document);
  if (!owner) return owner.error();
  if (!millimetresPerUnit(unitCode)) return failure(__func__, "Invalid unit.");
  if (referenceCode < 1 || referenceCode > 9) return failure(__func__, "Invalid reference point.");
  // In this order, as the properties are set: the origin in the units the
  // document has until the unit changes.
  MeasuringState& measuring = owner.value()->measuring;
  const double unit = unitOf(*owner.value());
  measuring.originX = originX * unit;
  measuring.originY = originY * unit;
  measuring.unitCode = unitCode;
  measuring.referenceCode = referenceCode;
  return {};
}

HostStatus StandInHost::SelectShapes(const host::Document& document,
                                     const std::vector<host::Shape>& shapes) {
  std::vector<std::string> arguments{describe(*state_, document)};
  for (const host::Shape& shape : shapes) arguments.push_back(describe(*state_, shape));
  if (auto failed = state_->log.record(__func__, std::move(arguments))) return *failed;
  auto owner = liveDocument(*state_, __func__, document);
  if (!owner) return owner.error();
  std::vector<ShapePtr> selection;
  for (const host::Shape& handle : shapes) {
    auto shape = liveShape(*state_, __func__, handle);
    if (!shape) return shape.error();
    if (documentOf(*shape.value()) != owner.value()) return failure(__func__, kOtherDocument);
    if (std::find(selection.begin(), selection.end(), shape.value()) == selection.end()) {
      selection.push_back(shape.value());
    }
  }
  owner.value()->selection = std::move(selection);
  return {};
}

HostResult<host::ExportFilter> StandInHost::ExportDocument(const host::Document& document,
                                                           std::string_view file,
                                                           std::int32_t filter,
                                                           std::int32_t rangeCode,
                                                           const host::ExportOptions& options) {
  if (auto failed = state_->log.record(
          __func__,
          {describe(*state_, document), quotedText(file), argument(filter), argument(rangeCode),
           describeAs<ExportOptionsObject>(*state_, options, "options")})) {
    return *failed;
  }
  auto owner = liveDocument(*state_, __func__, document);
  if (!owner) return owner.error();
  if (options && !resolve<ExportOptionsObject>(*state_, options)) {
    return failure(__func__, kInvalidObject);
  }
  if (filter != host::kFilterPlt) return failure(__func__, "This host exports only PLT (1281).");
  if (file.empty()) return failure(__func__, "Invalid file name.");
  const DocumentData& source = *owner.value();
  auto started = std::make_shared<FilterObject>();
  started->document = owner.value();
  started->file = std::string(file);
  switch (rangeCode) {
    case 0:  // every page
    case 1:  // the active page
      for (std::size_t i = 0; i < source.pages.size(); ++i) {
        if (rangeCode == 1 && i != source.activePage) continue;
        for (const LayerPtr& layer : source.pages[i]->layers) {
          started->shapes.insert(started->shapes.end(), layer->shapes.begin(), layer->shapes.end());
        }
      }
      break;
    case host::kExportRangeSelection:
      if (source.selection.empty()) return failure(__func__, "Nothing is selected to export.");
      started->shapes = source.selection;
      break;
    default:
      return failure(__func__, "Invalid export range.");
  }
  return handleOf<host::ExportFilter>(*state_, std::move(started));
}

HostStatus StandInHost::SetFilterProperty(const host::ExportFilter& filter, std::string_view name,
                                          const host::FilterValue& value) {
  if (auto failed =
          state_->log.record(__func__, {describeAs<FilterObject>(*state_, filter, "filter"),
                                        quotedText(name), describe(value)})) {
    return *failed;
  }
  auto* object = resolve<FilterObject>(*state_, filter);
  if (!object) return failure(__func__, kInvalidObject);
  if (object->finished) return failure(__func__, "The export has been finished.");
  PltSettings& settings = object->settings;
  const auto* number = std::get_if<double>(&value);
  const auto* integer = std::get_if<std::int16_t>(&value);
  const auto* flag = std::get_if<bool>(&value);
  // An automation server turns a 16-bit integer into a double where one is
  // wanted, but nothing else.
  const bool numeric = number != nullptr || integer != nullptr;
  const double real = number ? *number : integer ? static_cast<double>(*integer) : 0.0;
  const HostError mismatch = failure(__func__, "Type mismatch.");
  const HostError outOfRange = failure(__func__, "Invalid value for " + std::string(name) + ".");
  if (name == "ScaleFactor") {
    if (!numeric) return mismatch;
    if (!(real > 0 && real <= 10000)) return outOfRange;
    settings.scaleFactor = real;
  } else if (name == "PlotterUnits") {
    if (!integer) return mismatch;
    if (*integer <= 0) return outOfRange;
    settings.plotterUnits = *integer;
  } else if (name == "CurveResolution") {
    if (!numeric) return mismatch;
    if (!(real >= 0 && real <= 1)) return outOfRange;
    settings.curveResolution = real;
  } else if (name == "RemoveHiddenLines" || name == "AutomaticWeld") {
    if (!flag) return mismatch;
    (name == "AutomaticWeld" ? settings.automaticWeld : settings.removeHiddenLines) = *flag;
  } else {
    return failure(__func__, "Unknown name.");
  }
  return {};
}

HostStatus StandInHost::FinishExport(const host::ExportFilter& filter) {
  if (auto failed =
          state_->log.record(__func__, {describeAs<FilterObject>(*state_, filter, "filter")})) {
    return *failed;
  }
  auto* object = resolve<FilterObject>(*state_, filter);
  if (!object) return failure(__func__, kInvalidObject);
  if (object->finished) return failure(__func__, "The export has been finished.");
  const DocumentPtr document = object->document.lock();
  if (!document || document->closed) return failure(__func__, kClosed);
  object->finished = true;
  // In stacking order, page by page and layer by layer from the bottom;
  // shapes on layers that do not print are left out, as when printing.
  std::vector<geometry::Paths> shapes;
  for (const auto& page : document->pages) {
    for (const LayerPtr& layer : page->layers) {
      if (!layer->printable) continue;
      for (const ShapePtr& shape : layer->shapes) {
        if (std::find(object->shapes.begin(), object->shapes.end(), shape) ==
                object->shapes.end() ||
            shape->bitmap) {
          continue;
        }
        shapes.push_back(shape->paths);
      }
    }
  }
  if (auto error = writeWhole(object->file, pltText(shapes, object->settings))) {
    return failure(__func__, *error);
  }
  return {};
}

// --- Layers of the active page ------------------------------------------------------

HostResult<std::vector<host::Layer>> StandInHost::ListPageLayers() {
  if (auto failed = state_->log.record(__func__, {})) return *failed;
  auto document = activeDocument(*state_, __func__);
  if (!document) return document.error();
  std::vector<host::Layer> layers;
  if (const auto page = activePage(*document.value())) {
    for (const LayerPtr& layer : page->layers) layers.push_back(layerHandle(*state_, layer));
  }
  return layers;
}

HostResult<host::Layer> StandInHost::FindPageLayer(std::string_view name) {
  if (auto failed = state_->log.record(__func__, {quotedText(name)})) return *failed;
  auto document = activeDocument(*state_, __func__);
  if (!document) return document.error();
  if (const auto page = activePage(*document.value())) {
    for (const LayerPtr& layer : page->layers) {
      if (layer->name == name) return layerHandle(*state_, layer);
    }
  }
  return failure(__func__, "No layer named " + quotedText(name) + " on the page.");
}

HostResult<host::Layer> StandInHost::AddPageLayer(std::string_view name) {
  if (auto failed = state_->log.record(__func__, {quotedText(name)})) return *failed;
  auto document = activeDocument(*state_, __func__);
  if (!document) return document.error();
  const auto page = activePage(*document.value());
  if (!page) return failure(__func__, "The document has no page.");
  return layerHandle(*state_, makeLayer(document.value(), page, std::string(name)));
}

// --- One layer ---------------------------------------------------------------------------

HostResult<std::string> StandInHost::GetLayerName(const host::Layer& layer) {
  if (auto failed = state_->log.record(__func__, {describe(*state_, layer)})) return *failed;
  auto data = liveLayer(*state_, __func__, layer);
  if (!data) return data.error();
  return data.value()->name;
}

HostStatus StandInHost::MakeLayerCurrent(const host::Layer& layer) {
  if (auto failed = state_->log.record(__func__, {describe(*state_, layer)})) return *failed;
  auto data = liveLayer(*state_, __func__, layer);
  if (!data) return data.error();
  data.value()->document.lock()->currentLayer = data.value();
  return {};
}

HostStatus StandInHost::RemoveLayer(const host::Layer& layer) {
  if (auto failed = state_->log.record(__func__, {describe(*state_, layer)})) return *failed;
  auto data = liveLayer(*state_, __func__, layer);
  if (!data) return data.error();
  removeLayer(*data.value());
  return {};
}

HostStatus StandInHost::SetLayerPrintable(const host::Layer& layer, bool printable) {
  if (auto failed = state_->log.record(__func__, {describe(*state_, layer), argument(printable)})) {
    return *failed;
  }
  auto data = liveLayer(*state_, __func__, layer);
  if (!data) return data.error();
  data.value()->printable = printable;
  return {};
}

HostResult<host::ShapeRange> StandInHost::GetLayerShapes(const host::Layer& layer) {
  if (auto failed = state_->log.record(__func__, {describe(*state_, layer)})) return *failed;
  auto data = liveLayer(*state_, __func__, layer);
  if (!data) return data.error();
  return rangeOf(*state_, data.value()->shapes, data.value()->document.lock());
}

HostResult<std::int32_t> StandInHost::CountLayerShapes(const host::Layer& layer) {
  if (auto failed = state_->log.record(__func__, {describe(*state_, layer)})) return *failed;
  auto data = liveLayer(*state_, __func__, layer);
  if (!data) return data.error();
  return static_cast<std::int32_t>(data.value()->shapes.size());
}

HostResult<host::Shape> StandInHost::FindLayerShape(const host::Layer& layer,
                                                    std::string_view name) {
  if (auto failed = state_->log.record(__func__, {describe(*state_, layer), quotedText(name)})) {
    return *failed;
  }
  auto data = liveLayer(*state_, __func__, layer);
  if (!data) return data.error();
  for (const ShapePtr& shape : data.value()->shapes) {
    if (shape->name == name) return shapeHandle(*state_, shape);
  }
  return failure(__func__, "No shape named " + quotedText(name) + " on the layer.");
}

HostResult<host::Shape> StandInHost::PlaceCurveShape(const host::Layer& layer,
                                                     const host::Curve& curve) {
  if (auto failed = state_->log.record(
          __func__, {describe(*state_, layer), describeAs<CurveObject>(*state_, curve, "curve")})) {
    return *failed;
  }
  auto data = liveLayer(*state_, __func__, layer);
  if (!data) return data.error();
  auto paths = liveCurve(*state_, __func__, curve);
  if (!paths) return paths.error();
  if (paths.value()->document.lock() != data.value()->document.lock()) {
    return failure(__func__, kOtherDocument);
  }
  if (paths.value()->paths.empty()) return failure(__func__, "The curve is empty.");
  return shapeHandle(*state_, placeShape(*state_, data.value(), "", paths.value()->paths));
}

// --- Shape ranges ---------------------------------------------------------------------------

HostResult<std::int32_t> StandInHost::RangeCount(const host::ShapeRange& range) {
  if (auto failed = state_->log.record(__func__, {describe(*state_, range)})) return *failed;
  const auto* object = resolve<RangeObject>(*state_, range);
  if (!object) return failure(__func__, kInvalidObject);
  return static_cast<std::int32_t>(object->shapes.size());
}

HostResult<host::Shape> StandInHost::RangeItem(const host::ShapeRange& range, std::int32_t n) {
  if (auto failed = state_->log.record(__func__, {describe(*state_, range), argument(n)})) {
    return *failed;
  }
  const auto* object = resolve<RangeObject>(*state_, range);
  if (!object) return failure(__func__, kInvalidObject);
  if (n < 1 || static_cast<std::size_t>(n) > object->shapes.size()) {
    return failure(__func__, "Index out of range.");
  }
  return shapeHandle(*state_, object->shapes[static_cast<std::size_t>(n - 1)]);
}

HostResult<host::ShapeRange> StandInHost::GetRangeShapes(const host::ShapeRange& range) {
  if (auto failed = state_->log.record(__func__, {describe(*state_, range)})) return *failed;
  const auto* object = resolve<RangeObject>(*state_, range);
  if (!object) return failure(__func__, kInvalidObject);
  return rangeOf(*state_, object->shapes, object->document.lock());
}

HostResult<host::Box> StandInHost::RangeBoundingBox(const host::ShapeRange& range) {
  if (auto failed = state_->log.record(__func__, {describe(*state_, range)})) return *failed;
  auto shapes = liveShapes(*state_, __func__, range);
  if (!shapes) return shapes.error();
  const std::optional<host::Box> box = boxOf(shapes.value());
  if (!box) return failure(__func__, "The range is empty.");
  const DocumentData& document = *documentOf(*shapes.value().front());
  const host::Point topLeft = toDocument(document, {box->left, box->top});
  const host::Point bottomRight = toDocument(document, {box->right, box->bottom});
  return host::Box{topLeft.x, bottomRight.x, topLeft.y, bottomRight.y};
}

HostResult<host::Shape> StandInHost::MergeShapes(const host::ShapeRange& range) {
  if (auto failed = state_->log.record(__func__, {describe(*state_, range)})) return *failed;
  auto shapes = liveShapes(*state_, __func__, range);
  if (!shapes) return shapes.error();
  if (shapes.value().empty()) return failure(__func__, "The range is empty.");
  std::vector<Path> paths;
  for (const ShapePtr& shape : shapes.value()) {
    if (shape->bitmap) return failure(__func__, "Bitmaps cannot be combined.");
    paths.insert(paths.end(), shape->paths.begin(), shape->paths.end());
  }
  const ShapeData& first = *shapes.value().front();
  ShapePtr merged = placeShape(*state_, first.layer.lock(), first.name, std::move(paths));
  merged->outline = first.outline;
  merged->outlineWidth = first.outlineWidth;
  for (const ShapePtr& shape : shapes.value()) removeShape(*shape);
  return shapeHandle(*state_, std::move(merged));
}

HostStatus StandInHost::RemoveShapes(const host::ShapeRange& range) {
  if (auto failed = state_->log.record(__func__, {describe(*state_, range)})) return *failed;
  auto shapes = liveShapes(*state_, __func__, range);
  if (!shapes) return shapes.error();
  for (const ShapePtr& shape : shapes.value()) removeShape(*shape);
  return {};
}

// --- Shapes ----------------------------------------------------------------------------------

HostResult<std::int32_t> StandInHost::GetShapeKind(const host::Shape& shape) {
  if (auto failed = state_->log.record(__func__, {describe(*state_, shape)})) return *failed;
  auto data = liveShape(*state_, __func__, shape);
  if (!data) return data.error();
  constexpr std::int32_t kCurve = 3;
  return data.value()->bitmap ? host::kShapeKindBitmap : kCurve;
}

HostResult<host::Vectorising> StandInHost::VectoriseBitmap(
    const host::Shape& bitmap, const host::VectoriseSettings& settings) {
  if (auto failed = state_->log.record(
          __func__,
          {describe(*state_, bitmap), argument(settings.traceType),
           argument(std::int32_t{settings.smoothing}),
           argument(std::int32_t{settings.detailLevelPercent}), argument(settings.colourMode),
           argument(settings.paletteId), argument(settings.colourCount),
           argument(settings.deleteOriginal), argument(settings.removeBackground),
           argument(settings.removeEntireBackColour)})) {
    return *failed;
  }
  auto data = liveShape(*state_, __func__, bitmap);
  if (!data) return data.error();
  if (!data.value()->bitmap) return failure(__func__, "The shape is not a bitmap.");
  auto vectorising = std::make_shared<VectorisingObject>();
  vectorising->bitmap = data.value();
  vectorising->settings = settings;
  return handleOf<host::Vectorising>(*state_, std::move(vectorising));
}

HostStatus StandInHost::FinishVectorising(const host::Vectorising& vectorising) {
  if (auto failed = state_->log.record(
          __func__, {describeAs<VectorisingObject>(*state_, vectorising, "vectorising")})) {
    return *failed;
  }
  auto* object = resolve<VectorisingObject>(*state_, vectorising);
  if (!object) return failure(__func__, kInvalidObject);
  if (object->finished) return failure(__func__, "The vectorising has been finished.");
  const ShapePtr bitmap = object->bitmap;
  const DocumentPtr document = documentOf(*bitmap);
  if (!document || document->closed) return failure(__func__, kClosed);
  if (bitmap->removed) return failure(__func__, kDeleted);
  const std::vector<geometry::Paths> blobs = geometry::traceMask(*bitmap->bitmap);
  if (blobs.empty()) return failure(__func__, "The bitmap has nothing to trace.");
  object->finished = true;
  std::vector<ShapePtr> traced;
  for (const geometry::Paths& blob : blobs) {
    traced.push_back(placeShape(*state_, bitmap->layer.lock(), "", blob));
  }
  document->selection = traced;
  if (object->settings.deleteOriginal) removeShape(*bitmap);
  return {};
}

HostResult<host::Shape> StandInHost::RunBoundaryCommand(const host::Shape& shape,
                                                        std::string_view component,
                                                        std::string_view command) {
  if (auto failed = state_->log.record(
          __func__, {describe(*state_, shape), quotedText(component), quotedText(command)})) {
    return *failed;
  }
  auto data = liveShape(*state_, __func__, shape);
  if (!data) return data.error();
  return placeBoundary(*state_, __func__, {data.value()}, component, command);
}

HostResult<host::Shape> StandInHost::RunBoundaryCommand(const host::ShapeRange& range,
                                                        std::string_view component,
                                                        std::string_view command) {
  if (auto failed = state_->log.record(
          __func__, {describe(*state_, range), quotedText(component), quotedText(command)})) {
    return *failed;
  }
  auto shapes = liveShapes(*state_, __func__, range);
  if (!shapes) return shapes.error();
  return placeBoundary(*state_, __func__, shapes.value(), component, command);
}

HostResult<host::Shape> StandInHost::CopyShapeToLayer(const host::Shape& shape,
                                                      const host::Layer& layer) {
  if (auto failed =
          state_->log.record(__func__, {describe(*state_, shape), describe(*state_, layer)})) {
    return *failed;
  }
  auto data = liveShape(*state_, __func__, shape);
  if (!data) return data.error();
  auto target = liveLayer(*state_, __func__, layer);
  if (!target) return target.error();
  if (documentOf(*data.value()) != target.value()->document.lock()) {
    return failure(__func__, kOtherDocument);
  }
  const ShapeData& original = *data.value();
  ShapePtr copy = placeShape(*state_, target.value(), original.name, original.paths);
  copy->bitmap = original.bitmap;
  copy->outline = original.outline;
  copy->outlineWidth = original.outlineWidth;
  return shapeHandle(*state_, std::move(copy));
}

HostStatus StandInHost::RemoveShape(const host::Shape& shape) {
  if (auto failed = state_->log.record(__func__, {describe(*state_, shape)})) return *failed;
  auto data = liveShape(*state_, __func__, shape);
  if (!data) return data.error();
  removeShape(*data.value());
  return {};
}

HostStatus StandInHost::SetShapeName(const host::Shape& shape, std::string_view name) {
  if (auto failed = state_->log.record(__func__, {describe(*state_, shape), quotedText(name)})) {
    return *failed;
  }
  auto data = liveShape(*state_, __func__, shape);
  if (!data) return data.error();
  data.value()->name = std::string(name);
  return {};
}

HostStatus StandInHost::SetOutlineCmyk(const host::Shape& shape, std::int32_t cyan,
                                       std::int32_t magenta, std::int32_t yellow,
                                       std::int32_t black) {
  if (auto failed =
          state_->log.record(__func__, {describe(*state_, shape), argument(cyan), argument(magenta),
                                        argument(yellow), argument(black)})) {
    return *failed;
  }
  auto data = liveShape(*state_, __func__, shape);
  if (!data) return data.error();
  if (auto bad = badCmyk(cyan, magenta, yellow, black)) return failure(__func__, *bad);
  data.value()->outline = Cmyk{cyan, magenta, yellow, black};
  return {};
}

HostStatus StandInHost::SetOutlineWidth(const host::Shape& shape, double width) {
  if (auto failed = state_->log.record(__func__, {describe(*state_, shape), argument(width)})) {
    return *failed;
  }
  auto data = liveShape(*state_, __func__, shape);
  if (!data) return data.error();
  if (!(width >= 0 && std::isfinite(width))) return failure(__func__, "Invalid outline width.");
  data.value()->outlineWidth = width * unitOf(*documentOf(*data.value()));
  return {};
}

HostResult<host::Point> StandInHost::ReadShapePosition(const host::Shape& shape) {
  if (auto failed = state_->log.record(__func__, {describe(*state_, shape)})) return *failed;
  auto data = liveShape(*state_, __func__, shape);
  if (!data) return data.error();
  const DocumentData& document = *documentOf(*data.value());
  return toDocument(document,
                    referencePoint(boxOf(*data.value()), document.measuring.referenceCode));
}

HostResult<host::Size> StandInHost::ReadShapeSize(const host::Shape& shape) {
  if (auto failed = state_->log.record(__func__, {describe(*state_, shape)})) return *failed;
  auto data = liveShape(*state_, __func__, shape);
  if (!data) return data.error();
  const host::Box box = boxOf(*data.value());
  const double unit = unitOf(*documentOf(*data.value()));
  return host::Size{(box.right - box.left) / unit, (box.top - box.bottom) / unit};
}

HostResult<host::Effect> StandInHost::AddContourEffect(const host::Shape& shape,
                                                       const host::ContourArguments& arguments) {
  if (auto failed = state_->log.record(
          __func__,
          {describe(*state_, shape), argument(arguments.direction), argument(arguments.offset),
           argument(arguments.steps), argument(arguments.blendType),
           describe(*state_, arguments.outlineColour), describe(*state_, arguments.fillColour),
           describe(*state_, arguments.fillColour2), argument(arguments.spacingAcceleration),
           argument(arguments.colourAcceleration), argument(arguments.endCapType),
           argument(arguments.cornerType), argument(arguments.miterLimit)})) {
    return *failed;
  }
  auto data = liveShape(*state_, __func__, shape);
  if (!data) return data.error();
  ShapeData& control = *data.value();
  if (control.bitmap) return failure(__func__, "A contour cannot be applied to a bitmap.");
  if (arguments.direction != 0 && arguments.direction != 1) {
    return failure(__func__, "This host draws only inside and outside contours.");
  }
  if (arguments.steps != 1) return failure(__func__, "This host draws one contour step.");
  if (!(arguments.offset > 0 && std::isfinite(arguments.offset))) {
    return failure(__func__, "Invalid contour offset.");
  }
  Cmyk outline = kBlack;
  for (const host::Colour* colour :
       {&arguments.outlineColour, &arguments.fillColour, &arguments.fillColour2}) {
    if (*colour && !resolve<ColourObject>(*state_, *colour)) {
      return failure(__func__, kInvalidObject);
    }
  }
  if (const auto* colour = resolve<ColourObject>(*state_, arguments.outlineColour)) {
    outline = colour->cmyk;
  }
  auto style = contourStyle(__func__, arguments);
  if (!style) return style.error();
  const double distance = arguments.offset * unitOf(*documentOf(control));
  auto paths = geometry::offsetOutline(
      control.paths, arguments.direction == 1 ? distance : -distance, style.value());
  if (!paths) return failure(__func__, paths.error().text);
  // The contour lies behind its shape, as a contour group does.
  auto effect = std::make_shared<EffectObject>();
  effect->control = data.value();
  effect->contour = placeShapeBelow(*state_, control, std::move(paths).value());
  effect->contour->outline = outline;
  effect->contour->outlineWidth = control.outlineWidth;
  return handleOf<host::Effect>(*state_, std::move(effect));
}

HostResult<host::ShapeRange> StandInHost::SeparateEffect(const host::Effect& effect) {
  if (auto failed =
          state_->log.record(__func__, {describeAs<EffectObject>(*state_, effect, "effect")})) {
    return *failed;
  }
  auto* object = resolve<EffectObject>(*state_, effect);
  if (!object) return failure(__func__, kInvalidObject);
  const DocumentPtr document = documentOf(*object->control);
  if (!document || document->closed) return failure(__func__, kClosed);
  if (object->separated) return failure(__func__, "The effect has been separated.");
  if (object->control->removed || object->contour->removed) return failure(__func__, kDeleted);
  object->separated = true;
  return rangeOf(*state_, {object->contour, object->control}, document);
}

// --- Curves --------------------------------------------------------------------------------------

HostResult<host::Subpath> StandInHost::BeginSubpath(const host::Curve& curve, double x, double y) {
  if (auto failed = state_->log.record(
          __func__, {describeAs<CurveObject>(*state_, curve, "curve"), argument(x), argument(y)})) {
    return *failed;
  }
  auto data = liveCurve(*state_, __func__, curve);
  if (!data) return data.error();
  const DocumentPtr document = data.value()->document.lock();
  data.value()->paths.push_back(Path{{toPage(*document, {x, y})}, false});
  auto subpath = std::make_shared<SubpathObject>();
  subpath->curve = data.value();
  subpath->index = data.value()->paths.size() - 1;
  return handleOf<host::Subpath>(*state_, std::move(subpath));
}

HostStatus StandInHost::ExtendSubpathLine(const host::Subpath& subpath, double x, double y) {
  if (auto failed = state_->log.record(
          __func__,
          {describeAs<SubpathObject>(*state_, subpath, "subpath"), argument(x), argument(y)})) {
    return *failed;
  }
  auto* object = resolve<SubpathObject>(*state_, subpath);
  if (!object) return failure(__func__, kInvalidObject);
  const DocumentPtr document = object->curve->document.lock();
  if (!document || document->closed) return failure(__func__, kClosed);
  object->curve->paths[object->index].points.push_back(toPage(*document, {x, y}));
  return {};
}

}  // namespace corvane::standin
