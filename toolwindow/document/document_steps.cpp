#include "toolwindow/document/document_steps.h"

#include "toolwindow/document/layer_names.h"

namespace corvane::toolwindow {

using host::HostResult;

HostResult<host::Document> EnterMeasuringState(host::DrawingHost& host) {
  auto document = host.GetActiveDocument();
  if (!document) return document;
  const host::HostStatus state = host.SetMeasuringState(
      document.value(), 0.0, 0.0, host::kUnitMillimetres, host::kReferenceTopLeft);
  if (!state) return state.error();
  return document;
}

HostResult<bool> ContourPresent(host::DrawingHost& host) {
  auto layers = host.ListPageLayers();
  if (!layers) return layers.error();
  bool present = false;
  for (const host::Layer& layer : layers.value()) {
    auto name = host.GetLayerName(layer);
    if (!name) return name.error();
    if (name.value() != kTraceLayer) continue;
    auto count = host.CountLayerShapes(layer);
    if (!count) return count.error();
    if (count.value() > 0) present = true;
  }
  return present;
}

}  // namespace corvane::toolwindow
