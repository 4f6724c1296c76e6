// Each member below states its signature as the host's object model
// declares it (name, invoke kind, arguments with their VARIANT types, the
// optional ones) and maps the call onto DrawingHost operations of the
// stand-in. The strict dispatcher checks the call against the signature
// before the handler runs.
//
// Where the object model has a member the DrawingHost operations do not
// cover, the handler says how it stands in (a getter read from the
// stand-in's objects, a range made here, one operation per property put).

#include "toolwindow/standins/server/host_object_model.h"

#include <stdexcept>
#include <utility>
#include <vector>

#include "toolwindow/standins/server/standin_peek.h"

namespace corvane::standin_server {
namespace {

using host::HostError;
using host::HostResult;
using host::HostStatus;

standin::StandInHost* theHost = nullptr;
const ServerHooks* theHooks = nullptr;

standin::StandInHost& stand() { return *theHost; }

HostError refused(std::string text) { return HostError{"", std::move(text)}; }

// --- Signatures --------------------------------------------------------------------

constexpr Param kText{ArgType::Text};
constexpr Param kInt32{ArgType::Int32};
constexpr Param kInt16{ArgType::Int16};
constexpr Param kReal{ArgType::Real};
constexpr Param kFlag{ArgType::Flag};
constexpr Param kIndex{ArgType::IndexOrName};
constexpr Param kOut{ArgType::OutReal};
constexpr Param kMore{ArgType::ParamArray, true};

constexpr Param optional(Param param) {
  param.optional = true;
  return param;
}

constexpr Param object(ObjectKind kind, bool optional = false) {
  return Param{ArgType::Object, optional, kind};
}

MemberSignature get(const wchar_t* name, std::vector<Param> params = {}) {
  return {name, MemberKind::Get, std::move(params)};
}

MemberSignature method(const wchar_t* name, std::vector<Param> params = {}) {
  return {name, MemberKind::Method, std::move(params)};
}

MemberSignature put(const wchar_t* name, ArgType type, ObjectKind kind = ObjectKind::Application) {
  return {name, MemberKind::Put, {}, type, kind};
}

MemberSignature getPut(const wchar_t* name, ArgType type,
                       ObjectKind kind = ObjectKind::Application) {
  return {name, MemberKind::GetPut, {}, type, kind};
}

// --- The objects ---------------------------------------------------------------------

AutomationObject* wrap(const host::Document& document);
AutomationObject* wrap(const host::Layer& layer);
AutomationObject* wrap(const host::Shape& shape);
AutomationObject* wrap(const host::ShapeRange& range);
AutomationObject* wrapPage();
AutomationObject* wrapLayers();

class Application : public Automated<Application> {
 public:
  explicit Application(std::int32_t versionMajor)
      : Automated(ObjectKind::Application), version(versionMajor) {}
  static const std::vector<Member<Application>>& members();
  std::int32_t version;
};

class Documents : public Automated<Documents> {
 public:
  Documents() : Automated(ObjectKind::Documents) {}
  static const std::vector<Member<Documents>>& members();
};

class Document : public Automated<Document> {
 public:
  explicit Document(host::Document given)
      : Automated(ObjectKind::Document), handle(std::move(given)) {}
  static const std::vector<Member<Document>>& members();
  host::Document handle;
};

// The active page: the DrawingHost operations on layers all act on it.
class Page : public Automated<Page> {
 public:
  Page() : Automated(ObjectKind::Page) {}
  static const std::vector<Member<Page>>& members();
};

class Layers : public Automated<Layers> {
 public:
  Layers() : Automated(ObjectKind::Layers) {}
  static const std::vector<Member<Layers>>& members();
};

class Layer : public Automated<Layer> {
 public:
  explicit Layer(host::Layer given) : Automated(ObjectKind::Layer), handle(std::move(given)) {}
  static const std::vector<Member<Layer>>& members();
  host::Layer handle;
};

// The shapes of a layer, or of a range.
class Shapes : public Automated<Shapes> {
 public:
  explicit Shapes(host::Layer given) : Automated(ObjectKind::Shapes), layer(std::move(given)) {}
  explicit Shapes(host::ShapeRange given)
      : Automated(ObjectKind::Shapes), range(std::move(given)) {}
  static const std::vector<Member<Shapes>>& members();
  host::Layer layer;
  host::ShapeRange range;
};

// A range the host gave, or one made by CreateShapeRange and Add: the
// DrawingHost has no operation that makes a range, so a made one is a list
// of shapes here and does what the operations allow on a list.
class ShapeRange : public Automated<ShapeRange> {
 public:
  explicit ShapeRange(host::ShapeRange given)
      : Automated(ObjectKind::ShapeRange), handle(std::move(given)) {}
  ShapeRange() : Automated(ObjectKind::ShapeRange) {}
  static const std::vector<Member<ShapeRange>>& members();
  host::ShapeRange handle;
  std::vector<host::Shape> made;
};

class Shape : public Automated<Shape> {
 public:
  explicit Shape(host::Shape given) : Automated(ObjectKind::Shape), handle(std::move(given)) {}
  static const std::vector<Member<Shape>>& members();
  host::Shape handle;
};

class Outline : public Automated<Outline> {
 public:
  explicit Outline(host::Shape given) : Automated(ObjectKind::Outline), shape(std::move(given)) {}
  static const std::vector<Member<Outline>>& members();
  host::Shape shape;
};

// A shape's outline colour, or a colour of its own (CreateCMYKColor).
class Color : public Automated<Color> {
 public:
  explicit Color(host::Shape given) : Automated(ObjectKind::Color), shape(std::move(given)) {}
  explicit Color(host::Colour given) : Automated(ObjectKind::Color), colour(std::move(given)) {}
  static const std::vector<Member<Color>>& members();
  host::Shape shape;
  host::Colour colour;
};

class Bitmap : public Automated<Bitmap> {
 public:
  explicit Bitmap(host::Shape given) : Automated(ObjectKind::Bitmap), shape(std::move(given)) {}
  static const std::vector<Member<Bitmap>>& members();
  host::Shape shape;
};

class TraceSettings : public Automated<TraceSettings> {
 public:
  explicit TraceSettings(host::Vectorising given)
      : Automated(ObjectKind::TraceSettings), handle(std::move(given)) {}
  static const std::vector<Member<TraceSettings>>& members();
  host::Vectorising handle;
};

class Effect : public Automated<Effect> {
 public:
  explicit Effect(host::Effect given) : Automated(ObjectKind::Effect), handle(std::move(given)) {}
  static const std::vector<Member<Effect>>& members();
  host::Effect handle;
};

class Curve : public Automated<Curve> {
 public:
  explicit Curve(host::Curve given) : Automated(ObjectKind::Curve), handle(std::move(given)) {}
  static const std::vector<Member<Curve>>& members();
  host::Curve handle;
};

class SubPath : public Automated<SubPath> {
 public:
  explicit SubPath(host::Subpath given)
      : Automated(ObjectKind::SubPath), handle(std::move(given)) {}
  static const std::vector<Member<SubPath>>& members();
  host::Subpath handle;
};

class ExportFilter : public Automated<ExportFilter> {
 public:
  explicit ExportFilter(host::ExportFilter given)
      : Automated(ObjectKind::ExportFilter), handle(std::move(given)) {}
  static const std::vector<Member<ExportFilter>>& members();
  host::ExportFilter handle;
};

class ExportOptions : public Automated<ExportOptions> {
 public:
  explicit ExportOptions(host::ExportOptions given)
      : Automated(ObjectKind::ExportOptions), handle(std::move(given)) {}
  static const std::vector<Member<ExportOptions>>& members();
  host::ExportOptions handle;
};

AutomationObject* wrap(const host::Document& document) { return new Document(document); }
AutomationObject* wrap(const host::Layer& layer) { return new Layer(layer); }
AutomationObject* wrap(const host::Shape& shape) { return new Shape(shape); }
AutomationObject* wrap(const host::ShapeRange& range) { return new ShapeRange(range); }
AutomationObject* wrapPage() { return new Page(); }
AutomationObject* wrapLayers() { return new Layers(); }

template <class Object>
Object* objectArg(const Arguments& arguments, std::size_t i) {
  return static_cast<Object*>(arguments.object(i));
}

// Sets a result from an operation's value.
template <class T>
HostStatus answer(HostResult<T> outcome, VARIANT* result) {
  if (!outcome) return outcome.error();
  setResult(result, wrap(outcome.value()));
  return {};
}

HostResult<std::vector<host::Shape>> shapesOf(const host::ShapeRange& range,
                                              const std::vector<host::Shape>& made = {}) {
  if (!range) return made;
  auto count = stand().RangeCount(range);
  if (!count) return count.error();
  std::vector<host::Shape> shapes;
  for (std::int32_t n = 1; n <= count.value(); ++n) {
    auto shape = stand().RangeItem(range, n);
    if (!shape) return shape.error();
    shapes.push_back(std::move(shape).value());
  }
  return shapes;
}

HostError onlyHostRanges() {
  return refused("The stand-in server does this only on ranges the host made.");
}

HostResult<host::Box> boxOf(const ShapeRange& range) {
  if (!range.handle) return onlyHostRanges();
  return stand().RangeBoundingBox(range.handle);
}

HostStatus setMeasuring(const Document& self, double originX, double originY, std::int32_t unit,
                        std::int32_t reference) {
  return stand().SetMeasuringState(self.handle, originX, originY, unit, reference);
}

HostStatus selectShapes(const std::vector<host::Shape>& shapes) {
  auto document = stand().GetActiveDocument();
  if (!document) return document.error();
  return stand().SelectShapes(document.value(), shapes);
}

HostResult<host::Colour> colourHandle(const Color* color) {
  if (color == nullptr) return host::Colour();
  if (color->colour) return color->colour;
  const standin::Cmyk cmyk = outlineColour(color->shape);
  return stand().NewCmykColour(cmyk.cyan, cmyk.magenta, cmyk.yellow, cmyk.black);
}

HostStatus noParameters(const Arguments& arguments) {
  if (arguments.extraValues() > 0) return refused("The command takes no parameters.");
  return {};
}

// --- Member tables ----------------------------------------------------------------------

using O = ObjectKind;

}  // namespace

const std::vector<Member<Application>>& Application::members() {
  static const std::vector<Member<Application>> table{
      {get(L"Documents"),
       [](Application&, const Arguments&, VARIANT* r) -> HostStatus {
         setResult(r, new Documents());
         return {};
       }},
      {get(L"ActiveDocument"),
       [](Application&, const Arguments&, VARIANT* r) -> HostStatus {
         auto document = stand().GetActiveDocument();
         // The host answers Nothing when no document is open.
         if (!document && stand().documentCount() == 0) {
           setResult(r, static_cast<AutomationObject*>(nullptr));
           return {};
         }
         return answer(std::move(document), r);
       }},
      {get(L"ActiveLayer"), [](Application&, const Arguments&,
                               VARIANT* r) { return answer(stand().GetCurrentLayer(), r); }},
      {get(L"ActiveSelectionRange"),
       [](Application&, const Arguments&, VARIANT* r) {
         return answer(stand().GetSelectionRange(), r);
       }},
      {get(L"ActivePage"),
       [](Application&, const Arguments&, VARIANT* r) -> HostStatus {
         setResult(r, stand().documentCount() == 0 ? nullptr : wrapPage());
         return {};
       }},
      {method(L"CreateCMYKColor", {kInt32, kInt32, kInt32, kInt32}),
       [](Application&, const Arguments& a, VARIANT* r) -> HostStatus {
         auto colour = stand().NewCmykColour(a.int32(0), a.int32(1), a.int32(2), a.int32(3));
         if (!colour) return colour.error();
         setResult(r, new Color(colour.value()));
         return {};
       }},
      {method(L"CreateCurve", {object(O::Document, true)}),
       [](Application&, const Arguments& a, VARIANT* r) -> HostStatus {
         host::Document document;
         if (auto* given = objectArg<Document>(a, 0)) {
           document = given->handle;
         } else {
           // Unbound: the stand-in's curves always belong to a document.
           auto active = stand().GetActiveDocument();
           if (!active) return active.error();
           document = active.value();
         }
         auto curve = stand().NewCurve(document);
         if (!curve) return curve.error();
         setResult(r, new Curve(curve.value()));
         return {};
       }},
      {method(L"CreateStructExportOptions"),
       [](Application&, const Arguments&, VARIANT* r) -> HostStatus {
         auto options = stand().NewExportOptions();
         if (!options) return options.error();
         setResult(r, new ExportOptions(options.value()));
         return {};
       }},
      {method(L"CreateShapeRange"),
       [](Application&, const Arguments&, VARIANT* r) -> HostStatus {
         setResult(r, new ShapeRange());
         return {};
       }},
      {get(L"VersionMajor"),
       [](Application& self, const Arguments&, VARIANT* r) -> HostStatus {
         setResult(r, self.version);
         return {};
       }},
      {get(L"Visible"),
       [](Application&, const Arguments&, VARIANT* r) -> HostStatus {
         setFlagResult(r, theHooks->visible);
         return {};
       }},
      {method(L"Quit"),
       [](Application&, const Arguments&, VARIANT*) -> HostStatus {
         theHooks->quit();
         return {};
       }},
      // The stand-in's own members, for tests and trials; no real host has them.
      {method(L"StandInDump", {kText, optional(kText)}),
       [](Application&, const Arguments& a, VARIANT*) -> HostStatus {
         const std::string error = theHooks->dump(a.text(0), a.text(1));
         if (!error.empty()) return refused(error);
         return {};
       }},
      {method(L"StandInFailCall", {kText, kInt32, kText}),
       [](Application&, const Arguments& a, VARIANT*) -> HostStatus {
         try {
           stand().failCall(a.text(0), a.int32(1), a.text(2));
         } catch (const std::invalid_argument& mistake) {
           return refused(mistake.what());
         }
         return {};
       }},
      {get(L"StandInCallLog"),
       [](Application&, const Arguments&, VARIANT* r) -> HostStatus {
         std::string text;
         for (const standin::Call& call : stand().calls()) text += call.text() + "\n";
         setResult(r, text);
         return {};
       }},
      {method(L"StandInClearCalls"),
       [](Application&, const Arguments&, VARIANT*) -> HostStatus {
         stand().clearCalls();
         return {};
       }},
  };
  return table;
}

const std::vector<Member<Documents>>& Documents::members() {
  static const std::vector<Member<Documents>> table{
      {get(L"Count"),
       [](Documents&, const Arguments&, VARIANT* r) -> HostStatus {
         auto count = stand().CountOpenDocuments();
         if (!count) return count.error();
         setResult(r, count.value());
         return {};
       }},
  };
  return table;
}

// Each measuring property is one SetMeasuringState call that keeps the
// other three values as the document has them.
const std::vector<Member<Document>>& Document::members() {
  static const std::vector<Member<Document>> table{
      {getPut(L"Unit", ArgType::Int32),
       [](Document& self, const Arguments&, VARIANT* r) -> HostStatus {
         setResult(r, documentUnits(self.handle).unitCode);
         return {};
       },
       [](Document& self, const Arguments& a) {
         const DocumentUnits now = documentUnits(self.handle);
         return setMeasuring(self, now.originX, now.originY, a.int32(0), now.referenceCode);
       }},
      {getPut(L"ReferencePoint", ArgType::Int32),
       [](Document& self, const Arguments&, VARIANT* r) -> HostStatus {
         setResult(r, documentUnits(self.handle).referenceCode);
         return {};
       },
       [](Document& self, const Arguments& a) {
         const DocumentUnits now = documentUnits(self.handle);
         return setMeasuring(self, now.originX, now.originY, now.unitCode, a.int32(0));
       }},
      {getPut(L"DrawingOriginX", ArgType::Real),
       [](Document& self, const Arguments&, VARIANT* r) -> HostStatus {
         setResult(r, documentUnits(self.handle).originX);
         return {};
       },
       [](Document& self, const Arguments& a) {
         const DocumentUnits now = documentUnits(self.handle);
         return setMeasuring(self, a.real(0), now.originY, now.unitCode, now.referenceCode);
       }},
      {getPut(L"DrawingOriginY", ArgType::Real),
       [](Document& self, const Arguments&, VARIANT* r) -> HostStatus {
         setResult(r, documentUnits(self.handle).originY);
         return {};
       },
       [](Document& self, const Arguments& a) {
         const DocumentUnits now = documentUnits(self.handle);
         return setMeasuring(self, now.originX, a.real(0), now.unitCode, now.referenceCode);
       }},
      {method(L"ClearSelection"), [](Document& self, const Arguments&,
                                     VARIANT*) { return stand().SelectShapes(self.handle, {}); }},
      {method(L"ExportEx", {kText, kInt32, optional(kInt32), object(O::ExportOptions, true),
                            object(O::PaletteOptions, true)}),
       [](Document& self, const Arguments& a, VARIANT* r) -> HostStatus {
         const auto* options = objectArg<ExportOptions>(a, 3);
         auto filter = stand().ExportDocument(self.handle, a.text(0), a.int32(1), a.int32(2, 1),
                                              options ? options->handle : host::ExportOptions());
         if (!filter) return filter.error();
         setResult(r, new ExportFilter(filter.value()));
         return {};
       }},
      {get(L"ActivePage"),
       [](Document&, const Arguments&, VARIANT* r) -> HostStatus {
         setResult(r, wrapPage());
         return {};
       }},
      {get(L"ActiveLayer"), [](Document&, const Arguments&,
                               VARIANT* r) { return answer(stand().GetCurrentLayer(), r); }},
      {get(L"SelectionRange"), [](Document&, const Arguments&,
                                  VARIANT* r) { return answer(stand().GetSelectionRange(), r); }},
  };
  return table;
}

// The filter's properties are put-only here: the DrawingHost cannot read
// them back, and the tool window only sets them.
const std::vector<Member<ExportFilter>>& ExportFilter::members() {
  static const std::vector<Member<ExportFilter>> table{
      {put(L"ScaleFactor", ArgType::Real), nullptr,
       [](ExportFilter& self, const Arguments& a) {
         return stand().SetFilterProperty(self.handle, "ScaleFactor", a.real(0));
       }},
      {put(L"PlotterUnits", ArgType::Int16), nullptr,
       [](ExportFilter& self, const Arguments& a) {
         return stand().SetFilterProperty(self.handle, "PlotterUnits", a.int16(0));
       }},
      {put(L"CurveResolution", ArgType::Real), nullptr,
       [](ExportFilter& self, const Arguments& a) {
         return stand().SetFilterProperty(self.handle, "CurveResolution", a.real(0));
       }},
      {put(L"RemoveHiddenLines", ArgType::Flag), nullptr,
       [](ExportFilter& self, const Arguments& a) {
         return stand().SetFilterProperty(self.handle, "RemoveHiddenLines", a.flag(0));
       }},
      {put(L"AutomaticWeld", ArgType::Flag), nullptr,
       [](ExportFilter& self, const Arguments& a) {
         return stand().SetFilterProperty(self.handle, "AutomaticWeld", a.flag(0));
       }},
      {method(L"Finish"), [](ExportFilter& self, const Arguments&,
                             VARIANT*) { return stand().FinishExport(self.handle); }},
  };
  return table;
}

const std::vector<Member<ExportOptions>>& ExportOptions::members() {
  static const std::vector<Member<ExportOptions>> table{};
  return table;
}

const std::vector<Member<Page>>& Page::members() {
  static const std::vector<Member<Page>> table{
      {get(L"Layers"),
       [](Page&, const Arguments&, VARIANT* r) -> HostStatus {
         setResult(r, wrapLayers());
         return {};
       }},
      {method(L"CreateLayer", {kText}),
       [](Page&, const Arguments& a, VARIANT* r) {
         return answer(stand().AddPageLayer(a.text(0)), r);
       }},
      {get(L"ActiveLayer"),
       [](Page&, const Arguments&, VARIANT* r) { return answer(stand().GetCurrentLayer(), r); }},
  };
  return table;
}

const std::vector<Member<Layers>>& Layers::members() {
  static const std::vector<Member<Layers>> table{
      {get(L"Count"),
       [](Layers&, const Arguments&, VARIANT* r) -> HostStatus {
         auto layers = stand().ListPageLayers();
         if (!layers) return layers.error();
         setResult(r, static_cast<std::int32_t>(layers.value().size()));
         return {};
       }},
      {get(L"Item", {kIndex}),
       [](Layers&, const Arguments& a, VARIANT* r) -> HostStatus {
         if (a.isName(0)) return answer(stand().FindPageLayer(a.text(0)), r);
         auto layers = stand().ListPageLayers();
         if (!layers) return layers.error();
         const std::int32_t n = a.int32(0);
         if (n < 1 || static_cast<std::size_t>(n) > layers.value().size()) {
           return refused("Index out of range.");
         }
         setResult(r, wrap(layers.value()[static_cast<std::size_t>(n - 1)]));
         return {};
       }},
      {method(L"Find", {kText}),
       [](Layers&, const Arguments& a, VARIANT* r) {
         return answer(stand().FindPageLayer(a.text(0)), r);
       }},
  };
  return table;
}

const std::vector<Member<Layer>>& Layer::members() {
  static const std::vector<Member<Layer>> table{
      {get(L"Name"),
       [](Layer& self, const Arguments&, VARIANT* r) -> HostStatus {
         auto name = stand().GetLayerName(self.handle);
         if (!name) return name.error();
         setResult(r, name.value());
         return {};
       }},
      {method(L"Activate"), [](Layer& self, const Arguments&,
                               VARIANT*) { return stand().MakeLayerCurrent(self.handle); }},
      {method(L"Delete"),
       [](Layer& self, const Arguments&, VARIANT*) { return stand().RemoveLayer(self.handle); }},
      {getPut(L"Printable", ArgType::Flag),
       [](Layer& self, const Arguments&, VARIANT* r) -> HostStatus {
         setFlagResult(r, layerPrintable(self.handle));
         return {};
       },
       [](Layer& self, const Arguments& a) {
         return stand().SetLayerPrintable(self.handle, a.flag(0));
       }},
      {get(L"Shapes"),
       [](Layer& self, const Arguments&, VARIANT* r) -> HostStatus {
         setResult(r, new Shapes(self.handle));
         return {};
       }},
      {method(L"FindShape", {optional(kText), optional(kInt32), optional(kInt32), optional(kFlag)}),
       [](Layer& self, const Arguments& a, VARIANT* r) {
         return answer(stand().FindLayerShape(self.handle, a.text(0)), r);
       }},
      {method(L"CreateCurve", {object(O::Curve)}),
       [](Layer& self, const Arguments& a, VARIANT* r) {
         return answer(stand().PlaceCurveShape(self.handle, objectArg<Curve>(a, 0)->handle), r);
       }},
  };
  return table;
}

const std::vector<Member<Shapes>>& Shapes::members() {
  static const std::vector<Member<Shapes>> table{
      {get(L"Count"),
       [](Shapes& self, const Arguments&, VARIANT* r) -> HostStatus {
         auto count =
             self.layer ? stand().CountLayerShapes(self.layer) : stand().RangeCount(self.range);
         if (!count) return count.error();
         setResult(r, count.value());
         return {};
       }},
      {get(L"Item", {kIndex}),
       [](Shapes& self, const Arguments& a, VARIANT* r) -> HostStatus {
         if (a.isName(0)) {
           if (!self.layer) return refused("The stand-in server finds shapes by name on layers.");
           return answer(stand().FindLayerShape(self.layer, a.text(0)), r);
         }
         host::ShapeRange range = self.range;
         if (self.layer) {
           auto all = stand().GetLayerShapes(self.layer);
           if (!all) return all.error();
           range = all.value();
         }
         return answer(stand().RangeItem(range, a.int32(0)), r);
       }},
      {method(L"All"),
       [](Shapes& self, const Arguments&, VARIANT* r) {
         return answer(
             self.layer ? stand().GetLayerShapes(self.layer) : stand().GetRangeShapes(self.range),
             r);
       }},
      {method(L"FindShape", {optional(kText), optional(kInt32), optional(kInt32), optional(kFlag),
                             optional(kText)}),
       [](Shapes& self, const Arguments& a, VARIANT* r) -> HostStatus {
         if (!self.layer) return refused("The stand-in server finds shapes by name on layers.");
         return answer(stand().FindLayerShape(self.layer, a.text(0)), r);
       }},
  };
  return table;
}

const std::vector<Member<ShapeRange>>& ShapeRange::members() {
  static const std::vector<Member<ShapeRange>> table{
      {get(L"Count"),
       [](ShapeRange& self, const Arguments&, VARIANT* r) -> HostStatus {
         if (!self.handle) {
           setResult(r, static_cast<std::int32_t>(self.made.size()));
           return {};
         }
         auto count = stand().RangeCount(self.handle);
         if (!count) return count.error();
         setResult(r, count.value());
         return {};
       }},
      {get(L"Item", {kIndex}),
       [](ShapeRange& self, const Arguments& a, VARIANT* r) -> HostStatus {
         if (a.isName(0)) return refused("The stand-in server takes range items by number.");
         const std::int32_t n = a.int32(0);
         if (self.handle) return answer(stand().RangeItem(self.handle, n), r);
         if (n < 1 || static_cast<std::size_t>(n) > self.made.size()) {
           return refused("Index out of range.");
         }
         setResult(r, wrap(self.made[static_cast<std::size_t>(n - 1)]));
         return {};
       }},
      {get(L"Shapes"),
       [](ShapeRange& self, const Arguments&, VARIANT* r) -> HostStatus {
         if (!self.handle) return onlyHostRanges();
         setResult(r, new Shapes(self.handle));
         return {};
       }},
      {method(L"Add", {object(O::Shape)}),
       [](ShapeRange& self, const Arguments& a, VARIANT*) -> HostStatus {
         if (self.handle) return refused("The stand-in server adds only to a CreateShapeRange.");
         self.made.push_back(objectArg<Shape>(a, 0)->handle);
         return {};
       }},
      {method(L"CreateSelection"),
       [](ShapeRange& self, const Arguments&, VARIANT*) -> HostStatus {
         auto shapes = shapesOf(self.handle, self.made);
         if (!shapes) return shapes.error();
         return selectShapes(shapes.value());
       }},
      {method(L"GetBoundingBox", {kOut, kOut, kOut, kOut, optional(kFlag)}),
       [](ShapeRange& self, const Arguments& a, VARIANT*) -> HostStatus {
         auto box = boxOf(self);
         if (!box) return box.error();
         const host::Box& b = box.value();
         a.setOut(0, b.left);
         a.setOut(1, b.bottom);
         a.setOut(2, b.right - b.left);
         a.setOut(3, b.top - b.bottom);
         return {};
       }},
      {get(L"LeftX"),
       [](ShapeRange& self, const Arguments&, VARIANT* r) -> HostStatus {
         auto box = boxOf(self);
         if (!box) return box.error();
         setResult(r, box.value().left);
         return {};
       }},
      {get(L"RightX"),
       [](ShapeRange& self, const Arguments&, VARIANT* r) -> HostStatus {
         auto box = boxOf(self);
         if (!box) return box.error();
         setResult(r, box.value().right);
         return {};
       }},
      {get(L"TopY"),
       [](ShapeRange& self, const Arguments&, VARIANT* r) -> HostStatus {
         auto box = boxOf(self);
         if (!box) return box.error();
         setResult(r, box.value().top);
         return {};
       }},
      {get(L"BottomY"),
       [](ShapeRange& self, const Arguments&, VARIANT* r) -> HostStatus {
         auto box = boxOf(self);
         if (!box) return box.error();
         setResult(r, box.value().bottom);
         return {};
       }},
      {method(L"Combine"),
       [](ShapeRange& self, const Arguments&, VARIANT* r) -> HostStatus {
         if (!self.handle) return onlyHostRanges();
         return answer(stand().MergeShapes(self.handle), r);
       }},
      {method(L"Delete"),
       [](ShapeRange& self, const Arguments&, VARIANT*) -> HostStatus {
         if (self.handle) return stand().RemoveShapes(self.handle);
         for (const host::Shape& shape : self.made) {
           if (HostStatus removed = stand().RemoveShape(shape); !removed) return removed;
         }
         return {};
       }},
      {method(L"CustomCommand", {kText, kText, kMore}),
       [](ShapeRange& self, const Arguments& a, VARIANT* r) -> HostStatus {
         if (!self.handle) return onlyHostRanges();
         if (HostStatus checked = noParameters(a); !checked) return checked;
         return answer(stand().RunBoundaryCommand(self.handle, a.text(0), a.text(1)), r);
       }},
  };
  return table;
}

const std::vector<Member<Shape>>& Shape::members() {
  static const std::vector<Member<Shape>> table{
      {get(L"Type"),
       [](Shape& self, const Arguments&, VARIANT* r) -> HostStatus {
         auto kind = stand().GetShapeKind(self.handle);
         if (!kind) return kind.error();
         setResult(r, kind.value());
         return {};
       }},
      {getPut(L"Name", ArgType::Text),
       [](Shape& self, const Arguments&, VARIANT* r) -> HostStatus {
         setResult(r, shapeName(self.handle));
         return {};
       },
       [](Shape& self, const Arguments& a) {
         return stand().SetShapeName(self.handle, a.text(0));
       }},
      {method(L"Delete"),
       [](Shape& self, const Arguments&, VARIANT*) { return stand().RemoveShape(self.handle); }},
      {method(L"CopyToLayer", {object(O::Layer)}),
       [](Shape& self, const Arguments& a, VARIANT* r) {
         return answer(stand().CopyShapeToLayer(self.handle, objectArg<Layer>(a, 0)->handle), r);
       }},
      {get(L"Outline"),
       [](Shape& self, const Arguments&, VARIANT* r) -> HostStatus {
         setResult(r, new Outline(self.handle));
         return {};
       }},
      // No DrawingHost operation measures one shape: read off the stand-in.
      {method(L"GetBoundingBox", {kOut, kOut, kOut, kOut, optional(kFlag)}),
       [](Shape& self, const Arguments& a, VARIANT*) -> HostStatus {
         const std::optional<host::Box> box = shapeBox(self.handle);
         if (!box) return refused("The shape has no points to measure.");
         a.setOut(0, box->left);
         a.setOut(1, box->bottom);
         a.setOut(2, box->right - box->left);
         a.setOut(3, box->top - box->bottom);
         return {};
       }},
      {method(L"GetPosition", {kOut, kOut}),
       [](Shape& self, const Arguments& a, VARIANT*) -> HostStatus {
         auto position = stand().ReadShapePosition(self.handle);
         if (!position) return position.error();
         a.setOut(0, position.value().x);
         a.setOut(1, position.value().y);
         return {};
       }},
      {method(L"GetSize", {kOut, kOut}),
       [](Shape& self, const Arguments& a, VARIANT*) -> HostStatus {
         auto size = stand().ReadShapeSize(self.handle);
         if (!size) return size.error();
         a.setOut(0, size.value().width);
         a.setOut(1, size.value().height);
         return {};
       }},
      {get(L"Bitmap"),
       [](Shape& self, const Arguments&, VARIANT* r) -> HostStatus {
         setResult(r, new Bitmap(self.handle));
         return {};
       }},
      // Defaults as the host declares them.
      {method(L"CreateContour", {optional(kInt32), optional(kReal), optional(kInt32),
                                 optional(kInt32), object(O::Color, true), object(O::Color, true),
                                 object(O::Color, true), optional(kInt32), optional(kInt32),
                                 optional(kInt32), optional(kInt32), optional(kReal)}),
       [](Shape& self, const Arguments& a, VARIANT* r) -> HostStatus {
         host::ContourArguments contour;
         contour.direction = a.int32(0, 1);
         contour.offset = a.real(1, 0.0);
         contour.steps = a.int32(2, 1);
         contour.blendType = a.int32(3, 0);
         host::Colour* colours[] = {&contour.outlineColour, &contour.fillColour,
                                    &contour.fillColour2};
         for (std::size_t i = 0; i < 3; ++i) {
           auto colour = colourHandle(objectArg<Color>(a, 4 + i));
           if (!colour) return colour.error();
           *colours[i] = colour.value();
         }
         contour.spacingAcceleration = a.int32(7, 0);
         contour.colourAcceleration = a.int32(8, 0);
         contour.endCapType = a.int32(9, 2);
         contour.cornerType = a.int32(10, 4);
         contour.miterLimit = a.real(11, 0.0);
         auto effect = stand().AddContourEffect(self.handle, contour);
         if (!effect) return effect.error();
         setResult(r, new Effect(effect.value()));
         return {};
       }},
      {method(L"CustomCommand", {kText, kText, kMore}),
       [](Shape& self, const Arguments& a, VARIANT* r) -> HostStatus {
         if (HostStatus checked = noParameters(a); !checked) return checked;
         return answer(stand().RunBoundaryCommand(self.handle, a.text(0), a.text(1)), r);
       }},
      // Adds to the active document's selection: read it, then select it
      // with this shape.
      {method(L"AddToSelection"),
       [](Shape& self, const Arguments&, VARIANT*) -> HostStatus {
         auto selection = stand().GetSelectionRange();
         if (!selection) return selection.error();
         auto shapes = shapesOf(selection.value());
         if (!shapes) return shapes.error();
         shapes.value().push_back(self.handle);
         return selectShapes(shapes.value());
       }},
  };
  return table;
}

const std::vector<Member<Outline>>& Outline::members() {
  static const std::vector<Member<Outline>> table{
      {getPut(L"Width", ArgType::Real),
       [](Outline& self, const Arguments&, VARIANT* r) -> HostStatus {
         setResult(r, outlineWidth(self.shape));
         return {};
       },
       [](Outline& self, const Arguments& a) {
         return stand().SetOutlineWidth(self.shape, a.real(0));
       }},
      {getPut(L"Color", ArgType::Object, O::Color),
       [](Outline& self, const Arguments&, VARIANT* r) -> HostStatus {
         setResult(r, new Color(self.shape));
         return {};
       },
       [](Outline& self, const Arguments& a) {
         const auto* color = objectArg<Color>(a, 0);
         const standin::Cmyk cmyk =
             color->colour ? colourOf(color->colour) : outlineColour(color->shape);
         return stand().SetOutlineCmyk(self.shape, cmyk.cyan, cmyk.magenta, cmyk.yellow,
                                       cmyk.black);
       }},
  };
  return table;
}

const std::vector<Member<Color>>& Color::members() {
  static const std::vector<Member<Color>> table{
      {method(L"CMYKAssign", {kInt32, kInt32, kInt32, kInt32}),
       [](Color& self, const Arguments& a, VARIANT*) -> HostStatus {
         if (self.shape) {
           return stand().SetOutlineCmyk(self.shape, a.int32(0), a.int32(1), a.int32(2),
                                         a.int32(3));
         }
         auto colour = stand().NewCmykColour(a.int32(0), a.int32(1), a.int32(2), a.int32(3));
         if (!colour) return colour.error();
         self.colour = colour.value();
         return {};
       }},
  };
  return table;
}

const std::vector<Member<Bitmap>>& Bitmap::members() {
  static const std::vector<Member<Bitmap>> table{
      {method(L"Trace",
              {kInt32, optional(kInt16), optional(kInt16), optional(kInt32), optional(kInt32),
               optional(kInt32), optional(kFlag), optional(kFlag), optional(kFlag)}),
       [](Bitmap& self, const Arguments& a, VARIANT* r) -> HostStatus {
         host::VectoriseSettings settings;
         settings.traceType = a.int32(0);
         settings.smoothing = a.int16(1, -1);
         settings.detailLevelPercent = a.int16(2, 0);
         settings.colourMode = a.int32(3, 99);
         settings.paletteId = a.int32(4, 0);
         settings.colourCount = a.int32(5, 0);
         settings.deleteOriginal = a.flag(6, false);
         settings.removeBackground = a.flag(7, true);
         settings.removeEntireBackColour = a.flag(8, false);
         auto vectorising = stand().VectoriseBitmap(self.shape, settings);
         if (!vectorising) return vectorising.error();
         setResult(r, new TraceSettings(vectorising.value()));
         return {};
       }},
  };
  return table;
}

const std::vector<Member<TraceSettings>>& TraceSettings::members() {
  static const std::vector<Member<TraceSettings>> table{
      // The traced shapes, which are left selected as well.
      {method(L"Finish"),
       [](TraceSettings& self, const Arguments&, VARIANT* r) -> HostStatus {
         if (theHooks->finishGivesNothing) {
           setResult(r, static_cast<AutomationObject*>(nullptr));
           return {};
         }
         return answer(stand().FinishVectorising(self.handle), r);
       }},
  };
  return table;
}

const std::vector<Member<Effect>>& Effect::members() {
  static const std::vector<Member<Effect>> table{
      {method(L"Separate"),
       [](Effect& self, const Arguments&, VARIANT* r) {
         return answer(stand().SeparateEffect(self.handle), r);
       }},
  };
  return table;
}

const std::vector<Member<Curve>>& Curve::members() {
  static const std::vector<Member<Curve>> table{
      {method(L"CreateSubPath", {kReal, kReal}),
       [](Curve& self, const Arguments& a, VARIANT* r) -> HostStatus {
         auto subpath = stand().BeginSubpath(self.handle, a.real(0), a.real(1));
         if (!subpath) return subpath.error();
         setResult(r, new SubPath(subpath.value()));
         return {};
       }},
  };
  return table;
}

const std::vector<Member<SubPath>>& SubPath::members() {
  static const std::vector<Member<SubPath>> table{
      // The host returns the new segment; no caller here uses it, so the
      // stand-in answers Nothing.
      {method(L"AppendLineSegment", {kReal, kReal, optional(kFlag)}),
       [](SubPath& self, const Arguments& a, VARIANT* r) -> HostStatus {
         if (a.flag(2, false)) return refused("The stand-in server appends only at the end.");
         if (HostStatus added = stand().ExtendSubpathLine(self.handle, a.real(0), a.real(1));
             !added) {
           return added;
         }
         setResult(r, static_cast<AutomationObject*>(nullptr));
         return {};
       }},
      {put(L"Closed", ArgType::Flag), nullptr,
       [](SubPath& self, const Arguments& a) -> HostStatus {
         if (!a.flag(0)) return refused("The stand-in server does not open a closed subpath.");
         closeSubpath(self.handle);
         return {};
       }},
  };
  return table;
}

AutomationObject* makeApplication(standin::StandInHost& host, std::int32_t versionMajor,
                                  const ServerHooks& hooks) {
  theHost = &host;
  theHooks = &hooks;
  return new Application(versionMajor);
}

}  // namespace corvane::standin_server
