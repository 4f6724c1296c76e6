#include "toolwindow/binding/automation_host_win32.h"

#include <utility>

#include "toolwindow/binding/dispatch_object_win32.h"
#include "toolwindow/binding/host_calls_win32.h"

// The layers of the active page, and one layer.
namespace corvane::host {

using K = ObjectKind;

namespace {

HostResult<ComRef<IDispatch>> PageLayers(HostCalls& calls) {
  auto app = calls.Application();
  if (!app) return app.error();
  auto page = calls.Object(app.value().get(), K::Application, L"ActivePage");
  if (!page) return page.error();
  return calls.Object(page.value().get(), K::Page, L"Layers");
}

// Walks the layers for one whose name is exactly this one; an empty
// reference when there is none.
HostResult<ComRef<IDispatch>> ExactLayer(HostCalls& calls, IDispatch* layers,
                                         std::string_view name) {
  auto count = calls.Int32(layers, K::Layers, L"Count");
  if (!count) return count.error();
  for (std::int32_t n = 1; n <= count.value(); ++n) {
    auto layer = calls.Object(layers, K::Layers, L"Item", CallKind::Get, ArgumentList().Int32(n));
    if (!layer) return layer.error();
    auto layerName = calls.Text(layer.value().get(), K::Layer, L"Name");
    if (!layerName) return layerName.error();
    if (layerName.value() == name) return std::move(layer.value());
  }
  return ComRef<IDispatch>();
}

// Walks the layer's shapes for one whose name is exactly this one.
HostResult<ComRef<IDispatch>> ExactShape(HostCalls& calls, IDispatch* layer,
                                         std::string_view name) {
  auto shapes = calls.Object(layer, K::Layer, L"Shapes");
  if (!shapes) return shapes.error();
  auto count = calls.Int32(shapes.value().get(), K::Shapes, L"Count");
  if (!count) return count.error();
  for (std::int32_t n = 1; n <= count.value(); ++n) {
    auto shape = calls.Object(shapes.value().get(), K::Shapes, L"Item", CallKind::Get,
                              ArgumentList().Int32(n));
    if (!shape) return shape.error();
    auto shapeName = calls.Text(shape.value().get(), K::Shape, L"Name");
    if (!shapeName) return shapeName.error();
    if (shapeName.value() == name) return std::move(shape.value());
  }
  return ComRef<IDispatch>();
}

std::string Quoted(std::string_view name) {
  std::string quoted(1, '"');
  quoted.append(name);
  quoted.push_back('"');
  return quoted;
}

}  // namespace

HostResult<std::vector<Layer>> AutomationHost::ListPageLayers() {
  HostCalls calls(*this, "ListPageLayers");
  auto layers = PageLayers(calls);
  if (!layers) return layers.error();
  auto count = calls.Int32(layers.value().get(), K::Layers, L"Count");
  if (!count) return count.error();
  std::vector<Layer> list;
  for (std::int32_t n = 1; n <= count.value(); ++n) {
    auto layer = calls.Object(layers.value().get(), K::Layers, L"Item", CallKind::Get,
                              ArgumentList().Int32(n));
    if (!layer) return layer.error();
    list.push_back(Wrap<Layer>(std::move(layer.value())));
  }
  return list;
}

// Whether Layers.Find gives Nothing or fails for a name it does not know is
// not known; both mean there is no such layer. Names count exactly, with
// case, and Find may not compare that way: a layer it finds under another
// spelling sends the search through the layers one by one.
HostResult<Layer> AutomationHost::FindPageLayer(std::string_view name) {
  HostCalls calls(*this, "FindPageLayer");
  auto layers = PageLayers(calls);
  if (!layers) return layers.error();
  const std::string none = "no layer named " + Quoted(name) + " on the active page";
  InvokeOutcome found = calls.Raw(layers.value().get(), K::Layers, L"Find", CallKind::Method,
                                  ArgumentList().Text(name));
  if (found.hr == DISP_E_EXCEPTION) return calls.Fail(none);
  if (FAILED(found.hr)) return calls.Failure(found, K::Layers, L"Find");
  ComRef<IDispatch> layer = ObjectIn(found.result);
  if (!layer) return calls.Fail(none);
  auto foundName = calls.Text(layer.get(), K::Layer, L"Name");
  if (!foundName) return foundName.error();
  if (foundName.value() != name) {
    auto exact = ExactLayer(calls, layers.value().get(), name);
    if (!exact) return exact.error();
    if (!exact.value()) return calls.Fail(none);
    layer = std::move(exact.value());
  }
  return Wrap<Layer>(std::move(layer));
}

HostResult<Layer> AutomationHost::AddPageLayer(std::string_view name) {
  HostCalls calls(*this, "AddPageLayer");
  auto app = calls.Application();
  if (!app) return app.error();
  auto page = calls.Object(app.value().get(), K::Application, L"ActivePage");
  if (!page) return page.error();
  return Wrapped<Layer>(
      calls.Method(page.value().get(), K::Page, L"CreateLayer", ArgumentList().Text(name)));
}

HostResult<std::string> AutomationHost::GetLayerName(const Layer& layer) {
  HostCalls calls(*this, "GetLayerName");
  return calls.Text(DispatchOf(layer), K::Layer, L"Name");
}

HostStatus AutomationHost::MakeLayerCurrent(const Layer& layer) {
  HostCalls calls(*this, "MakeLayerCurrent");
  return calls.Run(DispatchOf(layer), K::Layer, L"Activate");
}

HostStatus AutomationHost::RemoveLayer(const Layer& layer) {
  HostCalls calls(*this, "RemoveLayer");
  return calls.Run(DispatchOf(layer), K::Layer, L"Delete");
}

HostStatus AutomationHost::SetLayerPrintable(const Layer& layer, bool printable) {
  HostCalls calls(*this, "SetLayerPrintable");
  return calls.Put(DispatchOf(layer), K::Layer, L"Printable", ArgumentList().Boolean(printable));
}

HostResult<ShapeRange> AutomationHost::GetLayerShapes(const Layer& layer) {
  HostCalls calls(*this, "GetLayerShapes");
  auto shapes = calls.Object(DispatchOf(layer), K::Layer, L"Shapes");
  if (!shapes) return shapes.error();
  return Wrapped<ShapeRange>(calls.Method(shapes.value().get(), K::Shapes, L"All"));
}

HostResult<std::int32_t> AutomationHost::CountLayerShapes(const Layer& layer) {
  HostCalls calls(*this, "CountLayerShapes");
  auto shapes = calls.Object(DispatchOf(layer), K::Layer, L"Shapes");
  if (!shapes) return shapes.error();
  return calls.Int32(shapes.value().get(), K::Shapes, L"Count");
}

// FindShape with its declared defaults spelt out: any type, any id, inside
// groups too. Like layers, names count exactly.
HostResult<Shape> AutomationHost::FindLayerShape(const Layer& layer, std::string_view name) {
  HostCalls calls(*this, "FindLayerShape");
  IDispatch* target = DispatchOf(layer);
  const std::string none = "no shape named " + Quoted(name) + " on the layer";
  InvokeOutcome found = calls.Raw(target, K::Layer, L"FindShape", CallKind::Method,
                                  ArgumentList().Text(name).Int32(0).Int32(0).Boolean(true));
  if (found.hr == DISP_E_EXCEPTION) return calls.Fail(none);
  if (FAILED(found.hr)) return calls.Failure(found, K::Layer, L"FindShape");
  ComRef<IDispatch> shape = ObjectIn(found.result);
  if (!shape) return calls.Fail(none);
  auto foundName = calls.Text(shape.get(), K::Shape, L"Name");
  if (!foundName) return foundName.error();
  if (foundName.value() != name) {
    auto exact = ExactShape(calls, target, name);
    if (!exact) return exact.error();
    if (!exact.value()) return calls.Fail(none);
    shape = std::move(exact.value());
  }
  return Wrap<Shape>(std::move(shape));
}

HostResult<Shape> AutomationHost::PlaceCurveShape(const Layer& layer, const Curve& curve) {
  HostCalls calls(*this, "PlaceCurveShape");
  return Wrapped<Shape>(calls.Method(DispatchOf(layer), K::Layer, L"CreateCurve",
                                     ArgumentList().Object(DispatchOf(curve))));
}

}  // namespace corvane::host
