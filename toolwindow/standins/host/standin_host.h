#pragma once

// The stand-in drawing host: in-memory documents that answer every operation
// of DrawingHost the way a drawing application does, with real geometry, so
// the tool window's commands can be tested and tried without the host.
//
// Usage in a test:
//
//   corvane::standin::StandInHost host;        // one open document "Drawing 1"
//   host.addRectangle("Layer 1", "A", 10, 20, 100, 50);   // left, bottom, w, h (mm)
//   host.addLShape("Layer 1", "L", 150, 20, 60, 60, 20);
//   host.select({"A", "L"});
//   host.failCall("RangeBoundingBox", 2, "Out of memory");  // the 2nd call from now fails
//   RunTheCommand(host);                        // through the DrawingHost interface
//   host.calls();                               // every operation called, with its arguments
//   host.layers();                              // layers and shapes as they are now
//   host.writeSvgPicture("picture.svg");        // look at the result
//
// Builder coordinates are millimetres on the active page, origin at its
// bottom-left corner, y growing upwards: what the operations see once the
// measuring state (origin 0, 0; millimetres; top-left reference) is set.
// A new document starts in another state (inches, centre reference) so that
// a command that forgets the measuring state reads numbers it cannot use.
//
// Host behaviours:
//   - the boundary of a shape or range is the outline of the union of its
//     closed areas (a curve's closed subpaths, even-odd, also within a
//     subpath that crosses itself; a bitmap's box) with its open lines as
//     they are, placed as a new shape on the current layer; a shape that
//     encloses nothing and has no open line has none, and the command fails;
//   - a contour effect adds the contour outside (direction 1) or inside (0)
//     the shape, one step, as a shape behind it on its layer; corners are
//     bevelled (corner types 0, 1), round (2, 5) or mitered (3, 4) up to the
//     miter limit angle, open lines get butt, round or square ends (0, 1,
//     2); separating it gives the contour first and the shape second;
//   - merging makes one curve shape of every subpath of the range, on the
//     first shape's layer, and removes the range;
//   - vectorising a bitmap makes one shape per blob of its mask, along the
//     pixel edges, on the bitmap's layer, and leaves them as the selection
//     (of the settings only deleteOriginal changes what it does);
//   - bounding boxes, positions and sizes are those of the geometry itself,
//     without the outline width: the marks frame and a job's DB corner are
//     measured from them and must sit on the drawing;
//   - the PLT export writes the selected shapes of printable layers as HPGL
//     in the page's millimetres x 40 (at ScaleFactor 100 and PlotterUnits
//     1016), whatever the measuring state; ScaleFactor and PlotterUnits
//     scale the numbers, CurveResolution (inches) is how far the written
//     line may stray from the shape, AutomaticWeld writes the union of the
//     closed shapes, RemoveHiddenLines leaves out lines under closed shapes
//     above them;
//   - SelectShapes replaces the selection.
//
// Errors of the builder and read-back functions (a shape or layer that is
// not there, an unknown operation name) are mistakes in the test and throw
// std::invalid_argument; the DrawingHost operations never throw.

#include <cstdint>
#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "toolwindow/host/drawing_host.h"

namespace corvane::standin {

struct Cmyk {
  std::int32_t cyan = 0;
  std::int32_t magenta = 0;
  std::int32_t yellow = 0;
  std::int32_t black = 100;

  friend bool operator==(const Cmyk&, const Cmyk&) = default;
};

inline constexpr Cmyk kBlack{0, 0, 0, 100};
inline constexpr Cmyk kRed{0, 100, 100, 0};
// What the host gives the shapes it makes: a thin black outline.
inline constexpr double kDefaultOutlineWidthMm = 0.2;

// One subpath of a curve, in page millimetres. A closed path's last point is
// not repeated: it ends where it began.
struct Path {
  std::vector<host::Point> points;
  bool closed = false;
};

// A pixel mask: rows from the top, '#' (or any character but '.' and ' ')
// for a set pixel; pixels are squares of pixelSize mm.
struct BitmapMask {
  double left = 0;
  double top = 0;
  double pixelSize = 1;
  std::vector<std::string> rows;
};

inline bool isSetPixel(char pixel) { return pixel != '.' && pixel != ' '; }

// Calls visit(left, top) with the top-left corner, in mm, of every set
// pixel, row by row from the top.
template <class Visit>
void forEachSetPixel(const BitmapMask& mask, Visit&& visit) {
  for (std::size_t row = 0; row < mask.rows.size(); ++row) {
    for (std::size_t column = 0; column < mask.rows[row].size(); ++column) {
      if (!isSetPixel(mask.rows[row][column])) continue;
      visit(mask.left + static_cast<double>(column) * mask.pixelSize,
            mask.top - static_cast<double>(row) * mask.pixelSize);
    }
  }
}

// A shape as a test reads it back.
struct ShapeView {
  std::string name;
  std::string layer;
  bool bitmap = false;
  std::vector<Path> paths;  // empty for a bitmap
  BitmapMask mask;          // a bitmap's pixels
  Cmyk outline;
  double outlineWidth = kDefaultOutlineWidthMm;
  host::Box box;  // of the geometry, in page millimetres
};

struct LayerView {
  std::string name;
  bool printable = true;
  std::vector<ShapeView> shapes;  // bottom to top
};

// The document's measuring state, as the operations set it.
struct MeasuringState {
  double originX = 0;  // page millimetres
  double originY = 0;
  std::int32_t unitCode = 1;
  std::int32_t referenceCode = 9;
};

// One operation called through DrawingHost, with its arguments as text:
// numbers in shortest form, texts in double quotes, handles by what they
// name (shape "TraceLine", layer "TraceLayer", CMYK 0,0,0,100, ...), filter
// values with their type (double 100, int16 1016, bool false).
struct Call {
  std::string operation;
  std::vector<std::string> arguments;

