#include "toolwindow/contour/zevararaz.h"
#include "toolwindow/document/layer_names.h"

namespace corvane::toolwindow {

// No message: the first step that fails ends it, which with no document
// open is the first.
void ZevaRaraz::DeleteContour(ToolContext& context) {
  host::DrawingHost& host = context.host;
  const auto layers = host.ListPageLayers();
  if (!layers) return;
  for (const host::Layer& layer : layers.value()) {
    const auto name = host.GetLayerName(layer);
    if (!name) return;
    if (name.value() != kTraceLayer && name.value() != kMarkLayer) continue;
    if (!host.RemoveLayer(layer)) return;
  }
}

}  // namespace corvane::toolwindow
