#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "toolwindow/host/host_handles.h"
#include "toolwindow/host/host_result.h"

// The drawing application as the tool window sees it: the operations its
// commands ask of the host, and nothing about how the host is reached. Two
// implementations: the automation binding to the running application, and
// the stand-in host with in-memory documents for tests and trials.
//
// Every operation blocks until the host answers and can fail with the
// host's own error text; the calling command decides what follows. Lengths
// and coordinates are in the document's units: after SetMeasuringState with
// the codes below, millimetres with y growing upwards.
namespace corvane::host {

// Codes the tool window hands to the host.
inline constexpr std::int32_t kUnitMillimetres = 3;
inline constexpr std::int32_t kReferenceTopLeft = 3;
inline constexpr std::int32_t kFilterPlt = 1281;
inline constexpr std::int32_t kExportRangeSelection = 2;
inline constexpr std::int32_t kShapeKindBitmap = 5;

// Edges of a bounding box.
struct Box {
  double left = 0;
  double right = 0;
  double top = 0;
  double bottom = 0;
};

struct Point {
  double x = 0;
  double y = 0;
};

struct Size {
  double width = 0;
  double height = 0;
};

// A named property of the export filter takes one of these: a double, a
// 16-bit integer or a Boolean.
using FilterValue = std::variant<double, std::int16_t, bool>;

// The settings of a bitmap's vectorising, in the host's order.
struct VectoriseSettings {
  std::int32_t traceType = 0;
  std::int16_t smoothing = 0;
  std::int16_t detailLevelPercent = 0;
  std::int32_t colourMode = 0;
  std::int32_t paletteId = 0;
  std::int32_t colourCount = 0;
  bool deleteOriginal = false;
  bool removeBackground = false;
  bool removeEntireBackColour = false;
};

// The twelve arguments of a contour effect, in the host's order.
struct ContourArguments {
  std::int32_t direction = 0;  // 1: outward
  double offset = 0;
  std::int32_t steps = 0;
  std::int32_t blendType = 0;
  Colour outlineColour;
  Colour fillColour;
  Colour fillColour2;
  std::int32_t spacingAcceleration = 0;
  std::int32_t colourAcceleration = 0;
  std::int32_t endCapType = 0;
  std::int32_t cornerType = 0;
  double miterLimit = 0;
};

class DrawingHost {
 public:
  virtual ~DrawingHost() = default;

  // One command of the operator (a button press) runs between these: it
  // reaches the host once, at its first need, and lets go of everything it
  // holds of the host when it ends, so the next command finds whichever
  // instance runs then. A host that is lost during the command is not
  // reached again before the command ends. Use HostCommand.
  virtual void BeginCommand() {}
  virtual void EndCommand() {}

  // Application.
  virtual HostResult<std::int32_t> CountOpenDocuments() = 0;
  virtual HostResult<Document> GetActiveDocument() = 0;
  virtual HostResult<Layer> GetCurrentLayer() = 0;
  virtual HostResult<ShapeRange> GetSelectionRange() = 0;
  virtual HostResult<Colour> NewCmykColour(std::int32_t cyan, std::int32_t magenta,
                                           std::int32_t yellow, std::int32_t black) = 0;
  virtual HostResult<Curve> NewCurve(const Document& document) = 0;
  virtual HostResult<ExportOptions> NewExportOptions() = 0;

  // Document.
  virtual HostStatus SetMeasuringState(const Document& document, double originX, double originY,
                                       std::int32_t unitCode, std::int32_t referenceCode) = 0;
  virtual HostStatus SelectShapes(const Document& document, const std::vector<Shape>& shapes) = 0;
  // Starts an export; nothing is written before FinishExport. A null
  // options handle passes Nothing; palette options are always Nothing.
  virtual HostResult<ExportFilter> ExportDocument(const Document& document, std::string_view file,
                                                  std::int32_t filter, std::int32_t rangeCode,
                                                  const ExportOptions& options) = 0;
  virtual HostStatus SetFilterProperty(const ExportFilter& filter, std::string_view name,
                                       const FilterValue& value) = 0;
  // Writes the file before it returns.
  virtual HostStatus FinishExport(const ExportFilter& filter) = 0;

