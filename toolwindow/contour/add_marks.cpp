#include <array>
#include <cmath>
#include <cstdint>

#include "toolwindow/context/operator_messages.h"
#include "toolwindow/contour/zevararaz.h"
#include "toolwindow/document/document_steps.h"
#include "toolwindow/document/layer_names.h"

namespace corvane::toolwindow {

using host::Point;

namespace {

constexpr std::int32_t kTextMarksFailed = 15;

// How far each mark's corner lies outside the contour's box on both axes,
// and the length of its two arms, in millimetres.
constexpr double kMarkDistance = 20.0;
constexpr double kMarkLineWidth = 1.0;

// One L-shaped corner mark: an open subpath from its first point through
// its corner to its last point.
struct CornerMark {
  Point first, corner, last;
};

// The four marks around the contour's box, in the order they are drawn.
// Every arm ends level with an edge of the box.
std::array<CornerMark, 4> CornerMarks(double left, double top, double right, double bottom) {
  const double d = kMarkDistance;
  return {{
      {{left, top + d}, {left - d, top + d}, {left - d, top}},
      {{right, top + d}, {right + d, top + d}, {right + d, top}},
      {{right + d, bottom}, {right + d, bottom - d}, {right, bottom - d}},
      {{left, bottom - d}, {left - d, bottom - d}, {left - d, bottom}},
  }};
}

bool Finite(const std::array<CornerMark, 4>& marks) {
  for (const CornerMark& mark : marks) {
    for (const Point& p : {mark.first, mark.corner, mark.last}) {
      if (!std::isfinite(p.x) || !std::isfinite(p.y)) return false;
    }
  }
  return true;
}

// Stops at the first step that fails; what was done before stays.
bool PlaceMarks(host::DrawingHost& host, std::string& savedLayerName) {
  const auto current = host.GetCurrentLayer();
  if (!current) return false;
  const auto currentName = host.GetLayerName(current.value());
  if (!currentName) return false;
  savedLayerName = currentName.value();

  const auto document = EnterMeasuringState(host);
  if (!document) return false;
  const auto traceLayer = host.FindPageLayer(kTraceLayer);
  if (!traceLayer) return false;
  const auto traceLine = host.FindLayerShape(traceLayer.value(), kTraceLine);
  if (!traceLine) return false;
  const auto position = host.ReadShapePosition(traceLine.value());
  if (!position) return false;
  const auto size = host.ReadShapeSize(traceLine.value());
  if (!size) return false;
  const Point& topLeft = position.value();
  const auto marks = CornerMarks(topLeft.x, topLeft.y, topLeft.x + size.value().width,
                                 topLeft.y - size.value().height);
  if (!Finite(marks)) return false;

  // Marks never pile up: the one earlier mark layer goes first.
  const auto layers = host.ListPageLayers();
  if (!layers) return false;
  for (const host::Layer& layer : layers.value()) {
    const auto name = host.GetLayerName(layer);
    if (!name) return false;
    if (name.value() != kMarkLayer) continue;
    if (!host.RemoveLayer(layer)) return false;
    break;
  }
  const auto markLayer = host.AddPageLayer(kMarkLayer);
  if (!markLayer || !host.MakeLayerCurrent(markLayer.value())) return false;

  const auto curve = host.NewCurve(document.value());
  if (!curve) return false;
  for (const CornerMark& mark : marks) {
    const auto subpath = host.BeginSubpath(curve.value(), mark.first.x, mark.first.y);
    if (!subpath || !host.ExtendSubpathLine(subpath.value(), mark.corner.x, mark.corner.y) ||
        !host.ExtendSubpathLine(subpath.value(), mark.last.x, mark.last.y)) {
      return false;
    }
  }
  const auto markLine = host.PlaceCurveShape(markLayer.value(), curve.value());
  if (!markLine || !host.SetShapeName(markLine.value(), kMarkLine) ||
      !host.SetOutlineWidth(markLine.value(), kMarkLineWidth)) {
    return false;
  }

  const auto remembered = host.FindPageLayer(savedLayerName);
  return remembered && host.MakeLayerCurrent(remembered.value());
}

}  // namespace

bool ZevaRaraz::AddMarks(ToolContext& context) {
  const auto present = ContourPresent(context.host);
  if (present.ok() && !present.value()) {
    ShowText(context, kTextMarksFailed, MessageIcon::Warning);
    return false;
  }
  if (!present.ok() || !PlaceMarks(context.host, savedLayerName)) {
    ShowText(context, kTextMarksFailed, MessageIcon::Critical);
    return false;
  }
  return true;
}

}  // namespace corvane::toolwindow
