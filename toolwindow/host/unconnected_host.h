#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "toolwindow/host/drawing_host.h"

namespace corvane::host {

// The host of a tool window that is bound to no drawing application: every
// operation fails and says so. The programs run against it until the
// automation binding takes its place; the operator then reads why nothing
// was done instead of a command that silently does nothing.
class UnconnectedHost final : public DrawingHost {
 public:
  static constexpr std::string_view kReason = "No drawing application is connected";

  HostResult<std::int32_t> CountOpenDocuments() override;
  HostResult<Document> GetActiveDocument() override;
  HostResult<Layer> GetCurrentLayer() override;
  HostResult<ShapeRange> GetSelectionRange() override;
  HostResult<Colour> NewCmykColour(std::int32_t, std::int32_t, std::int32_t, std::int32_t) override;
  HostResult<Curve> NewCurve(const Document&) override;
  HostResult<ExportOptions> NewExportOptions() override;
  HostStatus SetMeasuringState(const Document&, double, double, std::int32_t,
                               std::int32_t) override;
  HostStatus SelectShapes(const Document&, const std::vector<Shape>&) override;
  HostResult<ExportFilter> ExportDocument(const Document&, std::string_view, std::int32_t,
                                          std::int32_t, const ExportOptions&) override;
  HostStatus SetFilterProperty(const ExportFilter&, std::string_view, const FilterValue&) override;
  HostStatus FinishExport(const ExportFilter&) override;
  HostResult<std::vector<Layer>> ListPageLayers() override;
  HostResult<Layer> FindPageLayer(std::string_view) override;
  HostResult<Layer> AddPageLayer(std::string_view) override;
  HostResult<std::string> GetLayerName(const Layer&) override;
  HostStatus MakeLayerCurrent(const Layer&) override;
  HostStatus RemoveLayer(const Layer&) override;
  HostStatus SetLayerPrintable(const Layer&, bool) override;
  HostResult<ShapeRange> GetLayerShapes(const Layer&) override;
  HostResult<std::int32_t> CountLayerShapes(const Layer&) override;
  HostResult<Shape> FindLayerShape(const Layer&, std::string_view) override;
  HostResult<Shape> PlaceCurveShape(const Layer&, const Curve&) override;
  HostResult<std::int32_t> RangeCount(const ShapeRange&) override;
  HostResult<Shape> RangeItem(const ShapeRange&, std::int32_t) override;
  HostResult<ShapeRange> GetRangeShapes(const ShapeRange&) override;
  HostResult<Box> RangeBoundingBox(const ShapeRange&) override;
  HostResult<Shape> MergeShapes(const ShapeRange&) override;
  HostStatus RemoveShapes(const ShapeRange&) override;
  HostResult<std::int32_t> GetShapeKind(const Shape&) override;
  HostResult<Vectorising> VectoriseBitmap(const Shape&, const VectoriseSettings&) override;
  HostStatus FinishVectorising(const Vectorising&) override;
  HostResult<Shape> RunBoundaryCommand(const Shape&, std::string_view, std::string_view) override;
  HostResult<Shape> RunBoundaryCommand(const ShapeRange&, std::string_view,
                                       std::string_view) override;
  HostResult<Shape> CopyShapeToLayer(const Shape&, const Layer&) override;
  HostStatus RemoveShape(const Shape&) override;
  HostStatus SetShapeName(const Shape&, std::string_view) override;
  HostStatus SetOutlineCmyk(const Shape&, std::int32_t, std::int32_t, std::int32_t,
                            std::int32_t) override;
  HostStatus SetOutlineWidth(const Shape&, double) override;
  HostResult<Point> ReadShapePosition(const Shape&) override;
  HostResult<Size> ReadShapeSize(const Shape&) override;
  HostResult<Effect> AddContourEffect(const Shape&, const ContourArguments&) override;
  HostResult<ShapeRange> SeparateEffect(const Effect&) override;
  HostResult<Subpath> BeginSubpath(const Curve&, double, double) override;
  HostStatus ExtendSubpathLine(const Subpath&, double, double) override;
};

}  // namespace corvane::host