  // Layers of the active page.
  virtual HostResult<std::vector<Layer>> ListPageLayers() = 0;
  virtual HostResult<Layer> FindPageLayer(std::string_view name) = 0;  // fails if none
  virtual HostResult<Layer> AddPageLayer(std::string_view name) = 0;

  // One layer.
  virtual HostResult<std::string> GetLayerName(const Layer& layer) = 0;
  virtual HostStatus MakeLayerCurrent(const Layer& layer) = 0;
  virtual HostStatus RemoveLayer(const Layer& layer) = 0;  // with its shapes
  virtual HostStatus SetLayerPrintable(const Layer& layer, bool printable) = 0;
  virtual HostResult<ShapeRange> GetLayerShapes(const Layer& layer) = 0;
  virtual HostResult<std::int32_t> CountLayerShapes(const Layer& layer) = 0;
  // The first shape of that name; fails if none.
  virtual HostResult<Shape> FindLayerShape(const Layer& layer, std::string_view name) = 0;
  virtual HostResult<Shape> PlaceCurveShape(const Layer& layer, const Curve& curve) = 0;

  // Shape ranges.
  virtual HostResult<std::int32_t> RangeCount(const ShapeRange& range) = 0;
  virtual HostResult<Shape> RangeItem(const ShapeRange& range, std::int32_t n) = 0;  // n from 1
  virtual HostResult<ShapeRange> GetRangeShapes(const ShapeRange& range) = 0;
  virtual HostResult<Box> RangeBoundingBox(const ShapeRange& range) = 0;
  virtual HostResult<Shape> MergeShapes(const ShapeRange& range) = 0;
  virtual HostStatus RemoveShapes(const ShapeRange& range) = 0;

  // Shapes.
  virtual HostResult<std::int32_t> GetShapeKind(const Shape& shape) = 0;
  virtual HostResult<Vectorising> VectoriseBitmap(const Shape& bitmap,
                                                  const VectoriseSettings& settings) = 0;
  // The vector shapes it made, as a range; they become the selection. A
  // vectorising that gives no range or an empty one has failed.
  virtual HostResult<ShapeRange> FinishVectorising(const Vectorising& vectorising) = 0;
  // The host's custom command (component "Boundary", command
  // "CreateBoundary"), with no parameters; its result is the new shape.
  virtual HostResult<Shape> RunBoundaryCommand(const Shape& shape, std::string_view component,
                                               std::string_view command) = 0;
  virtual HostResult<Shape> RunBoundaryCommand(const ShapeRange& range, std::string_view component,
                                               std::string_view command) = 0;
  virtual HostResult<Shape> CopyShapeToLayer(const Shape& shape, const Layer& layer) = 0;
  virtual HostStatus RemoveShape(const Shape& shape) = 0;
  virtual HostStatus SetShapeName(const Shape& shape, std::string_view name) = 0;
  virtual HostStatus SetOutlineCmyk(const Shape& shape, std::int32_t cyan, std::int32_t magenta,
                                    std::int32_t yellow, std::int32_t black) = 0;
  virtual HostStatus SetOutlineWidth(const Shape& shape, double width) = 0;
  // The point the reference point selects (top-left in the measuring state).
  virtual HostResult<Point> ReadShapePosition(const Shape& shape) = 0;
  virtual HostResult<Size> ReadShapeSize(const Shape& shape) = 0;
  virtual HostResult<Effect> AddContourEffect(const Shape& shape,
                                              const ContourArguments& arguments) = 0;
  virtual HostResult<ShapeRange> SeparateEffect(const Effect& effect) = 0;

  // Curves.
  virtual HostResult<Subpath> BeginSubpath(const Curve& curve, double x, double y) = 0;
  virtual HostStatus ExtendSubpathLine(const Subpath& subpath, double x, double y) = 0;
};

// The span of one command on the host.
class HostCommand {
 public:
  explicit HostCommand(DrawingHost& host) : host_(host) { host_.BeginCommand(); }
  ~HostCommand() { host_.EndCommand(); }
  HostCommand(const HostCommand&) = delete;
  HostCommand& operator=(const HostCommand&) = delete;

 private:
  DrawingHost& host_;
};

}  // namespace corvane::host