  // Operation(arg, arg, ...)
  std::string text() const;
};

class StandInHost final : public host::DrawingHost {
 public:
  // Starts with one open document, as after the host's start with a new
  // drawing.
  StandInHost();
  ~StandInHost() override;
  StandInHost(const StandInHost&) = delete;
  StandInHost& operator=(const StandInHost&) = delete;

  // --- Documents -----------------------------------------------------------
  // A new document with one page and one layer "Layer 1", made active.
  void newDocument(std::string_view name = "Drawing");
  // Opens an HPGL drawing as a new active document: each pen-down run one
  // shape ("Curve 1", "Curve 2", ...) on "Layer 1", closed when it ends where
  // it began; plotter units at 40 per millimetre.
  host::HostStatus openPltDocument(const std::string& path);
  // Closes every document; the host then has none open.
  void closeAllDocuments();
  // Pages of the active document: a new page becomes the active one.
  void addPage();
  void setActivePage(std::size_t index);  // from 0

  // --- Building the active page ----------------------------------------------
  // A new layer on top of the page's layers (names may repeat).
  void addLayer(std::string_view name, bool printable = true);
  void setCurrentLayer(std::string_view name);
  // Shapes go on top of the first layer of that name, which is made when the
  // page has none.
  void addShape(std::string_view layer, std::string_view name, std::vector<Path> paths);
  void addRectangle(std::string_view layer, std::string_view name, double left, double bottom,
                    double width, double height);
  void addPolygon(std::string_view layer, std::string_view name, std::vector<host::Point> corners);
  // An L: the full width along the bottom, the full height up the left side,
  // both arms `thickness` wide.
  void addLShape(std::string_view layer, std::string_view name, double left, double bottom,
                 double width, double height, double thickness);
  void addOpenLine(std::string_view layer, std::string_view name, std::vector<host::Point> points);
  void addBitmap(std::string_view layer, std::string_view name, BitmapMask mask);
  void setOutline(std::string_view layer, std::string_view name, Cmyk colour, double widthMm);

  // The selection of the active document: shapes of the active page by name
  // (the first of each name, in the given order), or all of them.
  void select(const std::vector<std::string>& names);
  void selectAll();
  void clearSelection();

  // --- Reading back ----------------------------------------------------------
  std::size_t documentCount() const;
  std::vector<LayerView> layers() const;  // of the active page, in the host's order
  ShapeView shape(std::string_view layer, std::string_view name) const;
  std::vector<ShapeView> selection() const;
  std::string currentLayerName() const;  // empty when there is none
  MeasuringState measuringState() const;

  // --- The call log and failure injection ------------------------------------
  const std::vector<Call>& calls() const;
  // The operation names in call order.
  std::vector<std::string> operationsCalled() const;
  void clearCalls();
  // The nth call of that operation from now on (1 = the next one) fails
  // with this text and does nothing.
  void failCall(std::string_view operation, int nth, std::string text);
  // The nth call of that operation from now on finds the host gone (closed,
  // killed or not answering): it fails as a lost host and does nothing.
  void loseHost(std::string_view operation, int nth);

  // --- Pictures ----------------------------------------------------------------
  // The active page as SVG: every layer, shapes in their outline colours and
  // widths, bitmaps as grey pixels, in millimetres with y upwards.
  std::string svgPicture() const;
  host::HostStatus writeSvgPicture(const std::string& path) const;

