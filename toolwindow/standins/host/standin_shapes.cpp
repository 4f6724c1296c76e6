// The shape range, shape and curve operations of the stand-in host, logged
// and checked as the others are; their geometry is standin_geometry's.

#include <cmath>
#include <numbers>
#include <string>
#include <utility>

#include "toolwindow/standins/host/standin_access.h"
#include "toolwindow/standins/host/standin_geometry.h"
#include "toolwindow/standins/host/standin_host.h"

namespace corvane::standin {
namespace {

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

}  // namespace

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

HostResult<host::ShapeRange> StandInHost::FinishVectorising(const host::Vectorising& vectorising) {
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
  return rangeOf(*state_, std::move(traced), document);
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
