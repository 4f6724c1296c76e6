// The application, document and layer operations of the stand-in host.
// Each operation is logged first, then fails if a test asked for it, then
// checks its handles, and only then changes the document.

#include "toolwindow/standins/host/standin_host.h"

#include <algorithm>
#include <string>
#include <utility>

#include "toolwindow/standins/host/standin_access.h"
#include "toolwindow/standins/host/standin_plt.h"
#include "toolwindow/standins/host/whole_file.h"

namespace corvane::standin {
namespace {

std::string describe(const host::FilterValue& value) {
  if (const auto* d = std::get_if<double>(&value)) return "double " + argument(*d);
  if (const auto* i = std::get_if<std::int16_t>(&value)) return "int16 " + std::to_string(*i);
  return "bool " + argument(std::get<bool>(value));
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
  if (const HostStatus written = writeWholeFile(object->file, pltText(shapes, object->settings));
      !written) {
    return failure(__func__, written.error().text);
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

}  // namespace corvane::standin
