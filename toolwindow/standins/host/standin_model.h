#pragma once

// The stand-in host's documents and the objects behind its handles.
//
// Documents own pages, pages own layers, layers own shapes. A handle keeps
// its object alive after the document dropped it; the object is then marked
// removed and every operation on it fails, as on a deleted host object.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "toolwindow/host/drawing_host.h"
#include "toolwindow/host/host_handles.h"
#include "toolwindow/standins/host/standin_call_log.h"
#include "toolwindow/standins/host/standin_host.h"
#include "toolwindow/standins/host/standin_plt.h"

namespace corvane::standin {

struct DocumentData;
struct PageData;
struct LayerData;

struct ShapeData {
  std::uint64_t id = 0;
  std::string name;
  std::vector<Path> paths;
  std::optional<BitmapMask> bitmap;
  Cmyk outline = kBlack;
  double outlineWidth = kDefaultOutlineWidthMm;
  std::weak_ptr<LayerData> layer;
  std::weak_ptr<DocumentData> document;
  bool removed = false;
};

struct LayerData {
  std::string name;
  bool printable = true;
  std::vector<std::shared_ptr<ShapeData>> shapes;  // bottom to top
  std::weak_ptr<PageData> page;
  std::weak_ptr<DocumentData> document;
  bool removed = false;
};

struct PageData {
  std::vector<std::shared_ptr<LayerData>> layers;
};

struct DocumentData {
  std::string name;
  std::vector<std::shared_ptr<PageData>> pages;
  std::size_t activePage = 0;
  std::weak_ptr<LayerData> currentLayer;
  std::vector<std::shared_ptr<ShapeData>> selection;
  MeasuringState measuring;
  bool closed = false;
};

// Every handle's object knows the host that made it, so a handle from
// another host is refused rather than looked into.
struct StandInObject : host::HostObject {
  const void* owner = nullptr;
};

struct DocumentObject : StandInObject {
  std::shared_ptr<DocumentData> data;
};

struct LayerObject : StandInObject {
  std::shared_ptr<LayerData> data;
};

struct ShapeObject : StandInObject {
  std::shared_ptr<ShapeData> data;
};

struct RangeObject : StandInObject {
  std::vector<std::shared_ptr<ShapeData>> shapes;
  std::weak_ptr<DocumentData> document;
};

struct CurveData {
  std::weak_ptr<DocumentData> document;
  std::vector<Path> paths;  // page millimetres
};

struct CurveObject : StandInObject {
  std::shared_ptr<CurveData> data;
};

struct SubpathObject : StandInObject {
  std::shared_ptr<CurveData> curve;
  std::size_t index = 0;
};

struct ColourObject : StandInObject {
  Cmyk cmyk;
};

struct ExportOptionsObject : StandInObject {};

struct FilterObject : StandInObject {
  std::weak_ptr<DocumentData> document;
  std::string file;
  std::vector<std::shared_ptr<ShapeData>> shapes;  // what the export was started with
  PltSettings settings;
  bool finished = false;
};

struct VectorisingObject : StandInObject {
  std::shared_ptr<ShapeData> bitmap;
  host::VectoriseSettings settings;
  bool finished = false;
};

struct EffectObject : StandInObject {
  std::shared_ptr<ShapeData> control;
  std::shared_ptr<ShapeData> contour;
  bool separated = false;
};

// Everything the host holds: its documents, the active one, the log.
struct HostState {
  std::vector<std::shared_ptr<DocumentData>> documents;
  std::shared_ptr<DocumentData> active;
  CallLog log;
  std::uint64_t nextShapeId = 1;
};

struct StandInHost::State : HostState {};

// Model operations shared by the DrawingHost operations and the builder.
std::shared_ptr<DocumentData> makeDocument(HostState& state, std::string name);
// A new layer on top of the page's layers.
std::shared_ptr<LayerData> makeLayer(const std::shared_ptr<DocumentData>& document,
                                     const std::shared_ptr<PageData>& page, std::string name);
// A new shape on top of the layer.
std::shared_ptr<ShapeData> placeShape(HostState& state, const std::shared_ptr<LayerData>& layer,
                                      std::string name, std::vector<Path> paths);
// Just below `above` on its layer.
std::shared_ptr<ShapeData> placeShapeBelow(HostState& state, const ShapeData& above,
                                           std::vector<Path> paths);
void removeShape(ShapeData& shape);
void removeLayer(LayerData& layer);
// The active page of a document; null when it has none.
std::shared_ptr<PageData> activePage(const DocumentData& document);
std::shared_ptr<LayerData> currentLayer(DocumentData& document);

// Geometry boxes leave the outline width out: the marks frame and the DB
// corner of a job are measured from them and must sit on the drawing.
host::Box boxOf(const ShapeData& shape);
std::optional<host::Box> boxOf(const std::vector<std::shared_ptr<ShapeData>>& shapes);
// What a shape encloses for the boundary: a curve's paths, a bitmap's box.
std::vector<Path> areaPaths(const ShapeData& shape);
Path rectangle(double left, double bottom, double right, double top);

ShapeView viewOf(const ShapeData& shape);

}  // namespace corvane::standin
