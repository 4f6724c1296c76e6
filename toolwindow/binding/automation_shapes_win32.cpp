#include "toolwindow/binding/automation_host_win32.h"

#include <utility>

#include "toolwindow/binding/dispatch_object_win32.h"
#include "toolwindow/binding/host_calls_win32.h"

// Shape ranges, shapes, their effects, and curves.
namespace corvane::host {

using K = ObjectKind;

namespace {

// GetBoundingBox gives the lower-left corner and the size, whatever the
// document's reference point.
HostResult<Box> BoundingBox(HostCalls& calls, IDispatch* target, ObjectKind kind) {
  double x = 0, y = 0, width = 0, height = 0;
  auto status = calls.Run(
      target, kind, L"GetBoundingBox",
      ArgumentList().RealOut(&x).RealOut(&y).RealOut(&width).RealOut(&height).Boolean(false));
  if (!status) return status.error();
  return Box{x, x + width, y + height, y};
}

double Area(const Box& box) { return (box.right - box.left) * (box.top - box.bottom); }

// A new range of the same shapes, in their order: for a host whose ranges
// have no Shapes.
HostResult<ComRef<IDispatch>> CopyOfRange(HostCalls& calls, IDispatch* range) {
  auto app = calls.Application();
  if (!app) return app.error();
  auto copy = calls.Method(app.value().get(), K::Application, L"CreateShapeRange");
  if (!copy) return copy.error();
  auto count = calls.Int32(range, K::ShapeRange, L"Count");
  if (!count) return count.error();
  for (std::int32_t n = 1; n <= count.value(); ++n) {
    auto shape =
        calls.Object(range, K::ShapeRange, L"Item", CallKind::Get, ArgumentList().Int32(n));
    if (!shape) return shape.error();
    if (auto s = calls.Run(copy.value().get(), K::ShapeRange, L"Add",
                           ArgumentList().Object(shape.value().get()));
        !s) {
      return s.error();
    }
  }
  return copy;
}

// The tool window takes the first shape of a separated contour as the
// outside contour and deletes the second. Which one the host puts first is
// not known, so the shape with the larger box, the outside contour, is put
// first here.
HostResult<ComRef<IDispatch>> OutsideContourFirst(HostCalls& calls, ComRef<IDispatch> parts) {
  auto count = calls.Int32(parts.get(), K::ShapeRange, L"Count");
  if (!count) return count.error();
  if (count.value() < 2) return parts;
  auto first =
      calls.Object(parts.get(), K::ShapeRange, L"Item", CallKind::Get, ArgumentList().Int32(1));
  if (!first) return first.error();
  auto second =
      calls.Object(parts.get(), K::ShapeRange, L"Item", CallKind::Get, ArgumentList().Int32(2));
  if (!second) return second.error();
  auto firstBox = BoundingBox(calls, first.value().get(), K::Shape);
  if (!firstBox) return firstBox.error();
  auto secondBox = BoundingBox(calls, second.value().get(), K::Shape);
  if (!secondBox) return secondBox.error();
  if (Area(secondBox.value()) <= Area(firstBox.value())) return parts;

  auto app = calls.Application();
  if (!app) return app.error();
  auto ordered = calls.Method(app.value().get(), K::Application, L"CreateShapeRange");
  if (!ordered) return ordered.error();
  std::vector<ComRef<IDispatch>> shapes;
  shapes.push_back(std::move(second.value()));
  shapes.push_back(std::move(first.value()));
  for (std::int32_t n = 3; n <= count.value(); ++n) {
    auto shape =
        calls.Object(parts.get(), K::ShapeRange, L"Item", CallKind::Get, ArgumentList().Int32(n));
    if (!shape) return shape.error();
    shapes.push_back(std::move(shape.value()));
  }
  for (const ComRef<IDispatch>& shape : shapes) {
    if (auto s = calls.Run(ordered.value().get(), K::ShapeRange, L"Add",
                           ArgumentList().Object(shape.get()));
        !s) {
      return s.error();
    }
  }
  return ordered;
}

}  // namespace

HostResult<std::int32_t> AutomationHost::RangeCount(const ShapeRange& range) {
  HostCalls calls(*this, "RangeCount");
  return calls.Int32(DispatchOf(range), K::ShapeRange, L"Count");
}

HostResult<Shape> AutomationHost::RangeItem(const ShapeRange& range, std::int32_t n) {
  HostCalls calls(*this, "RangeItem");
  return Wrapped<Shape>(calls.Object(DispatchOf(range), K::ShapeRange, L"Item", CallKind::Get,
                                     ArgumentList().Int32(n)));
}

// ShapeRange.Shapes may be missing from older hosts; a range built shape by
// shape is the same thing.
HostResult<ShapeRange> AutomationHost::GetRangeShapes(const ShapeRange& range) {
  HostCalls calls(*this, "GetRangeShapes");
  IDispatch* target = DispatchOf(range);
  InvokeOutcome shapes = calls.Raw(target, K::ShapeRange, L"Shapes", CallKind::Get);
  if (shapes.hr == DISP_E_UNKNOWNNAME) return Wrapped<ShapeRange>(CopyOfRange(calls, target));
  if (FAILED(shapes.hr)) return calls.Failure(shapes, K::ShapeRange, L"Shapes");
  ComRef<IDispatch> collection = ObjectIn(shapes.result);
  if (!collection) return calls.Fail("ShapeRange.Shapes gave no object (Nothing)");
  return Wrapped<ShapeRange>(calls.Method(collection.get(), K::Shapes, L"All"));
}

HostResult<Box> AutomationHost::RangeBoundingBox(const ShapeRange& range) {
  HostCalls calls(*this, "RangeBoundingBox");
  return BoundingBox(calls, DispatchOf(range), K::ShapeRange);
}

HostResult<Shape> AutomationHost::MergeShapes(const ShapeRange& range) {
  HostCalls calls(*this, "MergeShapes");
  return Wrapped<Shape>(calls.Method(DispatchOf(range), K::ShapeRange, L"Combine"));
}

HostStatus AutomationHost::RemoveShapes(const ShapeRange& range) {
  HostCalls calls(*this, "RemoveShapes");
  return calls.Run(DispatchOf(range), K::ShapeRange, L"Delete");
}

HostResult<std::int32_t> AutomationHost::GetShapeKind(const Shape& shape) {
  HostCalls calls(*this, "GetShapeKind");
  return calls.Int32(DispatchOf(shape), K::Shape, L"Type");
}

HostResult<Vectorising> AutomationHost::VectoriseBitmap(const Shape& bitmap,
                                                        const VectoriseSettings& settings) {
  HostCalls calls(*this, "VectoriseBitmap");
  auto image = calls.Object(DispatchOf(bitmap), K::Shape, L"Bitmap");
  if (!image) return image.error();
  return Wrapped<Vectorising>(calls.Method(image.value().get(), K::Bitmap, L"Trace",
                                           ArgumentList()
                                               .Int32(settings.traceType)
                                               .Int16(settings.smoothing)
                                               .Int16(settings.detailLevelPercent)
                                               .Int32(settings.colourMode)
                                               .Int32(settings.paletteId)
                                               .Int32(settings.colourCount)
                                               .Boolean(settings.deleteOriginal)
                                               .Boolean(settings.removeBackground)
                                               .Boolean(settings.removeEntireBackColour)));
}

// The trace works on exactly the shapes Finish gives; a host that gives
// Nothing or an empty range has traced nothing, and its selection may
// still be the operator's own shapes.
HostResult<ShapeRange> AutomationHost::FinishVectorising(const Vectorising& vectorising) {
  HostCalls calls(*this, "FinishVectorising");
  auto made = calls.Method(DispatchOf(vectorising), K::TraceSettings, L"Finish");
  if (!made) return made.error();
  auto count = calls.Int32(made.value().get(), K::ShapeRange, L"Count");
  if (!count) return count.error();
  if (count.value() < 1) return calls.Fail("TraceSettings.Finish gave no shapes");
  return Wrapped<ShapeRange>(std::move(made));
}

HostResult<Shape> AutomationHost::RunBoundaryCommand(const Shape& shape, std::string_view component,
                                                     std::string_view command) {
  HostCalls calls(*this, "RunBoundaryCommand");
  return RunBoundary(calls, DispatchOf(shape), K::Shape, component, command);
}

HostResult<Shape> AutomationHost::RunBoundaryCommand(const ShapeRange& range,
                                                     std::string_view component,
                                                     std::string_view command) {
  HostCalls calls(*this, "RunBoundaryCommand");
  return RunBoundary(calls, DispatchOf(range), K::ShapeRange, component, command);
}

// CustomCommand ends in a parameter array. How the host's dispatcher wants
// it passed empty is not known: first as nothing at all, and when the host
// counts the arguments short, as an empty array; what worked is kept for
// the rest of the connection.
HostResult<Shape> AutomationHost::RunBoundary(HostCalls& calls, IDispatch* target, ObjectKind kind,
                                              std::string_view component,
                                              std::string_view command) {
  auto arguments = [&]() -> ArgumentList {
    if (boundaryTakesEmptyArray_) return ArgumentList().Text(component).Text(command).EmptyArray();
    return ArgumentList().Text(component).Text(command);
  };
  InvokeOutcome made = calls.Raw(target, kind, L"CustomCommand", CallKind::Method, arguments());
  if (made.hr == DISP_E_BADPARAMCOUNT && !boundaryTakesEmptyArray_) {
    boundaryTakesEmptyArray_ = true;
    made = calls.Raw(target, kind, L"CustomCommand", CallKind::Method, arguments());
    if (FAILED(made.hr)) boundaryTakesEmptyArray_ = false;
  }
  if (FAILED(made.hr)) return calls.Failure(made, kind, L"CustomCommand");
  ComRef<IDispatch> boundary = ObjectIn(made.result);
  if (!boundary) return calls.Fail(MemberName(kind, L"CustomCommand") + " gave no shape");
  return Wrap<Shape>(std::move(boundary));
}

HostResult<Shape> AutomationHost::CopyShapeToLayer(const Shape& shape, const Layer& layer) {
  HostCalls calls(*this, "CopyShapeToLayer");
  return Wrapped<Shape>(calls.Method(DispatchOf(shape), K::Shape, L"CopyToLayer",
                                     ArgumentList().Object(DispatchOf(layer))));
}

HostStatus AutomationHost::RemoveShape(const Shape& shape) {
  HostCalls calls(*this, "RemoveShape");
  return calls.Run(DispatchOf(shape), K::Shape, L"Delete");
}

HostStatus AutomationHost::SetShapeName(const Shape& shape, std::string_view name) {
  HostCalls calls(*this, "SetShapeName");
  return calls.Put(DispatchOf(shape), K::Shape, L"Name", ArgumentList().Text(name));
}

// Whether the colour Outline.Color gives is the outline's own or a copy is
// not known; assigning it back after the change makes it the outline's
// either way. A host that cannot assign it can only have handed out the
// outline's own.
HostStatus AutomationHost::SetOutlineCmyk(const Shape& shape, std::int32_t cyan,
                                          std::int32_t magenta, std::int32_t yellow,
                                          std::int32_t black) {
  HostCalls calls(*this, "SetOutlineCmyk");
  auto outline = calls.Object(DispatchOf(shape), K::Shape, L"Outline");
  if (!outline) return outline.error();
  auto colour = calls.Object(outline.value().get(), K::Outline, L"Color");
  if (!colour) return colour.error();
  if (auto s = calls.Run(colour.value().get(), K::Colour, L"CMYKAssign",
                         ArgumentList().Int32(cyan).Int32(magenta).Int32(yellow).Int32(black));
      !s) {
    return s;
  }
  InvokeOutcome assigned = calls.Raw(outline.value().get(), K::Outline, L"Color", CallKind::Put,
                                     ArgumentList().Object(colour.value().get()));
  if (SUCCEEDED(assigned.hr) || assigned.hr == DISP_E_MEMBERNOTFOUND) return {};
  return calls.Failure(assigned, K::Outline, L"Color");
}

HostStatus AutomationHost::SetOutlineWidth(const Shape& shape, double width) {
  HostCalls calls(*this, "SetOutlineWidth");
  auto outline = calls.Object(DispatchOf(shape), K::Shape, L"Outline");
  if (!outline) return outline.error();
  return calls.Put(outline.value().get(), K::Outline, L"Width", ArgumentList().Real(width));
}

HostResult<Point> AutomationHost::ReadShapePosition(const Shape& shape) {
  HostCalls calls(*this, "ReadShapePosition");
  Point point;
  auto status = calls.Run(DispatchOf(shape), K::Shape, L"GetPosition",
                          ArgumentList().RealOut(&point.x).RealOut(&point.y));
  if (!status) return status.error();
  return point;
}

HostResult<Size> AutomationHost::ReadShapeSize(const Shape& shape) {
  HostCalls calls(*this, "ReadShapeSize");
  Size size;
  auto status = calls.Run(DispatchOf(shape), K::Shape, L"GetSize",
                          ArgumentList().RealOut(&size.width).RealOut(&size.height));
  if (!status) return status.error();
  return size;
}

HostResult<Effect> AutomationHost::AddContourEffect(const Shape& shape,
                                                    const ContourArguments& arguments) {
  HostCalls calls(*this, "AddContourEffect");
  return Wrapped<Effect>(calls.Method(DispatchOf(shape), K::Shape, L"CreateContour",
                                      ArgumentList()
                                          .Int32(arguments.direction)
                                          .Real(arguments.offset)
                                          .Int32(arguments.steps)
                                          .Int32(arguments.blendType)
                                          .Object(DispatchOf(arguments.outlineColour))
                                          .Object(DispatchOf(arguments.fillColour))
                                          .Object(DispatchOf(arguments.fillColour2))
                                          .Int32(arguments.spacingAcceleration)
                                          .Int32(arguments.colourAcceleration)
                                          .Int32(arguments.endCapType)
                                          .Int32(arguments.cornerType)
                                          .Real(arguments.miterLimit)));
}

HostResult<ShapeRange> AutomationHost::SeparateEffect(const Effect& effect) {
  HostCalls calls(*this, "SeparateEffect");
  auto parts = calls.Method(DispatchOf(effect), K::Effect, L"Separate");
  if (!parts) return parts.error();
  return Wrapped<ShapeRange>(OutsideContourFirst(calls, std::move(parts.value())));
}

HostResult<Subpath> AutomationHost::BeginSubpath(const Curve& curve, double x, double y) {
  HostCalls calls(*this, "BeginSubpath");
  return Wrapped<Subpath>(
      calls.Method(DispatchOf(curve), K::Curve, L"CreateSubPath", ArgumentList().Real(x).Real(y)));
}

HostStatus AutomationHost::ExtendSubpathLine(const Subpath& subpath, double x, double y) {
  HostCalls calls(*this, "ExtendSubpathLine");
  return calls.Run(DispatchOf(subpath), K::Subpath, L"AppendLineSegment",
                   ArgumentList().Real(x).Real(y).Boolean(false));
}

}  // namespace corvane::host
