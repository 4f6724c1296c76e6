// The stand-in host's own functions for tests: documents, the builder,
// reading back, the log and pictures.

#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <utility>

#include "common/path_text.h"
#include "toolwindow/standins/host/standin_host.h"
#include "toolwindow/standins/host/standin_model.h"
#include "toolwindow/standins/host/standin_plt.h"
#include "toolwindow/standins/host/standin_svg.h"

namespace corvane::standin {
namespace {

[[noreturn]] void mistake(const std::string& what) { throw std::invalid_argument(what); }

DocumentData& activeOf(const HostState& state) {
  if (!state.active) mistake("no document is open");
  return *state.active;
}

std::shared_ptr<PageData> pageOf(const HostState& state) {
  auto page = activePage(activeOf(state));
  if (!page) mistake("the active document has no page");
  return page;
}

std::shared_ptr<LayerData> findLayer(const PageData& page, std::string_view name) {
  for (const auto& layer : page.layers) {
    if (layer->name == name) return layer;
  }
  return nullptr;
}

std::shared_ptr<LayerData> layerFor(const HostState& state, std::string_view name) {
  const auto page = pageOf(state);
  if (auto layer = findLayer(*page, name)) return layer;
  return makeLayer(state.active, page, std::string(name));
}

std::shared_ptr<ShapeData> findShape(const HostState& state, std::string_view layer,
                                     std::string_view name) {
  const auto found = findLayer(*pageOf(state), layer);
  if (!found) mistake("no layer " + std::string(layer));
  for (const auto& shape : found->shapes) {
    if (shape->name == name) return shape;
  }
  mistake("no shape " + std::string(name) + " on layer " + std::string(layer));
}

}  // namespace

StandInHost::StandInHost() : state_(std::make_unique<State>()) { newDocument("Drawing 1"); }

StandInHost::~StandInHost() = default;

void StandInHost::newDocument(std::string_view name) { makeDocument(*state_, std::string(name)); }

host::HostStatus StandInHost::openPltDocument(const std::string& path) {
  std::ifstream in(utf8Path(path), std::ios::binary);
  if (!in) return host::HostError{"openPltDocument", "The file cannot be opened: " + path};
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  auto runs = readPltRuns(text);
  if (!runs) return host::HostError{"openPltDocument", runs.error().text};
  const auto slash = path.find_last_of("/\\");
  const auto document =
      makeDocument(*state_, path.substr(slash == std::string::npos ? 0 : slash + 1));
  const auto layer = currentLayer(*document);
  int number = 0;
  for (Path& run : runs.value()) {
    placeShape(*state_, layer, "Curve " + std::to_string(++number), {std::move(run)});
  }
  return {};
}

void StandInHost::closeAllDocuments() {
  for (const auto& document : state_->documents) document->closed = true;
  state_->documents.clear();
  state_->active.reset();
}

void StandInHost::addPage() {
  DocumentData& document = activeOf(*state_);
  auto page = std::make_shared<PageData>();
  document.pages.push_back(page);
  document.activePage = document.pages.size() - 1;
  document.currentLayer = makeLayer(state_->active, page, "Layer 1");
}

void StandInHost::setActivePage(std::size_t index) {
  DocumentData& document = activeOf(*state_);
  if (index >= document.pages.size()) mistake("no page " + std::to_string(index));
  document.activePage = index;
  if (!document.pages[index]->layers.empty()) {
    document.currentLayer = document.pages[index]->layers.front();
  }
}

void StandInHost::addLayer(std::string_view name, bool printable) {
  makeLayer(state_->active, pageOf(*state_), std::string(name))->printable = printable;
}

void StandInHost::setCurrentLayer(std::string_view name) {
  const auto layer = findLayer(*pageOf(*state_), name);
  if (!layer) mistake("no layer " + std::string(name));
  activeOf(*state_).currentLayer = layer;
}

void StandInHost::addShape(std::string_view layer, std::string_view name, std::vector<Path> paths) {
  placeShape(*state_, layerFor(*state_, layer), std::string(name), std::move(paths));
}

void StandInHost::addRectangle(std::string_view layer, std::string_view name, double left,
                               double bottom, double width, double height) {
  addShape(layer, name, {rectangle(left, bottom, left + width, bottom + height)});
}

void StandInHost::addPolygon(std::string_view layer, std::string_view name,
                             std::vector<host::Point> corners) {
  addShape(layer, name, {Path{std::move(corners), true}});
}

void StandInHost::addLShape(std::string_view layer, std::string_view name, double left,
                            double bottom, double width, double height, double thickness) {
  const double right = left + width;
  const double top = bottom + height;
  addPolygon(layer, name,
             {{left, bottom},
              {right, bottom},
              {right, bottom + thickness},
              {left + thickness, bottom + thickness},
              {left + thickness, top},
              {left, top}});
}

void StandInHost::addOpenLine(std::string_view layer, std::string_view name,
                              std::vector<host::Point> points) {
  addShape(layer, name, {Path{std::move(points), false}});
}

void StandInHost::addBitmap(std::string_view layer, std::string_view name, BitmapMask mask) {
  placeShape(*state_, layerFor(*state_, layer), std::string(name), {})->bitmap = std::move(mask);
}

void StandInHost::setOutline(std::string_view layer, std::string_view name, Cmyk colour,
                             double widthMm) {
  const auto shape = findShape(*state_, layer, name);
  shape->outline = colour;
  shape->outlineWidth = widthMm;
}

void StandInHost::select(const std::vector<std::string>& names) {
  std::vector<std::shared_ptr<ShapeData>> selection;
  for (const std::string& name : names) {
    std::shared_ptr<ShapeData> found;
    for (const auto& layer : pageOf(*state_)->layers) {
      for (const auto& shape : layer->shapes) {
        if (!found && shape->name == name) found = shape;
      }
    }
    if (!found) mistake("no shape " + name + " on the page");
    selection.push_back(found);
  }
  activeOf(*state_).selection = std::move(selection);
}

void StandInHost::selectAll() {
  std::vector<std::shared_ptr<ShapeData>> selection;
  for (const auto& layer : pageOf(*state_)->layers) {
    selection.insert(selection.end(), layer->shapes.begin(), layer->shapes.end());
  }
  activeOf(*state_).selection = std::move(selection);
}

void StandInHost::clearSelection() { activeOf(*state_).selection.clear(); }

std::size_t StandInHost::documentCount() const { return state_->documents.size(); }

std::vector<LayerView> StandInHost::layers() const {
  std::vector<LayerView> views;
  for (const auto& layer : pageOf(*state_)->layers) {
    LayerView view{layer->name, layer->printable, {}};
    for (const auto& shape : layer->shapes) view.shapes.push_back(viewOf(*shape));
    views.push_back(std::move(view));
  }
  return views;
}

ShapeView StandInHost::shape(std::string_view layer, std::string_view name) const {
  return viewOf(*findShape(*state_, layer, name));
}

std::vector<ShapeView> StandInHost::selection() const {
  std::vector<ShapeView> views;
  for (const auto& shape : activeOf(*state_).selection) views.push_back(viewOf(*shape));
  return views;
}

std::string StandInHost::currentLayerName() const {
  if (!state_->active) return {};
  const auto layer = currentLayer(*state_->active);
  return layer ? layer->name : std::string();
}

MeasuringState StandInHost::measuringState() const { return activeOf(*state_).measuring; }

const std::vector<Call>& StandInHost::calls() const { return state_->log.calls(); }

std::vector<std::string> StandInHost::operationsCalled() const {
  std::vector<std::string> names;
  for (const Call& call : state_->log.calls()) names.push_back(call.operation);
  return names;
}

void StandInHost::clearCalls() { state_->log.clear(); }

void StandInHost::failCall(std::string_view operation, int nth, std::string text) {
  state_->log.failCall(operation, nth, std::move(text));
}

void StandInHost::loseHost(std::string_view operation, int nth) {
  state_->log.failCall(operation, nth, "the drawing application was closed",
                       host::HostFailure::Lost);
}

std::string StandInHost::svgPicture() const { return svgOf(layers()); }

host::HostStatus StandInHost::writeSvgPicture(const std::string& path) const {
  std::ofstream out(utf8Path(path), std::ios::binary | std::ios::trunc);
  out << svgPicture();
  out.close();
  if (!out) return host::HostError{"writeSvgPicture", "The file cannot be written: " + path};
  return {};
}

}  // namespace corvane::standin
