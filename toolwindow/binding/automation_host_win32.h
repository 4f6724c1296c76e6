#pragma once

#include <windows.h>
#include <oaidl.h>

#include <memory>

#include "toolwindow/binding/com_ref_win32.h"
#include "toolwindow/binding/dispatch_invoker_win32.h"
#include "toolwindow/binding/host_connector_win32.h"
#include "toolwindow/host/drawing_host.h"

namespace corvane::host {

class HostCalls;

// The drawing host over the running application's automation object model,
// bound late through IDispatch. Made once per program with the connector of
// the build's application class:
//
//   ComApartment apartment;  // first, on the user-interface thread
//   AutomationHost host(ApplicationConnector(toolwindow::ApplicationClassId(build)));
//
// Nothing is asked of the host before an operation needs it: the first call
// of a command connects, and that connection serves the command to its end,
// when the application is released. A host that is lost in a command
// (closed, killed, a call given up unanswered, still busy after the
// retries) ends it: every later call of the command fails at once without
// reaching for a host, so no step acts on an instance started or opened
// meanwhile. The next command connects afresh. Outside a command each
// operation connects when there is no connection, and a lost host is let
// go. All calls come from the thread of the apartment. Handles hold their
// object's IDispatch; the last copy releases it.
class AutomationHost final : public DrawingHost {
 public:
  explicit AutomationHost(std::unique_ptr<HostConnector> connector);
  ~AutomationHost() override;
  AutomationHost(const AutomationHost&) = delete;
  AutomationHost& operator=(const AutomationHost&) = delete;

  // Lets go of the application; the next operation connects again.
  void Disconnect();

  void BeginCommand() override;
  void EndCommand() override;

  HostResult<std::int32_t> CountOpenDocuments() override;
  HostResult<Document> GetActiveDocument() override;
  HostResult<Layer> GetCurrentLayer() override;
  HostResult<ShapeRange> GetSelectionRange() override;
  HostResult<Colour> NewCmykColour(std::int32_t cyan, std::int32_t magenta, std::int32_t yellow,
                                   std::int32_t black) override;
  HostResult<Curve> NewCurve(const Document& document) override;
  HostResult<ExportOptions> NewExportOptions() override;

  HostStatus SetMeasuringState(const Document& document, double originX, double originY,
                               std::int32_t unitCode, std::int32_t referenceCode) override;
  HostStatus SelectShapes(const Document& document, const std::vector<Shape>& shapes) override;
  HostResult<ExportFilter> ExportDocument(const Document& document, std::string_view file,
                                          std::int32_t filter, std::int32_t rangeCode,
                                          const ExportOptions& options) override;
  HostStatus SetFilterProperty(const ExportFilter& filter, std::string_view name,
                               const FilterValue& value) override;
  HostStatus FinishExport(const ExportFilter& filter) override;

  HostResult<std::vector<Layer>> ListPageLayers() override;
  HostResult<Layer> FindPageLayer(std::string_view name) override;
  HostResult<Layer> AddPageLayer(std::string_view name) override;

  HostResult<std::string> GetLayerName(const Layer& layer) override;
  HostStatus MakeLayerCurrent(const Layer& layer) override;
  HostStatus RemoveLayer(const Layer& layer) override;
  HostStatus SetLayerPrintable(const Layer& layer, bool printable) override;
  HostResult<ShapeRange> GetLayerShapes(const Layer& layer) override;
  HostResult<std::int32_t> CountLayerShapes(const Layer& layer) override;
  HostResult<Shape> FindLayerShape(const Layer& layer, std::string_view name) override;
  HostResult<Shape> PlaceCurveShape(const Layer& layer, const Curve& curve) override;

  HostResult<std::int32_t> RangeCount(const ShapeRange& range) override;
  HostResult<Shape> RangeItem(const ShapeRange& range, std::int32_t n) override;
  HostResult<ShapeRange> GetRangeShapes(const ShapeRange& range) override;
  HostResult<Box> RangeBoundingBox(const ShapeRange& range) override;
  HostResult<Shape> MergeShapes(const ShapeRange& range) override;
  HostStatus RemoveShapes(const ShapeRange& range) override;

  HostResult<std::int32_t> GetShapeKind(const Shape& shape) override;
  HostResult<Vectorising> VectoriseBitmap(const Shape& bitmap,
                                          const VectoriseSettings& settings) override;
  HostResult<ShapeRange> FinishVectorising(const Vectorising& vectorising) override;
  HostResult<Shape> RunBoundaryCommand(const Shape& shape, std::string_view component,
                                       std::string_view command) override;
  HostResult<Shape> RunBoundaryCommand(const ShapeRange& range, std::string_view component,
                                       std::string_view command) override;
  HostResult<Shape> CopyShapeToLayer(const Shape& shape, const Layer& layer) override;
  HostStatus RemoveShape(const Shape& shape) override;
  HostStatus SetShapeName(const Shape& shape, std::string_view name) override;
  HostStatus SetOutlineCmyk(const Shape& shape, std::int32_t cyan, std::int32_t magenta,
                            std::int32_t yellow, std::int32_t black) override;
  HostStatus SetOutlineWidth(const Shape& shape, double width) override;
  HostResult<Point> ReadShapePosition(const Shape& shape) override;
  HostResult<Size> ReadShapeSize(const Shape& shape) override;
  HostResult<Effect> AddContourEffect(const Shape& shape,
                                      const ContourArguments& arguments) override;
  HostResult<ShapeRange> SeparateEffect(const Effect& effect) override;

  HostResult<Subpath> BeginSubpath(const Curve& curve, double x, double y) override;
  HostStatus ExtendSubpathLine(const Subpath& subpath, double x, double y) override;

 private:
  friend class HostCalls;

  HostResult<Shape> RunBoundary(HostCalls& calls, IDispatch* target, ObjectKind kind,
                                std::string_view component, std::string_view command);

  std::unique_ptr<HostConnector> connector_;
  ComRef<IDispatch> application_;
  DispatchInvoker invoker_;
  // Learnt from the host: its custom command wants its empty parameter
  // array passed as an argument.
  bool boundaryTakesEmptyArray_ = false;
  bool inCommand_ = false;
  // Why the current command cannot reach the host any more; kind Refused
  // while it can.
  HostError commandLost_;
};

}  // namespace corvane::host
