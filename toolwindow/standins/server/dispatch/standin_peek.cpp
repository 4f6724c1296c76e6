#include "toolwindow/standins/server/dispatch/standin_peek.h"

#include "toolwindow/standins/host/standin_access.h"
#include "toolwindow/standins/host/standin_model.h"

namespace corvane::standin_server {
namespace {

template <class Object, class Handle>
const Object* inside(const Handle& handle) {
  return dynamic_cast<const Object*>(handle.get());
}

// The stand-in's unit codes in millimetres (unknown codes count as
// millimetres there too).
double millimetresPerUnit(std::int32_t code) {
  switch (code) {
    case 0:
      return 0.0001;
    case 1:
      return 25.4;
    case 2:
      return 304.8;
    case 4:
      return 10.0;
    case 5:
      return 25.4 / 96.0;
    case 7:
      return 1000.0;
    case 14:
      return 25.4 / 72.0;
    default:
      return 1.0;
  }
}

}  // namespace

bool layerPrintable(const host::Layer& layer) {
  const auto* object = inside<standin::LayerObject>(layer);
  return object && object->data->printable;
}

std::string shapeName(const host::Shape& shape) {
  const auto* object = inside<standin::ShapeObject>(shape);
  return object ? object->data->name : std::string();
}

double outlineWidth(const host::Shape& shape) {
  const auto* object = inside<standin::ShapeObject>(shape);
  return object ? object->data->outlineWidth : 0.0;
}

standin::Cmyk outlineColour(const host::Shape& shape) {
  const auto* object = inside<standin::ShapeObject>(shape);
  return object ? object->data->outline : standin::kBlack;
}

standin::Cmyk colourOf(const host::Colour& colour) {
  const auto* object = inside<standin::ColourObject>(colour);
  return object ? object->cmyk : standin::kBlack;
}

std::optional<host::Box> shapeBox(const host::Shape& shape) {
  const auto* object = inside<standin::ShapeObject>(shape);
  if (!object) return std::nullopt;
  const standin::DocumentPtr document = standin::documentOf(*object->data);
  const std::optional<host::Box> box = standin::boxOf({object->data});
  if (!document || !box) return std::nullopt;
  const host::Point topLeft = standin::toDocument(*document, {box->left, box->top});
  const host::Point bottomRight = standin::toDocument(*document, {box->right, box->bottom});
  return host::Box{topLeft.x, bottomRight.x, topLeft.y, bottomRight.y};
}

DocumentUnits documentUnits(const host::Document& document) {
  const auto* object = inside<standin::DocumentObject>(document);
  if (!object) return {};
  const standin::MeasuringState& state = object->data->measuring;
  const double unit = millimetresPerUnit(state.unitCode);
  return {state.originX / unit, state.originY / unit, state.unitCode, state.referenceCode};
}

void closeSubpath(const host::Subpath& subpath) {
  const auto* object = inside<standin::SubpathObject>(subpath);
  if (!object) return;
  standin::Path& path = object->curve->paths[object->index];
  if (path.points.size() > 2 && path.points.back().x == path.points.front().x &&
      path.points.back().y == path.points.front().y) {
    path.points.pop_back();
  }
  path.closed = true;
}

}  // namespace corvane::standin_server
