#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <tuple>
#include <vector>

#include "standin/host_steps.h"
#include "support/temp_dir.h"
#include "toolwindow/standins/host/standin_host.h"

namespace corvane::standin {
namespace {

using corvane::testing::kPlotterUnitMm;
using corvane::testing::measure;
using corvane::testing::ok;
using corvane::testing::shapeOn;

// One handle of each kind, made through the host.
struct Handles {
  host::Document document;
  host::Layer layer;
  host::Shape shape;
  host::Shape bitmap;
  host::ShapeRange range;
  host::Curve curve;
  host::Subpath subpath;
  host::Colour colour;
  host::ExportOptions options;
  host::ExportFilter filter;
  host::Vectorising vectorising;
  host::Effect effect;
};

Handles prepare(StandInHost& host, const std::string& exportFile) {
  host.addRectangle("Layer 1", "A", 10, 20, 100, 50);
  host.addRectangle("Layer 1", "B", 130, 20, 10, 10);
  host.addBitmap("Layer 1", "Picture", BitmapMask{0, 100, 1, {"##"}});
  host.select({"A", "B"});
  measure(host);
  Handles h;
  h.document = ok(host.GetActiveDocument());
  h.layer = ok(host.FindPageLayer("Layer 1"));
  h.shape = shapeOn(host, "Layer 1", "A");
  h.bitmap = shapeOn(host, "Layer 1", "Picture");
  h.range = ok(host.GetSelectionRange());
  h.curve = ok(host.NewCurve(h.document));
  h.subpath = ok(host.BeginSubpath(h.curve, 0, 0));
  h.colour = ok(host.NewCmykColour(0, 0, 0, 100));
  h.options = ok(host.NewExportOptions());
  h.filter = ok(host.ExportDocument(h.document, exportFile, host::kFilterPlt,
                                    host::kExportRangeSelection, h.options));
  h.vectorising = ok(host.VectoriseBitmap(h.bitmap, {}));
  h.effect = ok(
      host.AddContourEffect(h.shape, {1, 2, 1, 0, h.colour, h.colour, h.colour, 0, 0, 2, 4, 15.0}));
  host.clearCalls();
  return h;
}

template <class Outcome>
host::HostError errorOf(const Outcome& outcome) {
  return outcome.ok() ? host::HostError{} : outcome.error();
}

using Step = host::HostError (*)(StandInHost&, const Handles&);

struct OperationCase {
  const char* operation;
  Step call;
};

// Every operation of DrawingHost, called once on good handles.
const OperationCase kOperations[] = {
    {"CountOpenDocuments",
     [](StandInHost& h, const Handles&) { return errorOf(h.CountOpenDocuments()); }},
    {"GetActiveDocument",
     [](StandInHost& h, const Handles&) { return errorOf(h.GetActiveDocument()); }},
    {"GetCurrentLayer",
     [](StandInHost& h, const Handles&) { return errorOf(h.GetCurrentLayer()); }},
    {"GetSelectionRange",
     [](StandInHost& h, const Handles&) { return errorOf(h.GetSelectionRange()); }},
    {"NewCmykColour",
     [](StandInHost& h, const Handles&) { return errorOf(h.NewCmykColour(0, 100, 100, 0)); }},
    {"NewCurve", [](StandInHost& h, const Handles& o) { return errorOf(h.NewCurve(o.document)); }},
    {"NewExportOptions",
     [](StandInHost& h, const Handles&) { return errorOf(h.NewExportOptions()); }},
    {"SetMeasuringState",
     [](StandInHost& h, const Handles& o) {
       return errorOf(h.SetMeasuringState(o.document, 0, 0, 3, 3));
     }},
    {"SelectShapes",
     [](StandInHost& h, const Handles& o) {
       return errorOf(h.SelectShapes(o.document, {o.shape}));
     }},
    {"ExportDocument",
     [](StandInHost& h, const Handles& o) {
       return errorOf(h.ExportDocument(o.document, "x.plt", 1281, 2, o.options));
     }},
    {"SetFilterProperty",
     [](StandInHost& h, const Handles& o) {
       return errorOf(h.SetFilterProperty(o.filter, "ScaleFactor", 100.0));
     }},
    {"FinishExport",
     [](StandInHost& h, const Handles& o) { return errorOf(h.FinishExport(o.filter)); }},
    {"ListPageLayers", [](StandInHost& h, const Handles&) { return errorOf(h.ListPageLayers()); }},
    {"FindPageLayer",
     [](StandInHost& h, const Handles&) { return errorOf(h.FindPageLayer("Layer 1")); }},
    {"AddPageLayer",
     [](StandInHost& h, const Handles&) { return errorOf(h.AddPageLayer("TraceLayer")); }},
    {"GetLayerName",
     [](StandInHost& h, const Handles& o) { return errorOf(h.GetLayerName(o.layer)); }},
    {"MakeLayerCurrent",
     [](StandInHost& h, const Handles& o) { return errorOf(h.MakeLayerCurrent(o.layer)); }},
    {"RemoveLayer",
     [](StandInHost& h, const Handles& o) { return errorOf(h.RemoveLayer(o.layer)); }},
    {"SetLayerPrintable",
     [](StandInHost& h, const Handles& o) { return errorOf(h.SetLayerPrintable(o.layer, false)); }},
    {"GetLayerShapes",
     [](StandInHost& h, const Handles& o) { return errorOf(h.GetLayerShapes(o.layer)); }},
    {"CountLayerShapes",
     [](StandInHost& h, const Handles& o) { return errorOf(h.CountLayerShapes(o.layer)); }},
    {"FindLayerShape",
     [](StandInHost& h, const Handles& o) { return errorOf(h.FindLayerShape(o.layer, "A")); }},
    {"PlaceCurveShape",
     [](StandInHost& h, const Handles& o) { return errorOf(h.PlaceCurveShape(o.layer, o.curve)); }},
    {"RangeCount", [](StandInHost& h, const Handles& o) { return errorOf(h.RangeCount(o.range)); }},
    {"RangeItem",
     [](StandInHost& h, const Handles& o) { return errorOf(h.RangeItem(o.range, 1)); }},
    {"GetRangeShapes",
     [](StandInHost& h, const Handles& o) { return errorOf(h.GetRangeShapes(o.range)); }},
    {"RangeBoundingBox",
     [](StandInHost& h, const Handles& o) { return errorOf(h.RangeBoundingBox(o.range)); }},
    {"MergeShapes",
     [](StandInHost& h, const Handles& o) { return errorOf(h.MergeShapes(o.range)); }},
    {"RemoveShapes",
     [](StandInHost& h, const Handles& o) { return errorOf(h.RemoveShapes(o.range)); }},
    {"GetShapeKind",
     [](StandInHost& h, const Handles& o) { return errorOf(h.GetShapeKind(o.bitmap)); }},
    {"VectoriseBitmap",
     [](StandInHost& h, const Handles& o) { return errorOf(h.VectoriseBitmap(o.bitmap, {})); }},
    {"FinishVectorising",
     [](StandInHost& h, const Handles& o) { return errorOf(h.FinishVectorising(o.vectorising)); }},
    {"RunBoundaryCommand",
     [](StandInHost& h, const Handles& o) {
       return errorOf(h.RunBoundaryCommand(o.shape, "Boundary", "CreateBoundary"));
     }},
    {"RunBoundaryCommand",
     [](StandInHost& h, const Handles& o) {
       return errorOf(h.RunBoundaryCommand(o.range, "Boundary", "CreateBoundary"));
     }},
    {"CopyShapeToLayer",
     [](StandInHost& h, const Handles& o) {
       return errorOf(h.CopyShapeToLayer(o.shape, o.layer));
     }},
    {"RemoveShape",
     [](StandInHost& h, const Handles& o) { return errorOf(h.RemoveShape(o.shape)); }},
    {"SetShapeName",
     [](StandInHost& h, const Handles& o) {
       return errorOf(h.SetShapeName(o.shape, "TraceLine"));
     }},
    {"SetOutlineCmyk",
     [](StandInHost& h, const Handles& o) {
       return errorOf(h.SetOutlineCmyk(o.shape, 0, 100, 100, 0));
     }},
    {"SetOutlineWidth",
     [](StandInHost& h, const Handles& o) { return errorOf(h.SetOutlineWidth(o.shape, 1.0)); }},
    {"ReadShapePosition",
     [](StandInHost& h, const Handles& o) { return errorOf(h.ReadShapePosition(o.shape)); }},
    {"ReadShapeSize",
     [](StandInHost& h, const Handles& o) { return errorOf(h.ReadShapeSize(o.shape)); }},
    {"AddContourEffect",
     [](StandInHost& h, const Handles& o) {
       return errorOf(h.AddContourEffect(
           o.shape, {1, 2, 1, 0, o.colour, o.colour, o.colour, 0, 0, 2, 4, 15.0}));
     }},
    {"SeparateEffect",
     [](StandInHost& h, const Handles& o) { return errorOf(h.SeparateEffect(o.effect)); }},
    {"BeginSubpath",
     [](StandInHost& h, const Handles& o) { return errorOf(h.BeginSubpath(o.curve, 1, 2)); }},
    {"ExtendSubpathLine",
     [](StandInHost& h, const Handles& o) {
       return errorOf(h.ExtendSubpathLine(o.subpath, 3, 4));
     }},
};

TEST(StandInHostFailures, EveryOperationSucceedsOnGoodHandles) {
  for (const OperationCase& c : kOperations) {
    SCOPED_TRACE(c.operation);
    corvane::testing::TempDir dir;
    StandInHost host;
    const Handles handles = prepare(host, dir.file("job.plt"));
    EXPECT_EQ(c.call(host, handles).text, "");
  }
}

TEST(StandInHostFailures, EveryOperationFailsWhenToldToAndIsLogged) {
  for (const OperationCase& c : kOperations) {
    SCOPED_TRACE(c.operation);
    corvane::testing::TempDir dir;
    StandInHost host;
    const Handles handles = prepare(host, dir.file("job.plt"));
    host.failCall(c.operation, 1, "Injected.");
    const host::HostError error = c.call(host, handles);
    EXPECT_EQ(std::make_tuple(error.operation, error.text, host.operationsCalled()),
              std::make_tuple(std::string(c.operation), std::string("Injected."),
                              std::vector<std::string>{c.operation}));
  }
}

TEST(StandInHostFailures, TheNthCallFromNowFailsAndDoesNothing) {
  StandInHost host;
  host.addRectangle("Layer 1", "A", 10, 20, 100, 50);
  const host::Shape shape = shapeOn(host, "Layer 1", "A");
  host.failCall("SetShapeName", 2, "Injected.");
  std::vector<bool> results;
  for (const char* name : {"First", "Second", "Third"}) {
    results.push_back(host.SetShapeName(shape, name).ok());
    results.push_back(!host.layers()[0].shapes.empty() && host.layers()[0].shapes[0].name == name);
  }
  EXPECT_EQ(results, (std::vector<bool>{true, true, false, false, true, true}));
}

TEST(StandInHostLog, CallsRecordTheValuesThatReachedTheHost) {
  const struct {
    Step call;
    const char* logged;
  } cases[] = {
      {[](StandInHost& h, const Handles& o) {
         return errorOf(h.SetMeasuringState(o.document, 0, 0, 3, 3));
       },
       "SetMeasuringState(document \"Drawing 1\", 0, 0, 3, 3)"},
      {[](StandInHost& h, const Handles& o) {
         return errorOf(h.SelectShapes(o.document, {o.shape, o.bitmap}));
       },
       "SelectShapes(document \"Drawing 1\", shape \"A\", shape \"Picture\")"},
      {[](StandInHost& h, const Handles& o) {
         return errorOf(h.SetFilterProperty(o.filter, "PlotterUnits", std::int16_t{1016}));
       },
       "SetFilterProperty(filter, \"PlotterUnits\", int16 1016)"},
      {[](StandInHost& h, const Handles& o) {
         return errorOf(h.AddContourEffect(
             o.shape, {1, 2.75, 1, 0, o.colour, o.colour, {}, 0, 0, 2, 4, 15.0}));
       },
       "AddContourEffect(shape \"A\", 1, 2.75, 1, 0, CMYK 0,0,0,100, CMYK 0,0,0,100, Nothing, 0, "
       "0, 2, 4, 15)"},
      {[](StandInHost& h, const Handles& o) {
         return errorOf(h.ExtendSubpathLine(o.subpath, -10, 220));
       },
       "ExtendSubpathLine(subpath, -10, 220)"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.logged);
    corvane::testing::TempDir dir;
    StandInHost host;
    const Handles handles = prepare(host, dir.file("job.plt"));
    c.call(host, handles);
    EXPECT_EQ(host.calls().back().text(), c.logged);
  }
}

TEST(StandInHostObjects, OperationsOnObjectsThatAreGoneFailAsTheHostDoes) {
  const struct {
    const char* what;
    Step call;
    const char* error;
  } cases[] = {
      {"removed shape",
       [](StandInHost& h, const Handles& o) {
         ok(h.RemoveShape(o.shape));
         return errorOf(h.SetShapeName(o.shape, "X"));
       },
       "The object has been deleted."},
      {"removed layer",
       [](StandInHost& h, const Handles& o) {
         ok(h.RemoveLayer(o.layer));
         return errorOf(h.GetLayerName(o.layer));
       },
       "The object has been deleted."},
      {"shape of another document",
       [](StandInHost& h, const Handles& o) {
         h.newDocument("Other");
         return errorOf(h.SelectShapes(ok(h.GetActiveDocument()), {o.shape}));
       },
       "The object belongs to another document."},
      {"handle of another host",
       [](StandInHost&, const Handles& o) {
         StandInHost other;
         return errorOf(other.GetLayerName(o.layer));
       },
       "Invalid object: it was not made by this host."},
      {"no document open",
       [](StandInHost& h, const Handles&) {
         h.closeAllDocuments();
         return errorOf(h.GetSelectionRange());
       },
       "No document is open."},
      {"closed document",
       [](StandInHost& h, const Handles& o) {
         h.closeAllDocuments();
         return errorOf(h.ReadShapeSize(o.shape));
       },
       "The document has been closed."},
      {"closed path drawn twice over, enclosing nothing by the even-odd rule",
       [](StandInHost& h, const Handles& o) {
         h.addShape("Layer 1", "Twice",
                    {Path{{{0, 0}, {10, 0}, {10, 10}, {0, 10}, {0, 0}, {10, 0}, {10, 10}, {0, 10}},
                          true}});
         ok(h.SelectShapes(o.document, {shapeOn(h, "Layer 1", "Twice")}));
         return errorOf(
             h.RunBoundaryCommand(ok(h.GetSelectionRange()), "Boundary", "CreateBoundary"));
       },
       "No boundary can be made: the objects enclose no area and have no lines."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    corvane::testing::TempDir dir;
    StandInHost host;
    const Handles handles = prepare(host, dir.file("job.plt"));
    EXPECT_EQ(c.call(host, handles).text, c.error);
  }
}

TEST(StandInHostMeasuring, PositionIsTheReferencePointInTheDocumentsUnitsFromItsOrigin) {
  // The rectangle spans 10..110 mm across and 20..70 mm up.
  const struct {
    double originX;
    std::int32_t unit;
    std::int32_t reference;
    host::Point position;
  } cases[] = {
      {0, 3, 3, {10, 70}},                // millimetres, top-left
      {5, 3, 3, {10 - 127, 70}},          // origin set in the new document's inches
      {0, 3, 9, {60, 45}},                // centre
      {0, 1, 3, {10 / 25.4, 70 / 25.4}},  // inches
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.originX << " " << c.unit << " " << c.reference);
    StandInHost host;
    host.addRectangle("Layer 1", "A", 10, 20, 100, 50);
    ok(host.SetMeasuringState(ok(host.GetActiveDocument()), c.originX, 0, c.unit, c.reference));
    const host::Point p = ok(host.ReadShapePosition(shapeOn(host, "Layer 1", "A")));
    EXPECT_EQ(std::make_pair(std::round(p.x / kPlotterUnitMm), std::round(p.y / kPlotterUnitMm)),
              std::make_pair(std::round(c.position.x / kPlotterUnitMm),
                             std::round(c.position.y / kPlotterUnitMm)));
  }
}

TEST(StandInHostMeasuring, BoundingBoxLeavesTheOutlineWidthOut) {
  StandInHost host;
  host.addRectangle("Layer 1", "A", 10, 20, 100, 50);
  host.setOutline("Layer 1", "A", kBlack, 5.0);
  host.selectAll();
  measure(host);
  const host::Box box = ok(host.RangeBoundingBox(ok(host.GetSelectionRange())));
  EXPECT_EQ(std::make_tuple(box.left, box.right, box.top, box.bottom),
            std::make_tuple(10.0, 110.0, 70.0, 20.0));
}

TEST(StandInHostDocuments, FilesThatAreNoDrawingOpenNothing) {
  const struct {
    const char* content;  // nullptr: no file
    const char* error;
  } cases[] = {
      {nullptr, "The file cannot be opened: "},
      {"Dear operator, ...", "The file is not an HPGL drawing: it draws no line."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.error);
    corvane::testing::TempDir dir;
    const std::string path = dir.file("drawing.plt");
    if (c.content) corvane::testing::writeFile(path, c.content);
    StandInHost host;
    const host::HostStatus opened = host.openPltDocument(path);
    EXPECT_EQ(opened.error().text + std::to_string(host.documentCount()),
              std::string(c.error) + (c.content ? "" : path) + "1");
  }
}

}  // namespace
}  // namespace corvane::standin
