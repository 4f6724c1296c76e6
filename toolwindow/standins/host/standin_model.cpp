#include "toolwindow/standins/host/standin_model.h"

#include <algorithm>
#include <utility>

namespace corvane::standin {

std::shared_ptr<DocumentData> makeDocument(HostState& state, std::string name) {
  auto document = std::make_shared<DocumentData>();
  document->name = std::move(name);
  auto page = std::make_shared<PageData>();
  document->pages.push_back(page);
  document->currentLayer = makeLayer(document, page, "Layer 1");
  state.documents.push_back(document);
  state.active = document;
  return document;
}

std::shared_ptr<LayerData> makeLayer(const std::shared_ptr<DocumentData>& document,
                                     const std::shared_ptr<PageData>& page, std::string name) {
  auto layer = std::make_shared<LayerData>();
  layer->name = std::move(name);
  layer->page = page;
  layer->document = document;
  page->layers.push_back(layer);
  return layer;
}

std::shared_ptr<ShapeData> placeShape(HostState& state, const std::shared_ptr<LayerData>& layer,
                                      std::string name, std::vector<Path> paths) {
  auto shape = std::make_shared<ShapeData>();
  shape->id = state.nextShapeId++;
  shape->name = std::move(name);
  shape->paths = std::move(paths);
  shape->layer = layer;
  shape->document = layer->document;
  layer->shapes.push_back(shape);
  return shape;
}

std::shared_ptr<ShapeData> placeShapeBelow(HostState& state, const ShapeData& above,
                                           std::vector<Path> paths) {
  const std::shared_ptr<LayerData> layer = above.layer.lock();
  auto shape = placeShape(state, layer, "", std::move(paths));
  layer->shapes.pop_back();
  const auto at = std::find_if(layer->shapes.begin(), layer->shapes.end(),
                               [&](const auto& s) { return s.get() == &above; });
  layer->shapes.insert(at, shape);
  return shape;
}

void removeShape(ShapeData& shape) {
  shape.removed = true;
  if (const auto document = shape.document.lock()) {
    std::erase_if(document->selection, [&](const auto& s) { return s.get() == &shape; });
  }
  if (const auto layer = shape.layer.lock()) {
    std::erase_if(layer->shapes, [&](const auto& s) { return s.get() == &shape; });
  }
}

void removeLayer(LayerData& layer) {
  const auto shapes = layer.shapes;
  for (const auto& shape : shapes) removeShape(*shape);
  layer.removed = true;
  const auto page = layer.page.lock();
  if (page) std::erase_if(page->layers, [&](const auto& l) { return l.get() == &layer; });
  const auto document = layer.document.lock();
  if (document && document->currentLayer.lock().get() == &layer) {
    // The host makes another layer active: the topmost one left.
    document->currentLayer.reset();
    if (page && !page->layers.empty()) document->currentLayer = page->layers.back();
  }
}

std::shared_ptr<PageData> activePage(const DocumentData& document) {
  if (document.activePage >= document.pages.size()) return nullptr;
  return document.pages[document.activePage];
}

std::shared_ptr<LayerData> currentLayer(DocumentData& document) {
  auto layer = document.currentLayer.lock();
  return layer && !layer->removed ? layer : nullptr;
}

Path rectangle(double left, double bottom, double right, double top) {
  return Path{{{left, bottom}, {right, bottom}, {right, top}, {left, top}}, true};
}

host::Box boxOf(const ShapeData& shape) {
  if (shape.bitmap) {
    const BitmapMask& mask = *shape.bitmap;
    std::size_t columns = 0;
    for (const std::string& row : mask.rows) columns = std::max(columns, row.size());
    return host::Box{mask.left, mask.left + static_cast<double>(columns) * mask.pixelSize, mask.top,
                     mask.top - static_cast<double>(mask.rows.size()) * mask.pixelSize};
  }
  bool first = true;
  host::Box box;
  for (const Path& path : shape.paths) {
    for (const host::Point& p : path.points) {
      if (first) {
        box = host::Box{p.x, p.x, p.y, p.y};
        first = false;
      }
      box.left = std::min(box.left, p.x);
      box.right = std::max(box.right, p.x);
      box.top = std::max(box.top, p.y);
      box.bottom = std::min(box.bottom, p.y);
    }
  }
  return box;
}

std::optional<host::Box> boxOf(const std::vector<std::shared_ptr<ShapeData>>& shapes) {
  std::optional<host::Box> all;
  for (const auto& shape : shapes) {
    const host::Box box = boxOf(*shape);
    if (!all) {
      all = box;
      continue;
    }
    all->left = std::min(all->left, box.left);
    all->right = std::max(all->right, box.right);
    all->top = std::max(all->top, box.top);
    all->bottom = std::min(all->bottom, box.bottom);
  }
  return all;
}

std::vector<Path> areaPaths(const ShapeData& shape) {
  if (!shape.bitmap) return shape.paths;
  const host::Box box = boxOf(shape);
  return {rectangle(box.left, box.bottom, box.right, box.top)};
}

ShapeView viewOf(const ShapeData& shape) {
  ShapeView view;
  view.name = shape.name;
  if (const auto layer = shape.layer.lock()) view.layer = layer->name;
  view.bitmap = shape.bitmap.has_value();
  view.paths = shape.paths;
  if (shape.bitmap) view.mask = *shape.bitmap;
  view.outline = shape.outline;
  view.outlineWidth = shape.outlineWidth;
  view.box = boxOf(shape);
  return view;
}

}  // namespace corvane::standin