  // --- DrawingHost ---------------------------------------------------------------
  host::HostResult<std::int32_t> CountOpenDocuments() override;
  host::HostResult<host::Document> GetActiveDocument() override;
  host::HostResult<host::Layer> GetCurrentLayer() override;
  host::HostResult<host::ShapeRange> GetSelectionRange() override;
  host::HostResult<host::Colour> NewCmykColour(std::int32_t cyan, std::int32_t magenta,
                                               std::int32_t yellow, std::int32_t black) override;
  host::HostResult<host::Curve> NewCurve(const host::Document& document) override;
  host::HostResult<host::ExportOptions> NewExportOptions() override;

  host::HostStatus SetMeasuringState(const host::Document& document, double originX, double originY,
                                     std::int32_t unitCode, std::int32_t referenceCode) override;
  host::HostStatus SelectShapes(const host::Document& document,
                                const std::vector<host::Shape>& shapes) override;
  host::HostResult<host::ExportFilter> ExportDocument(const host::Document& document,
                                                      std::string_view file, std::int32_t filter,
                                                      std::int32_t rangeCode,
                                                      const host::ExportOptions& options) override;
  host::HostStatus SetFilterProperty(const host::ExportFilter& filter, std::string_view name,
                                     const host::FilterValue& value) override;
  host::HostStatus FinishExport(const host::ExportFilter& filter) override;

  host::HostResult<std::vector<host::Layer>> ListPageLayers() override;
  host::HostResult<host::Layer> FindPageLayer(std::string_view name) override;
  host::HostResult<host::Layer> AddPageLayer(std::string_view name) override;

  host::HostResult<std::string> GetLayerName(const host::Layer& layer) override;
  host::HostStatus MakeLayerCurrent(const host::Layer& layer) override;
  host::HostStatus RemoveLayer(const host::Layer& layer) override;
  host::HostStatus SetLayerPrintable(const host::Layer& layer, bool printable) override;
  host::HostResult<host::ShapeRange> GetLayerShapes(const host::Layer& layer) override;
  host::HostResult<std::int32_t> CountLayerShapes(const host::Layer& layer) override;
  host::HostResult<host::Shape> FindLayerShape(const host::Layer& layer,
                                               std::string_view name) override;
  host::HostResult<host::Shape> PlaceCurveShape(const host::Layer& layer,
                                                const host::Curve& curve) override;

  host::HostResult<std::int32_t> RangeCount(const host::ShapeRange& range) override;
  host::HostResult<host::Shape> RangeItem(const host::ShapeRange& range, std::int32_t n) override;
  host::HostResult<host::ShapeRange> GetRangeShapes(const host::ShapeRange& range) override;
  host::HostResult<host::Box> RangeBoundingBox(const host::ShapeRange& range) override;
  host::HostResult<host::Shape> MergeShapes(const host::ShapeRange& range) override;
  host::HostStatus RemoveShapes(const host::ShapeRange& range) override;

  host::HostResult<std::int32_t> GetShapeKind(const host::Shape& shape) override;
  host::HostResult<host::Vectorising> VectoriseBitmap(
      const host::Shape& bitmap, const host::VectoriseSettings& settings) override;
  host::HostResult<host::ShapeRange> FinishVectorising(
      const host::Vectorising& vectorising) override;
  host::HostResult<host::Shape> RunBoundaryCommand(const host::Shape& shape,
                                                   std::string_view component,
                                                   std::string_view command) override;
  host::HostResult<host::Shape> RunBoundaryCommand(const host::ShapeRange& range,
                                                   std::string_view component,
                                                   std::string_view command) override;
  host::HostResult<host::Shape> CopyShapeToLayer(const host::Shape& shape,
                                                 const host::Layer& layer) override;
  host::HostStatus RemoveShape(const host::Shape& shape) override;
  host::HostStatus SetShapeName(const host::Shape& shape, std::string_view name) override;
  host::HostStatus SetOutlineCmyk(const host::Shape& shape, std::int32_t cyan, std::int32_t magenta,
                                  std::int32_t yellow, std::int32_t black) override;
  host::HostStatus SetOutlineWidth(const host::Shape& shape, double width) override;
  host::HostResult<host::Point> ReadShapePosition(const host::Shape& shape) override;
  host::HostResult<host::Size> ReadShapeSize(const host::Shape& shape) override;
  host::HostResult<host::Effect> AddContourEffect(const host::Shape& shape,
                                                  const host::ContourArguments& arguments) override;
  host::HostResult<host::ShapeRange> SeparateEffect(const host::Effect& effect) override;

  host::HostResult<host::Subpath> BeginSubpath(const host::Curve& curve, double x,
                                               double y) override;
  host::HostStatus ExtendSubpathLine(const host::Subpath& subpath, double x, double y) override;

 private:
  struct State;
  std::unique_ptr<State> state_;
};

}  // namespace corvane::standin
