#include "toolwindow/host/unconnected_host.h"

namespace corvane::host {

namespace {

HostError Refused(const char* operation) {
  return {operation, std::string(UnconnectedHost::kReason)};
}

}  // namespace

HostResult<std::int32_t> UnconnectedHost::CountOpenDocuments() {
  return Refused("CountOpenDocuments");
}
HostResult<Document> UnconnectedHost::GetActiveDocument() { return Refused("GetActiveDocument"); }
HostResult<Layer> UnconnectedHost::GetCurrentLayer() { return Refused("GetCurrentLayer"); }
HostResult<ShapeRange> UnconnectedHost::GetSelectionRange() { return Refused("GetSelectionRange"); }
HostResult<Colour> UnconnectedHost::NewCmykColour(std::int32_t, std::int32_t, std::int32_t,
                                                  std::int32_t) {
  return Refused("NewCmykColour");
}
HostResult<Curve> UnconnectedHost::NewCurve(const Document&) { return Refused("NewCurve"); }
HostResult<ExportOptions> UnconnectedHost::NewExportOptions() {
  return Refused("NewExportOptions");
}
HostStatus UnconnectedHost::SetMeasuringState(const Document&, double, double, std::int32_t,
                                              std::int32_t) {
  return Refused("SetMeasuringState");
}
HostStatus UnconnectedHost::SelectShapes(const Document&, const std::vector<Shape>&) {
  return Refused("SelectShapes");
}
HostResult<ExportFilter> UnconnectedHost::ExportDocument(const Document&, std::string_view,
                                                         std::int32_t, std::int32_t,
                                                         const ExportOptions&) {
  return Refused("ExportDocument");
}
HostStatus UnconnectedHost::SetFilterProperty(const ExportFilter&, std::string_view,
                                              const FilterValue&) {
  return Refused("SetFilterProperty");
}
HostStatus UnconnectedHost::FinishExport(const ExportFilter&) { return Refused("FinishExport"); }
HostResult<std::vector<Layer>> UnconnectedHost::ListPageLayers() {
  return Refused("ListPageLayers");
}
HostResult<Layer> UnconnectedHost::FindPageLayer(std::string_view) {
  return Refused("FindPageLayer");
}
HostResult<Layer> UnconnectedHost::AddPageLayer(std::string_view) {
  return Refused("AddPageLayer");
}
HostResult<std::string> UnconnectedHost::GetLayerName(const Layer&) {
  return Refused("GetLayerName");
}
HostStatus UnconnectedHost::MakeLayerCurrent(const Layer&) { return Refused("MakeLayerCurrent"); }
HostStatus UnconnectedHost::RemoveLayer(const Layer&) { return Refused("RemoveLayer"); }
HostStatus UnconnectedHost::SetLayerPrintable(const Layer&, bool) {
  return Refused("SetLayerPrintable");
}
HostResult<ShapeRange> UnconnectedHost::GetLayerShapes(const Layer&) {
  return Refused("GetLayerShapes");
}
HostResult<std::int32_t> UnconnectedHost::CountLayerShapes(const Layer&) {
  return Refused("CountLayerShapes");
}
HostResult<Shape> UnconnectedHost::FindLayerShape(const Layer&, std::string_view) {
  return Refused("FindLayerShape");
}
HostResult<Shape> UnconnectedHost::PlaceCurveShape(const Layer&, const Curve&) {
  return Refused("PlaceCurveShape");
}
HostResult<std::int32_t> UnconnectedHost::RangeCount(const ShapeRange&) {
  return Refused("RangeCount");
}
HostResult<Shape> UnconnectedHost::RangeItem(const ShapeRange&, std::int32_t) {
  return Refused("RangeItem");
}
HostResult<ShapeRange> UnconnectedHost::GetRangeShapes(const ShapeRange&) {
  return Refused("GetRangeShapes");
}
HostResult<Box> UnconnectedHost::RangeBoundingBox(const ShapeRange&) {
  return Refused("RangeBoundingBox");
}
HostResult<Shape> UnconnectedHost::MergeShapes(const ShapeRange&) { return Refused("MergeShapes"); }
HostStatus UnconnectedHost::RemoveShapes(const ShapeRange&) { return Refused("RemoveShapes"); }
HostResult<std::int32_t> UnconnectedHost::GetShapeKind(const Shape&) {
  return Refused("GetShapeKind");
}
HostResult<Vectorising> UnconnectedHost::VectoriseBitmap(const Shape&, const VectoriseSettings&) {
  return Refused("VectoriseBitmap");
}
HostStatus UnconnectedHost::FinishVectorising(const Vectorising&) {
  return Refused("FinishVectorising");
}
HostResult<Shape> UnconnectedHost::RunBoundaryCommand(const Shape&, std::string_view,
                                                      std::string_view) {
  return Refused("RunBoundaryCommand");
}
HostResult<Shape> UnconnectedHost::RunBoundaryCommand(const ShapeRange&, std::string_view,
                                                      std::string_view) {
  return Refused("RunBoundaryCommand");
}
HostResult<Shape> UnconnectedHost::CopyShapeToLayer(const Shape&, const Layer&) {
  return Refused("CopyShapeToLayer");
}
HostStatus UnconnectedHost::RemoveShape(const Shape&) { return Refused("RemoveShape"); }
HostStatus UnconnectedHost::SetShapeName(const Shape&, std::string_view) {
  return Refused("SetShapeName");
}
HostStatus UnconnectedHost::SetOutlineCmyk(const Shape&, std::int32_t, std::int32_t, std::int32_t,
                                           std::int32_t) {
  return Refused("SetOutlineCmyk");
}
HostStatus UnconnectedHost::SetOutlineWidth(const Shape&, double) {
  return Refused("SetOutlineWidth");
}
HostResult<Point> UnconnectedHost::ReadShapePosition(const Shape&) {
  return Refused("ReadShapePosition");
}
HostResult<Size> UnconnectedHost::ReadShapeSize(const Shape&) { return Refused("ReadShapeSize"); }
HostResult<Effect> UnconnectedHost::AddContourEffect(const Shape&, const ContourArguments&) {
  return Refused("AddContourEffect");
}
HostResult<ShapeRange> UnconnectedHost::SeparateEffect(const Effect&) {
  return Refused("SeparateEffect");
}
HostResult<Subpath> UnconnectedHost::BeginSubpath(const Curve&, double, double) {
  return Refused("BeginSubpath");
}
HostStatus UnconnectedHost::ExtendSubpathLine(const Subpath&, double, double) {
  return Refused("ExtendSubpathLine");
}
}  // namespace corvane::host
